#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "CIoCell.h"
#include "RequestResolution.h"

// What the key filter of the file backends (DBF, text) makes of one record.
enum class KeyVerdict { kAccepted, kRejected, kAllKeysEmpty };

// Matches each key value, as a case-sensitive pattern, against the text of its key column
// (textOf gives the text of a column index); keys without a column set no condition. The first
// key that does not match rejects the record; a record whose key texts are all empty cannot be
// told from any other and is refused separately, so that the caller can warn about it.
KeyVerdict filterByKeys(const ResolvedRequest& request,
                        const std::function<std::string_view(int)>& textOf);

// The key cell of an empty piece of the key list: an empty text cell not marked as made.
std::unique_ptr<CIoCell> makeKeyPlaceholder();

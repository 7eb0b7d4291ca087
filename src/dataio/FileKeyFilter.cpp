#include "FileKeyFilter.h"

KeyVerdict filterByKeys(const ResolvedRequest& request,
                        const std::function<std::string_view(int)>& textOf) {
    bool anyKey = false;
    bool allEmpty = true;
    for (std::size_t i = 0; i < request.keys.size(); ++i) {
        const int column = request.keys[i].Index();
        if (column < 0) continue;
        const std::string_view text = textOf(column);
        if (!matchesPattern(text, request.keyValues[i], false)) return KeyVerdict::kRejected;
        anyKey = true;
        allEmpty = allEmpty && text.empty();
    }
    return anyKey && allEmpty ? KeyVerdict::kAllKeysEmpty : KeyVerdict::kAccepted;
}

std::unique_ptr<CIoCell> makeKeyPlaceholder() {
    std::unique_ptr<CIoCell> placeholder = makeEmptyCell(1);
    placeholder->SetFlags(placeholder->Flags() & ~kCellMadeFlag);
    return placeholder;
}

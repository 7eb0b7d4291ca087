#pragma once

#include "ComparableModel.h"

namespace orbxmps {
struct MatrixStore;
}

namespace netlib {

// Our library's reading of a file, as stored.
ComparableModel fromStore(const orbxmps::MatrixStore& store);

}  // namespace netlib

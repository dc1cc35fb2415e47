// What the benchmarks that build a schematic view share.
#pragma once

#include "tests/support/viewSingletons.h"

#include <malloc.h>

namespace Zv {

inline size_t heapInUse() {
    return mallinfo2().uordblks;
}

} // namespace Zv

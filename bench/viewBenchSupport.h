// What the benchmarks that build a schematic view share.
#pragma once

#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/scNodeIconRegistry.h"

#include "platform/graph/piAppThread.h"

#include <malloc.h>

namespace Zv {

inline size_t heapInUse() {
    return mallinfo2().uordblks;
}

inline void setUpView() {
    PiAppThread::claim();
    if (ScNodeFactory::getState() == ScNodeFactory::NotInitialized) ScNodeFactory::initialize();
    if (ScNodeIconRegistry::getState() == ScNodeIconRegistry::NotInitialized) ScNodeIconRegistry::initialize();
}

} // namespace Zv

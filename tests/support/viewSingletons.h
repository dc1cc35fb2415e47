#pragma once

#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/scNodeIconRegistry.h"

#include "platform/graph/piAppThread.h"

namespace Zv::TestSupport {

// What a view needs before its first node: the calling thread as the application thread, the icon
// registry and the node factory. The singletons then live for the whole program, since a destroyed
// one cannot come back.
inline void setUpView() {
    PiAppThread::claim();
    if (ScNodeIconRegistry::getState() == ScNodeIconRegistry::NotInitialized) ScNodeIconRegistry::initialize();
    if (ScNodeFactory::getState() == ScNodeFactory::NotInitialized) ScNodeFactory::initialize();
}

inline ScNodeFactory& nodeFactory() {
    setUpView();
    return ScNodeFactory::getInstance();
}

} // namespace Zv::TestSupport

// What the benchmarks that build a schematic view share.
#pragma once

#include "tests/support/viewSingletons.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svHeadlessDisplay.h"

#include "platform/graph/piCompositionGenerator.h"
#include "platform/graph/piSocketDesc.h"
#include "platform/graph/uiComposition.h"

#include <malloc.h>

#include <ctime>

namespace Zv {

inline size_t heapInUse() {
    return mallinfo2().uordblks;
}

// The scene of a generated composition: one scene node per processing node and one edge per
// connection, as the browser graph builds it.
class BenchScene {
public:
    BenchScene(int nbNodes, uint64_t seed, ScOrientation orientation)
        : _nbNodes(nbNodes), _display(orientation, false) {
        TestSupport::setUpView();
        _browser = new SvBrowserGraph(_composition, &_display);
        for (int type : PiSocketDesc::kParameterTypes) _browser->setFilteredSocketType(type, true);
        _composition.setGraph(PiCompositionGenerator(seed).generate(nbNodes));
    }
    ~BenchScene() { _browser.reset(); }

    int getNbNodes() const { return _nbNodes; }
    ScGraph& getScene() { return *_browser->getScene(); }

private:
    int _nbNodes;
    UiComposition _composition;
    SvHeadlessDisplay _display;
    RCStrongPtr<SvBrowserGraph> _browser;
};

// Time this thread ran, which other programs on a busy machine do not inflate as much as wall time.
inline double threadSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

} // namespace Zv

// Full rebuilds of the schematic of generated compositions, and the memory a shown node costs.
#include "bench/viewBenchSupport.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svHeadlessDisplay.h"

#include "platform/graph/piCompositionGenerator.h"
#include "platform/graph/piSocketDesc.h"
#include "platform/graph/uiComposition.h"

#include <benchmark/benchmark.h>

using namespace Zv;

namespace {

// Each iteration rebuilds the whole scene and lays every node out (automatic clean-up on), so
// iterations do the same work.
void refreshGraph(benchmark::State& state) {
    TestSupport::setUpView();
    const int nbNodes = static_cast<int>(state.range(0));
    RCStrongPtr<PiGraph> graph = PiCompositionGenerator(7).generate(nbNodes);
    UiComposition composition;
    SvHeadlessDisplay display(ScOrientation::Right, true);
    RCStrongPtr<SvBrowserGraph> browser(new SvBrowserGraph(composition, &display));
    for (int type : PiSocketDesc::kParameterTypes) browser->setFilteredSocketType(type, true);

    const size_t heapBefore = heapInUse();
    composition.setGraph(graph);
    const size_t shown = browser->getNodeMap().size();
    const double bytesPerNode = shown ? double(heapInUse() - heapBefore) / double(shown) : 0.0;

    for (auto _ : state) browser->refreshGraph("bench");
    state.counters["shown_nodes"] = static_cast<double>(shown);
    state.counters["bytes_per_shown_node"] = bytesPerNode;
    state.counters["ns_per_node"] =
        benchmark::Counter(static_cast<double>(nbNodes) * 1e-9,
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    browser.reset();
}

} // namespace

BENCHMARK(refreshGraph)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_MAIN();

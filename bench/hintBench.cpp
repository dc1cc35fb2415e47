// Change hints applied to the schematic of a generated composition: one link cut or made, and a
// batch of a thousand link hints, against a full rebuild of the same scene.
#include "bench/viewBenchSupport.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svHeadlessDisplay.h"

#include "platform/graph/piCompositionGenerator.h"
#include "platform/graph/piGroupUtils.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piSocketDesc.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "platform/graph/uiComposition.h"

#include <benchmark/benchmark.h>

#include <stdexcept>
#include <utility>
#include <vector>

using namespace Zv;

namespace {

constexpr int kNbNodes = 10000;

// A generated composition shown in a view that keeps stored positions (automatic clean-up off), so
// a rebuild and a piecewise change do the same kind of work per node.
struct ShownComposition {
    RCStrongPtr<PiGraph> graph = PiCompositionGenerator(7).generate(kNbNodes);
    UiComposition composition;
    SvHeadlessDisplay display{ScOrientation::Right, false};
    RCStrongPtr<SvBrowserGraph> browser{new SvBrowserGraph(composition, &display)};

    ShownComposition() {
        TestSupport::setUpView();
        for (int type : PiSocketDesc::kParameterTypes) browser->setFilteredSocketType(type, true);
        composition.setGraph(graph);
    }
    ~ShownComposition() { browser.reset(); }

    // Plain inputs with a link, spread over the graph.
    std::vector<std::pair<RCStrongPtr<PiOutput>, RCStrongPtr<PiInput>>> findLinks(size_t count) const {
        std::vector<std::pair<RCStrongPtr<PiOutput>, RCStrongPtr<PiInput>>> links;
        PiGroupUtils::walkTree(
            *graph->getRootGroup(),
            [&](PiNode& node) {
                for (const auto& input : node.getInputs())
                    if (input->isConnected() && !dynamic_cast<PiMultivaluedInput*>(input.get()))
                        links.emplace_back(input->getOutput(), input);
                return true;
            },
            [](PiNode&) {});
        if (links.size() < count) throw std::runtime_error("the composition has too few links");
        std::vector<std::pair<RCStrongPtr<PiOutput>, RCStrongPtr<PiInput>>> spread;
        for (size_t i = 0; i < count; ++i) spread.push_back(links[i * links.size() / count]);
        return spread;
    }
};

void fullRebuild(benchmark::State& state) {
    ShownComposition shown;
    for (auto _ : state) shown.browser->refreshGraph("bench");
    state.counters["shown_nodes"] = static_cast<double>(shown.browser->getNodeMap().size());
}

// Each iteration cuts one link and makes it again: two batches of one hint each.
void cutAndMakeOneLink(benchmark::State& state) {
    ShownComposition shown;
    const auto [output, input] = shown.findLinks(1).front();
    const size_t edges = shown.browser->getEdgeMap().size();
    for (auto _ : state) {
        {
            PiUndoGuardNoLog cut;
            shown.graph->disconnect(input);
        }
        PiUndoGuardNoLog make;
        shown.graph->connect(output, input);
    }
    if (shown.browser->getLastRefreshReason() != "SvBrowserGraph::resetDisplayGraph")
        state.SkipWithError("a batch rebuilt the scene");
    if (shown.browser->getEdgeMap().size() != edges) state.SkipWithError("the links shown changed");
    state.counters["per_batch"] =
        benchmark::Counter(2.0, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// One batch of 1,000 hints: 500 links cut and made again in one edit.
void thousandHintBatch(benchmark::State& state) {
    ShownComposition shown;
    const auto links = shown.findLinks(500);
    for (auto _ : state) {
        PiUndoGuardNoLog batch;
        for (const auto& [output, input] : links) shown.graph->disconnect(input);
        for (const auto& [output, input] : links) shown.graph->connect(output, input);
    }
    if (shown.browser->getLastRefreshReason() != "SvBrowserGraph::resetDisplayGraph")
        state.SkipWithError("the batch rebuilt the scene");
}

} // namespace

BENCHMARK(fullRebuild)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(cutAndMakeOneLink)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(thousandHintBatch)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK_MAIN();

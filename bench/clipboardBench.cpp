// Copy and paste of many nodes through the view's editor, as the user sees them: the paste includes
// the scene rebuilt to show the copies.
#include "bench/viewBenchSupport.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svHeadlessDisplay.h"

#include "platform/graph/piCompositionGenerator.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/piSocketDesc.h"
#include "platform/graph/snSelection.h"
#include "platform/graph/uiComposition.h"
#include "platform/ui/drCarrier.h"

#include <benchmark/benchmark.h>

using namespace Zv;

namespace {

// A generated composition shown, with every top-level node selected.
struct ClipboardFixture {
    explicit ClipboardFixture(int nbNodes) : graph(PiCompositionGenerator(7).generate(nbNodes)) {
        TestSupport::setUpView();
        browser = new SvBrowserGraph(composition, &display);
        for (int type : PiSocketDesc::kParameterTypes) browser->setFilteredSocketType(type, true);
        composition.setGraph(graph);
        SnSelection::Items items;
        for (const auto& node : graph->getRootGroup()->getMembers()) items.push_back(PiSnItemUtil::create(node));
        composition.getSelection()->replaceAll(items);
    }
    ~ClipboardFixture() { browser.reset(); }

    RCStrongPtr<PiGraph> graph;
    UiComposition composition;
    SvHeadlessDisplay display{ScOrientation::Right, false};
    RCStrongPtr<SvBrowserGraph> browser;
};

void copyNodes(benchmark::State& state) {
    ClipboardFixture fixture(static_cast<int>(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) bytes = fixture.browser->getEditor().copy()->getText().size();
    state.counters["text_bytes"] = static_cast<double>(bytes);
}

void pasteNodes(benchmark::State& state) {
    ClipboardFixture fixture(static_cast<int>(state.range(0)));
    const LiString text = fixture.browser->getEditor().copy()->getText();
    const GePoint2<float> point{0.0f, 0.0f};
    size_t pasted = 0;
    for (auto _ : state) {
        pasted = fixture.browser->getEditor().paste(text, &point).size();
        state.PauseTiming();
        fixture.graph->getCommandStack().undo();
        state.ResumeTiming();
    }
    state.counters["pasted_nodes"] = static_cast<double>(pasted);
}

} // namespace

BENCHMARK(copyNodes)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(pasteNodes)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

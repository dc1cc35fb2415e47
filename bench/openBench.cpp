// Opening generated compositions that hold no positions, as `schematic layout FILE --type unplaced`
// does: loading the file, building the scene, placing every node and taking it all down, each timed
// on its own, with the heap a shown node costs.
#include "bench/viewBenchSupport.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svHeadlessDisplay.h"

#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piCompositionGenerator.h"
#include "platform/graph/piSocketDesc.h"
#include "platform/graph/uiComposition.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace Zv;

namespace {

// Written once per size, outside the timing.
std::string writeComposition(int nbNodes) {
    const std::string path = "/tmp/openBench-" + std::to_string(getpid()) + "-" + std::to_string(nbNodes) + ".xml";
    PiCompositionFile::save(*PiCompositionGenerator(1).generate(nbNodes), path);
    return path;
}

// The rebuild places every node, as no node holds a position. Placing is then timed again on the
// same scene with every node unplaced, which is the same work, and the scene build is the rest.
// Stages are timed in this thread's processor time, which a busy machine inflates less than wall
// time; taking the view and the graph down is timed too, as a program does it before it ends.
void openComposition(benchmark::State& state) {
    TestSupport::setUpView();
    const int nbNodes = static_cast<int>(state.range(0));
    const std::string path = writeComposition(nbNodes);
    for (auto _ : state) {
        const double start = threadSeconds();
        RCStrongPtr<PiGraph> graph = PiCompositionFile::load(path);
        const double loaded = threadSeconds();

        auto composition = std::make_unique<UiComposition>();
        // Automatic clean-up off: only nodes without a position are placed, as the layout command does.
        SvHeadlessDisplay display(ScOrientation::Right, false);
        RCStrongPtr<SvBrowserGraph> browser(new SvBrowserGraph(*composition, &display));
        for (int type : PiSocketDesc::kParameterTypes) browser->setFilteredSocketType(type, true);
        const size_t heapBefore = heapInUse();
        const double building = threadSeconds();
        composition->setGraph(graph);
        const double shown = threadSeconds();
        const size_t nbShown = browser->getNodeMap().size();
        const double bytesPerNode = nbShown ? double(heapInUse() - heapBefore) / double(nbShown) : 0.0;

        ScGraph& scene = *browser->getScene();
        for (const auto& node : scene.getNodes()) node->setPlaced(false);
        const double placing = threadSeconds();
        scene.layout(ScGraph::LayoutType::LayoutUnplaced);
        const double placed = threadSeconds();
        browser.reset();
        composition.reset();
        graph.reset();
        const double closed = threadSeconds();

        const double place = placed - placing;
        const double build = shown - building - place;
        const double load = loaded - start;
        state.SetIterationTime(load + build + place);
        state.counters["load_ms"] = load * 1e3;
        state.counters["build_ms"] = build * 1e3;
        state.counters["place_ms"] = place * 1e3;
        state.counters["close_ms"] = (closed - placed) * 1e3;
        state.counters["shown_nodes"] = static_cast<double>(nbShown);
        state.counters["bytes_per_shown_node"] = bytesPerNode;
    }
    std::remove(path.c_str());
}

} // namespace

BENCHMARK(openComposition)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

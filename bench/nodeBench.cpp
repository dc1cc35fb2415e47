// Cost of the node queries that run for every pointer move and every frame, and of building a
// large graph's scene nodes through the factory.
#include "tests/support/viewSingletons.h"
#include "views/schematic/src/scCustomNode.h"

#include "platform/graph/piGraph.h"

#include <benchmark/benchmark.h>

#include <vector>

using namespace Zv;

namespace {

// An Over node as the built-in description draws it: masking set, output set, toggle, IR and
// feedback strips and an icon badge.
struct OverNode {
    RCStrongPtr<PiGraph> graph = PiGraph::create("Bench");
    RCStrongPtr<ScNode> node;

    explicit OverNode(ScOrientation orientation) {
        node = TestSupport::nodeFactory().createNode(graph->createNode("Over", graph->getRootGroup()), orientation);
        for (int i = 0; i < 3; ++i) {
            ScNode::SocketRecord socket;
            node->addInput(socket);
        }
        ScNode::SocketRecord output;
        node->addOutput(output);
        node->setIRToggleEnabled(true);
        node->setPosition({200.0f, 100.0f});
    }
};

// Points from the middle of the body to well outside it: body, tabs, strips and misses.
std::vector<GePoint2f> pickPoints() {
    std::vector<GePoint2f> points;
    for (float dx = -90.0f; dx <= 90.0f; dx += 15.0f)
        for (float dy = -40.0f; dy <= 40.0f; dy += 10.0f) points.push_back({200.0f + dx, 100.0f + dy});
    return points;
}

void BM_PickSocket(benchmark::State& state) {
    OverNode over(toScCode<ScOrientation>(static_cast<int>(state.range(0))));
    const std::vector<GePoint2f> points = pickPoints();
    size_t i = 0;
    for (auto _ : state) {
        int index = -1;
        ScPart part = ScPart::Body;
        benchmark::DoNotOptimize(over.node->pickSocket(points[i], true, index, part));
        i = i + 1 < points.size() ? i + 1 : 0;
    }
}
BENCHMARK(BM_PickSocket)->Arg(0)->Arg(1);

void BM_GetSize(benchmark::State& state) {
    OverNode over(ScOrientation::Down);
    GeVector2f size;
    for (auto _ : state) {
        over.node->getSize(size);
        benchmark::DoNotOptimize(size);
    }
}
BENCHMARK(BM_GetSize);

// Descriptions are kept after the first node of each tool, as in a real session.
void BM_Create10000Nodes(benchmark::State& state) {
    const char* const tools[] = {"Read", "Blur", "ColorCorrect", "Over", "Merge", "Output"};
    auto graph = PiGraph::create("Bench");
    std::vector<RCStrongPtr<PiNode>> processing;
    for (int i = 0; i < 10000; ++i) processing.push_back(graph->createNode(tools[i % 6], graph->getRootGroup()));
    std::vector<RCStrongPtr<ScNode>> nodes(processing.size());
    for (auto _ : state) {
        for (size_t i = 0; i < processing.size(); ++i)
            nodes[i] = TestSupport::nodeFactory().createNode(processing[i], ScOrientation::Down);
        benchmark::DoNotOptimize(nodes.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(processing.size()));
}
BENCHMARK(BM_Create10000Nodes)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();

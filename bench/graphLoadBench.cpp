// Loading and saving composition files of many nodes, and many links into one multi-valued input.
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piUndoGuard.h"

#include <benchmark/benchmark.h>

using namespace Zv;

namespace {

// Chains of ten nodes merged in fours, every node placed: nbNodes nodes in all, about as many links.
std::string makeComposition(int nbNodes) {
    RCStrongPtr<PiGraph> graph = PiGraph::create("Bench");
    const auto& root = graph->getRootGroup();
    RCStrongPtr<PiNode> merge;
    for (int i = 0; i < nbNodes; ++i) {
        bool chainStart = i % 10 == 0;
        RCStrongPtr<PiNode> node = graph->createNode(chainStart ? "Read" : (i % 10 == 9 ? "Merge" : "Blur"), root);
        PiSchematicInterfaceEx::setXYPosition(node, static_cast<float>(i % 100) * 120,
                                              static_cast<float>(i / 100) * 70);
        if (!chainStart) graph->connect(graph->findNode(node->getId() - 1)->getOutput(0), node->getInput(0));
        if (i % 10 == 9) {
            if (merge && i % 40 != 9) graph->connect(node->getOutput(0), merge->getInput(0));
            else merge = node;
        }
    }
    graph->getCommandStack().clear();
    return PiCompositionFile::saveText(*graph);
}

// Time per node in nanoseconds: a rate over nodes counted in billions, inverted.
void reportPerNode(benchmark::State& state, int nbNodes) {
    state.counters["ns_per_node"] =
        benchmark::Counter(nbNodes * 1e-9, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void BM_LoadComposition(benchmark::State& state) {
    int nbNodes = static_cast<int>(state.range(0));
    std::string text = makeComposition(nbNodes);
    for (auto _ : state) {
        RCStrongPtr<PiGraph> graph = PiGraph::create();
        PiCompositionFile::loadText(graph, text, "bench.xml");
        benchmark::DoNotOptimize(graph->getNbNodes());
    }
    reportPerNode(state, nbNodes);
}
BENCHMARK(BM_LoadComposition)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_SaveComposition(benchmark::State& state) {
    int nbNodes = static_cast<int>(state.range(0));
    RCStrongPtr<PiGraph> graph = PiGraph::create();
    PiCompositionFile::loadText(graph, makeComposition(nbNodes), "bench.xml");
    for (auto _ : state) benchmark::DoNotOptimize(PiCompositionFile::saveText(*graph).size());
    reportPerNode(state, nbNodes);
}
BENCHMARK(BM_SaveComposition)->Arg(100000)->Unit(benchmark::kMillisecond);

// nbSources sources, each linked once into the same Merge.
RCStrongPtr<PiGraph> makeMergeSources(int nbSources, RCStrongPtr<PiNode>& merge) {
    RCStrongPtr<PiGraph> graph = PiGraph::create("Bench");
    merge = graph->createNode("Merge", graph->getRootGroup());
    for (int i = 0; i < nbSources; ++i) graph->createNode("Constant", graph->getRootGroup());
    graph->getCommandStack().clear();
    return graph;
}

// The links are one undo entry, as when a user links a selection.
void BM_LinkIntoOneMerge(benchmark::State& state) {
    int nbSources = static_cast<int>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        RCStrongPtr<PiNode> merge;
        RCStrongPtr<PiGraph> graph = makeMergeSources(nbSources, merge);
        const auto& members = graph->getRootGroup()->getMembers();
        state.ResumeTiming();
        {
            PiUndoGuard guard(graph->getCommandStack(), "Connect");
            for (int i = 1; i <= nbSources; ++i) graph->connect(members[i]->getOutput(0), merge->getInput(0));
        }
        state.PauseTiming();
        graph = nullptr;
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LinkIntoOneMerge)->Arg(16000)->Arg(64000)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_LoadLinksIntoOneMerge(benchmark::State& state) {
    int nbSources = static_cast<int>(state.range(0));
    RCStrongPtr<PiNode> merge;
    RCStrongPtr<PiGraph> source = makeMergeSources(nbSources, merge);
    for (const auto& node : source->getRootGroup()->getMembers())
        if (node != merge) source->connect(node->getOutput(0), merge->getInput(0));
    std::string text = PiCompositionFile::saveText(*source);
    for (auto _ : state) {
        RCStrongPtr<PiGraph> graph = PiGraph::create();
        PiCompositionFile::loadText(graph, text, "bench.xml");
        benchmark::DoNotOptimize(graph->getNbNodes());
    }
}
BENCHMARK(BM_LoadLinksIntoOneMerge)->Arg(64000)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();

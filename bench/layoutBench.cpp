// Automatic layout of generated compositions: time per node, and the ratio to a plain pass that
// reads every node and edge once.
#include "bench/viewBenchSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

using namespace Zv;

namespace {

using Clock = std::chrono::steady_clock;

constexpr ScOrientation kOrientation = ScOrientation::Right;
constexpr uint64_t kSeed = 1;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Reads every node and edge once: the least any layout must do.
double floorPass(const ScGraph& scene) {
    double sum = 0;
    for (const auto& node : scene.getNodes()) sum += node->getPosition().x + node->getPosition().y;
    for (const auto& edge : scene.getEdges()) sum += edge->getTargetSocket();
    return sum;
}

// One scene at a time: the benchmarks of a size run one after the other.
BenchScene& getScene(int nbNodes) {
    static std::unique_ptr<BenchScene> scene;
    if (!scene || scene->getNbNodes() != nbNodes) {
        scene.reset();
        scene = std::make_unique<BenchScene>(nbNodes, kSeed, kOrientation);
    }
    return *scene;
}

// Best of several floor passes, in seconds: the ratio to it errs on the high side.
double timeFloor(BenchScene& scene) {
    double best = 1e30;
    for (int run = 0; run < 5; ++run) {
        Clock::time_point start = Clock::now();
        benchmark::DoNotOptimize(floorPass(scene.getScene()));
        best = std::min(best, secondsSince(start));
    }
    return best;
}

void setPlaced(ScGraph& scene, bool placed) {
    for (const auto& node : scene.getNodes()) node->setPlaced(placed);
}

// Times the layout only, so the unplacing before each run is left out.
void runLayout(benchmark::State& state, int nbNodes, ScGraph::LayoutType type) {
    BenchScene& bench = getScene(nbNodes);
    ScGraph& scene = bench.getScene();
    double total = 0;
    double cpu = 0;
    for (auto _ : state) {
        if (type == ScGraph::LayoutType::LayoutUnplaced) setPlaced(scene, false);
        const double cpuStart = threadSeconds();
        Clock::time_point start = Clock::now();
        scene.layout(type);
        double seconds = secondsSince(start);
        cpu += threadSeconds() - cpuStart;
        state.SetIterationTime(seconds);
        total += seconds;
    }
    double floor = timeFloor(bench);
    double perRun = total / static_cast<double>(state.iterations());
    state.counters["ns_per_node"] = perRun * 1e9 / nbNodes;
    state.counters["cpu_ns_per_node"] = cpu / static_cast<double>(state.iterations()) * 1e9 / nbNodes;
    state.counters["floor_ns_per_node"] = floor * 1e9 / nbNodes;
    state.counters["ratio_to_floor"] = perRun / floor;
}

// New nodes among placed ones: one node in a thousand of a laid-out scene is unplaced again.
void placeNewAmongPlaced(benchmark::State& state) {
    constexpr int kNbPlaced = 100'000;
    constexpr int kNbNew = 100;
    ScGraph& scene = getScene(kNbPlaced + kNbNew).getScene();
    scene.layout(ScGraph::LayoutType::LayoutAll);
    setPlaced(scene, true);
    std::vector<ScNode*> fresh;
    int index = 0;
    for (const auto& node : scene.getNodes())
        if (index++ % ((kNbPlaced + kNbNew) / kNbNew) == 0) fresh.push_back(node.operator->());
    for (auto _ : state) {
        for (ScNode* node : fresh) node->setPlaced(false);
        Clock::time_point start = Clock::now();
        scene.layout(ScGraph::LayoutType::LayoutUnplaced);
        state.SetIterationTime(secondsSince(start));
    }
    state.counters["new_nodes"] = static_cast<double>(fresh.size());
}

} // namespace

int main(int argc, char** argv) {
    TestSupport::setUpView();
    // Registered size by size, so each scene is built once for both layout types.
    for (int nbNodes : {1'000, 10'000, 100'000, 1'000'000}) {
        for (auto [name, type] : {std::pair{"LayoutAll", ScGraph::LayoutType::LayoutAll},
                                  std::pair{"LayoutUnplaced", ScGraph::LayoutType::LayoutUnplaced}})
            benchmark::RegisterBenchmark((std::string(name) + "/" + std::to_string(nbNodes)).c_str(),
                                         [nbNodes, type](benchmark::State& state) { runLayout(state, nbNodes, type); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("LayoutUnplaced/100_into_100000", placeNewAmongPlaced)
        ->UseManualTime()
        ->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

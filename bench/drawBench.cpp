// The CPU cost of drawing and picking large scenes: frames drawn into the GL call recorder at fit-all
// and at zoom 1.0, hover picks, and the index rebuild after a node moved.
#include "bench/frameBenchSupport.h"
#include "tests/support/glRecorder.h"

#include <random>

using namespace Zv;

namespace {

// What the recorder kept of a frame is let go outside the timing.
void forgetFrame(benchmark::State& state) {
    state.PauseTiming();
    GlRecorder::reset();
    state.ResumeTiming();
}

void recordedFrame(benchmark::State& state) {
    drawFrames(state, static_cast<int>(state.range(0)), FrameKind(state.range(1)), forgetFrame);
}

// Points over nodes, their tabs and the links and background around them, as a pointer meets them.
std::vector<GePoint2<float>> hoverPoints(const ScGraph& scene) {
    std::vector<const ScNode*> nodes;
    for (const auto& node : scene.getNodes()) nodes.push_back(node.get());
    std::mt19937 random(3);
    std::uniform_real_distribution<float> offset(-80.0f, 80.0f);
    std::vector<GePoint2<float>> points;
    for (int i = 0; i < 1000; ++i) {
        const GePoint2<float>& centre = nodes[random() % nodes.size()]->getPosition();
        points.push_back({centre.x + offset(random), centre.y + offset(random) * 0.4f});
    }
    return points;
}

void hoverPick(benchmark::State& state) {
    ScGraph& scene = getLaidOutScene(static_cast<int>(state.range(0)));
    const std::vector<GePoint2<float>> points = hoverPoints(scene);
    int hits = 0;
    size_t next = 0;
    for (auto _ : state) {
        hits += !scene.pick(points[next], true, ScLinkStyle::Curved).node.isNull();
        next = (next + 1) % points.size();
    }
    state.counters["node_hits"] = double(hits) / double(state.iterations());
}

// A node moved: the next pick rebuilds the index.
void pickAfterMove(benchmark::State& state) {
    ScGraph& scene = getLaidOutScene(static_cast<int>(state.range(0)));
    ScNode& moved = **scene.getNodes().begin();
    const GePoint2<float> home = moved.getPosition();
    float step = 0.0f;
    for (auto _ : state) {
        moved.setPosition({home.x + (step = 1.0f - step), home.y});
        benchmark::DoNotOptimize(scene.pick(home, true, ScLinkStyle::Curved));
    }
}

} // namespace

BENCHMARK(recordedFrame)->Apply(frameArgs)->Unit(benchmark::kMillisecond);
BENCHMARK(hoverPick)->ArgName("nodes")->Arg(100000)->Unit(benchmark::kMicrosecond);
BENCHMARK(pickAfterMove)->ArgName("nodes")->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

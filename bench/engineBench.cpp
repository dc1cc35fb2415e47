// One thumbnail of Read (a 2048 x 1556 image) -> ColorCorrect -> Blur -> Over, submitted to the
// image engine and computed on its worker, from submit to the result handed over. The file is read
// and scaled on every run (nothing cached), or taken from the engine's cache of scaled files, as
// when only a later node's parameter changed.
#include "platform/engine/piTopologyInterface.h"
#include "platform/engine/pxImageMultiTileRequest.h"
#include "platform/engine/pxReadCache.h"
#include "platform/engine/pxRequestMgr.h"
#include "platform/graph/piGraph.h"

#include <OpenImageIO/imagebufalgo.h>

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdio>
#include <string>

using namespace Zv;

namespace {

// A plate with detail everywhere, written once per format outside the timing, uncompressed where
// the format allows, as scans usually are.
std::string writePlate(const char* extension) {
    const std::string path = "/tmp/engineBench-" + std::to_string(getpid()) + "." + extension;
    OIIO::ImageSpec spec(2048, 1556, 3, OIIO::TypeDesc::UINT16);
    spec.attribute("compression", "none");
    OIIO::ImageBuf plate(spec);
    const float dark[3] = {0.1f, 0.2f, 0.3f}, light[3] = {0.9f, 0.7f, 0.5f};
    OIIO::ImageBufAlgo::checker(plate, 7, 5, 1, dark, light);
    if (!plate.write(path)) std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return path;
}

RCStrongPtr<PxImageNode> buildChain(const RCStrongPtr<PiGraph>& graph, const std::string& file) {
    auto root = graph->getRootGroup();
    auto read = graph->createNode("Read", root), grade = graph->createNode("ColorCorrect", root);
    auto blur = graph->createNode("Blur", root), over = graph->createNode("Over", root);
    auto back = graph->createNode("Checker", root);
    graph->setText(read, "File", file);
    graph->setText(grade, "Gain", "1.2 1 0.8");
    graph->setText(grade, "Saturation", "0.8");
    graph->setText(blur, "Size", "0.02");
    graph->connect(read->getOutput(0), grade->getInput(0));
    graph->connect(grade->getOutput(0), blur->getInput(0));
    graph->connect(blur->getOutput(0), over->getInput(0));
    graph->connect(back->getOutput(0), over->getInput(1));
    RCStrongPtr<PxImageNode> image;
    image.dynamicAssign(PiTopologyInterface::getInterface(over)->getOutputProcNode(over->getOutput(0)));
    return image;
}

void thumbnail(benchmark::State& state, const char* extension, bool cached) {
    const std::string file = writePlate(extension);
    auto graph = PiGraph::create();
    RCStrongPtr<PxImageNode> image = buildChain(graph, file);
    auto compute = [&image] {
        auto request = makeRC<PxImageMultiTileRequest>(image, 0, PxTimeInfo{1}, 128, 96, nullptr);
        PxRequestMgr::getInstance().submit(request);
        PxRequestMgr::getInstance().waitUntilIdle(60);
        struct {
            bool computable;
            std::string reason;
            double cpuSeconds;
        } outcome{request->getResults().computable, request->getResults().reason, request->getStatistics().cpuSeconds};
        return outcome;
    };
    // Once outside the timing: the workers start and the format's reader is loaded.
    if (!compute().computable) state.SkipWithError(compute().reason.c_str());
    double workerCpu = 0;
    for (auto _ : state) {
        if (!cached) PxReadCache::getInstance().clear();
        workerCpu += compute().cpuSeconds;
    }
    // The machine may be shared: the worker's own processor time tells the cost without the waits.
    state.counters["worker_cpu_ms"] = benchmark::Counter(workerCpu * 1e3 / state.iterations());
    std::remove(file.c_str());
}

void thumbnailFromDpx(benchmark::State& state) {
    thumbnail(state, "dpx", false);
}
void thumbnailFromTiff(benchmark::State& state) {
    thumbnail(state, "tif", false);
}
void thumbnailFromPng(benchmark::State& state) {
    thumbnail(state, "png", false);
}
void thumbnailCachedRead(benchmark::State& state) {
    thumbnail(state, "tif", true);
}

} // namespace

BENCHMARK(thumbnailFromDpx)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(thumbnailFromTiff)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(thumbnailFromPng)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(thumbnailCachedRead)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();

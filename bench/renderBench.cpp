// Frames of large scenes on the software GL (llvmpipe, headless EGL, as the render command draws):
// the whole scene fitted into a full-HD window, and zoom 1.0 on its middle. With RENDER_BENCH_PNGS
// set to a folder, the last frame of each benchmark is written there to be looked at.
#include "bench/frameBenchSupport.h"

#include "platform/ui/headless/glHeadlessContext.h"
#include "platform/ui/ixPngFile.h"

#include <cstdlib>
#include <string>

using namespace Zv;

namespace {

GlHeadlessContext& getContext() {
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);
    static GlHeadlessContext context(kFrameWidth, kFrameHeight);
    return context;
}

void keepFrame(benchmark::State&) {}

void renderedFrame(benchmark::State& state) {
    GlHeadlessContext& context = getContext();
    drawFrames(state, static_cast<int>(state.range(0)), FrameKind(state.range(1)), keepFrame);
    if (const char* folder = std::getenv("RENDER_BENCH_PNGS"))
        IxPngFile::writeOpaque(std::string(folder) + "/frame" + std::to_string(state.range(0)) +
                                   (state.range(1) == FitAll ? "fitAll" : "zoomOne") + ".png",
                               context.readPixels());
}

} // namespace

BENCHMARK(renderedFrame)->Apply(frameArgs)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();

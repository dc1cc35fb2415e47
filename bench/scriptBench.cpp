// Scripted sessions as tests run them: pointer events on a large composition, through the whole
// stack (application, viewer, tools, hover), with the module linked in.
#include "app/host/scriptSession.h"
#include "bench/viewBenchSupport.h"
#include "views/schematic/src/schematicZvviewInit.h"

#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piCompositionGenerator.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <sstream>

using namespace Zv;

namespace {

// The module's statics live once per process, so every run shares one session. It is closed before
// main returns: at exit the module's statics would already be gone when the session shuts it down.
std::ostringstream out;
std::unique_ptr<ScriptSession> session;

ScriptSession& getSession(int nbNodes) {
    if (session) return *session;
    SchematicZvviewInit::getPackage();
    const std::string path = (std::filesystem::temp_directory_path() / "scriptBench.xml").string();
    PiCompositionFile::save(*PiCompositionGenerator(7).generate(nbNodes), path);
    session = std::make_unique<ScriptSession>("Schematic", path, ScriptSession::DefaultWidth,
                                              ScriptSession::DefaultHeight, out);
    std::filesystem::remove(path);
    session->runLine("zoom 0.6");
    return *session;
}

// One iteration is 1,000 pointer moves over a raster of the viewport, at a zoom where they hover
// nodes, tabs and links.
void pointerMoves(benchmark::State& state) {
    ScriptSession& session = getSession(static_cast<int>(state.range(0)));
    std::vector<std::string> moves;
    for (int i = 0; i < 1000; ++i)
        moves.push_back("move " + std::to_string(20 + (i % 40) * 31) + "," + std::to_string(20 + (i / 40) * 30));
    for (auto _ : state)
        for (const std::string& move : moves) session.runLine(move);
}

// A plate and a filter of two neighbouring trees of that composition, both in view.
constexpr const char* kLinkFrom = "@Read7539.out.0";
constexpr const char* kLinkTo = "@Blur7541.in.0";

// One iteration is a link dragged from a plate's output to a filter's input of another tree, from the
// press to the repainted result; undoing it afterwards is not timed.
void linkGesture(benchmark::State& state) {
    ScriptSession& session = getSession(static_cast<int>(state.range(0)));
    double gesture = 0.0, paint = 0.0;
    for (auto _ : state) {
        const double start = threadSeconds();
        session.runLine("press " + std::string(kLinkFrom));
        session.runLine("drag " + std::string(kLinkTo));
        session.runLine("release");
        const double released = threadSeconds();
        // Reports paint first, as a window would have by then.
        session.runLine("print view");
        gesture += released - start;
        paint += threadSeconds() - released;
        state.PauseTiming();
        session.runLine("undo");
        session.runLine("print view");
        out.str({});
        state.ResumeTiming();
    }
    // Processor time of this thread, split: the tools and the edit, then the software GL repaint.
    const double iterations = static_cast<double>(state.iterations());
    state.counters["gesture_ms"] = gesture * 1e3 / iterations;
    state.counters["paint_ms"] = paint * 1e3 / iterations;
}

} // namespace

BENCHMARK(pointerMoves)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(linkGesture)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    session.reset();
    return 0;
}

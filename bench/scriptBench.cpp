// Scripted sessions as tests run them: pointer events on a large composition, through the whole
// stack (application, viewer, tools, hover), with the module linked in.
#include "app/host/scriptSession.h"
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

} // namespace

BENCHMARK(pointerMoves)->Arg(10000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    session.reset();
    return 0;
}

// schematic generate: writes a large composition shaped like real ones, for benchmarks.
#include "app/appCommand.h"
#include "app/commandArgs.h"

#include "platform/base/exBase.h"
#include "platform/base/liStringUtil.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piCompositionGenerator.h"

#include <climits>
#include <cstdio>

namespace Zv {
namespace {

constexpr long long kMaxNodes = 10'000'000;

int parseNodeCount(const std::string& text) {
    auto value = LiStringUtil::parseInt(LiString(text));
    if (!value || *value < 1 || *value > kMaxNodes)
        throw ExBadInput(__FILE__, __LINE__,
                         "generate takes a node count from 1 to " + std::to_string(kMaxNodes) + ", not '" + text + "'");
    return static_cast<int>(*value);
}

int generate(const std::vector<std::string>& argv) {
    CommandArgs args(argv, {"--seed", "-o"}, {});
    if (args.getOperands().size() != 1) throw ExBadInput(__FILE__, __LINE__, "generate takes one node count");
    if (!args.has("-o")) throw ExBadInput(__FILE__, __LINE__, "generate needs -o OUT.xml");
    const int nbNodes = parseNodeCount(args.getOperands()[0]);
    PiCompositionGenerator generator(static_cast<uint64_t>(args.getInt("--seed", 1, 0, INT_MAX)));
    RCStrongPtr<PiGraph> graph = generator.generate(nbNodes);
    PiCompositionFile::save(*graph, args.get("-o"));
    const PiCompositionGenerator::Stats& stats = generator.getStats();
    std::printf("wrote %s: %d nodes, %d links, %d outputs, %d second consumers\n", args.get("-o").c_str(),
                stats.nbNodes, stats.nbLinks, stats.nbOutputs, stats.nbSecondConsumers);
    return 0;
}

const AppCommand::Registration registration({"generate", "generate NODES [--seed S] -o OUT.xml",
                                             "write a large generated composition", generate});

} // namespace
} // namespace Zv

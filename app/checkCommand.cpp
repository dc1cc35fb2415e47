// `schematic check`: builds a node from a node description file, for authors of descriptions.
#include "app/appCommand.h"

#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/scNodeIconRegistry.h"

#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"
#include "platform/base/liStringUtil.h"
#include "platform/graph/piGraph.h"

#include <cstdio>
#include <optional>
#include <string>

namespace Zv {
namespace {

struct CheckArgs {
    std::string path;
    int orientation = 0;
    int inputs = 0;
    int outputs = 0;
};

std::optional<int> readCount(const std::string& text, int max) {
    const auto value = LiStringUtil::parseInt(LiString(text));
    if (!value || *value < 0 || *value > max) return std::nullopt;
    return static_cast<int>(*value);
}

// Nothing when the arguments are wrong; the reason is printed.
std::optional<CheckArgs> parseArgs(const std::vector<std::string>& args) {
    CheckArgs parsed;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool isOption = arg == "--orientation" || arg == "--inputs" || arg == "--outputs";
        if (!isOption) {
            if (!parsed.path.empty()) {
                std::fprintf(stderr, "schematic check: unexpected argument '%s'\n", arg.c_str());
                return std::nullopt;
            }
            parsed.path = arg;
            continue;
        }
        const std::optional<int> value = i + 1 < args.size() ? readCount(args[i + 1], arg == "--orientation" ? 2 : 1000)
                                                             : std::nullopt;
        if (!value) {
            std::fprintf(stderr, "schematic check: %s needs %s\n", arg.c_str(),
                         arg == "--orientation" ? "0, 1 or 2" : "a count from 0 to 1000");
            return std::nullopt;
        }
        (arg == "--orientation" ? parsed.orientation : arg == "--inputs" ? parsed.inputs : parsed.outputs) = *value;
        ++i;
    }
    if (parsed.path.empty()) {
        std::fprintf(stderr, "schematic check: no description file given\n");
        return std::nullopt;
    }
    return parsed;
}

int runCheck(const std::vector<std::string>& args) {
    const std::optional<CheckArgs> parsed = parseArgs(args);
    if (!parsed) return 2;
    if (ScNodeIconRegistry::getState() == ScNodeIconRegistry::NotInitialized) ScNodeIconRegistry::initialize();
    if (ScNodeFactory::getState() == ScNodeFactory::NotInitialized) ScNodeFactory::initialize();
    // Tabs that show a tool's state need a real node to look at: an image modifier with one output.
    const RCStrongPtr<PiGraph> graph = PiGraph::create("Check");
    const RCStrongPtr<PiNode> tool = graph->createNode("Blur", graph->getRootGroup());
    RCStrongPtr<ScNode> node;
    try {
        const std::string text = FileUtil::readFile(parsed->path);
        node = ScNodeFactory::getInstance().createNodeFromDescription(text, parsed->path, tool, parsed->orientation);
    } catch (const ScNodeFactory::BadXMLDescriptionEx& ex) {
        std::puts(ex.getMessage().c_str());
        return 1;
    } catch (const ExBadInput& ex) {
        std::puts(ex.getMessage().c_str());
        return 1;
    }
    if (node.isNull()) {
        std::puts("hidden");
        return 0;
    }
    for (int i = 0; i < parsed->inputs; ++i) {
        ScNode::SocketRecord socket;
        node->addInput(socket);
    }
    for (int i = 0; i < parsed->outputs; ++i) {
        ScNode::SocketRecord socket;
        node->addOutput(socket);
    }
    GeVector2<float> size;
    node->getSize(size);
    std::printf("ok\t%.3f\t%.3f\n", size.x, size.y);
    return 0;
}

const AppCommand::Registration registration({"check", "check DESCRIPTION.xml [--orientation 0|1|2] [--inputs N] [--outputs M]",
                                             "build a node from a node description; print its size or what is wrong",
                                             runCheck});

} // namespace
} // namespace Zv

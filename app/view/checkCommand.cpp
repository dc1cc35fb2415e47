// `schematic check`: builds a node from a node description file, for authors of descriptions.
#include "app/appCommand.h"

#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/scNodeIconRegistry.h"

#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"
#include "platform/base/liStringUtil.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piGroupNode.h"

#include <cstdio>
#include <optional>
#include <string>

namespace Zv {
namespace {

struct CheckArgs {
    std::string path;
    int orientation = 0;
    int inputs = 1;
    int outputs = 1;
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
        const std::optional<int> value =
            i + 1 < args.size() ? readCount(args[i + 1], arg == "--orientation" ? getMaxScCode<ScOrientation>() : 1000)
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

// The node the description is checked for: a group, whose sockets are whatever the author asks for.
RCStrongPtr<PiNode> makeStandIn(PiGraph& graph, const CheckArgs& args) {
    const auto group = rcCheckedCast<PiGroupNode>(graph.createNode("Group", graph.getRootGroup()));
    // A group's sockets of one direction need distinct names.
    for (int i = 0; i < args.inputs; ++i) graph.addGroupSocket(group, "In" + std::to_string(i + 1), false);
    for (int i = 0; i < args.outputs; ++i) graph.addGroupSocket(group, "Out" + std::to_string(i + 1), true);
    return group;
}

// Builds the node with its sockets and every link end, as the view would; the size, or nothing if hidden.
std::optional<GeVector2<float>> measure(const CheckArgs& args, const RCStrongPtr<PiNode>& standIn) {
    const std::string text = FileUtil::readFile(args.path);
    const RCStrongPtr<ScNode> node = ScNodeFactory::getInstance().createNodeFromDescription(
        text, args.path, standIn, toScCode<ScOrientation>(args.orientation));
    if (node.isNull()) return std::nullopt;
    for (int i = 0; i < args.inputs; ++i) {
        ScNode::SocketRecord socket;
        node->addInput(socket);
    }
    for (int i = 0; i < args.outputs; ++i) {
        ScNode::SocketRecord socket;
        node->addOutput(socket);
    }
    for (int i = 0; i < args.inputs; ++i) {
        node->getInputConnectionPoint(i, 0);
        node->getInputDirection(i);
    }
    for (int i = 0; i < args.outputs; ++i) {
        node->getOutputConnectionPoint(i, 0);
        node->getOutputDirection(i);
    }
    GeVector2<float> size;
    node->getSize(size);
    return size;
}

int runCheck(const std::vector<std::string>& args) {
    const std::optional<CheckArgs> parsed = parseArgs(args);
    if (!parsed) return 2;
    if (ScNodeIconRegistry::getState() == ScNodeIconRegistry::NotInitialized) ScNodeIconRegistry::initialize();
    if (ScNodeFactory::getState() == ScNodeFactory::NotInitialized) ScNodeFactory::initialize();
    const RCStrongPtr<PiGraph> graph = PiGraph::create("Check");
    std::optional<GeVector2<float>> size;
    try {
        size = measure(*parsed, makeStandIn(*graph, *parsed));
    } catch (const ScNodeFactory::BadXMLDescriptionEx& ex) {
        std::printf("%s: %s\n", ex.getSource().c_str(), ex.getMessage().c_str());
        return 1;
    } catch (const ExBadInput& ex) {
        std::puts(ex.getMessage().c_str());
        return 1;
    } catch (const ExBase& ex) {
        // A fault of this program, not of the description: say where it is.
        std::printf("%s: the node could not be built: %s\n", parsed->path.c_str(), ex.describe().c_str());
        return 1;
    }
    if (!size) {
        std::puts("hidden");
        return 0;
    }
    std::printf("ok\t%.3f\t%.3f\n", size->x, size->y);
    return 0;
}

const AppCommand::Registration registration({"check",
                                             "check DESCRIPTION.xml [--orientation 0|1|2] [--inputs N] [--outputs M]",
                                             "build a node from a node description for N inputs and M outputs (1 and 1 "
                                             "unless given); print its size or what is wrong",
                                             runCheck});

} // namespace
} // namespace Zv

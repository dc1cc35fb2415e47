// schematic layout: lays a composition out as the view would and saves or prints the result.
#include "app/appCommand.h"
#include "app/commandArgs.h"
#include "app/schematicSession.h"

#include "platform/base/exBase.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piSchematicInterfaceEx.h"

#include <cstdio>

namespace Zv {
namespace {

ScGraph::LayoutType parseType(const std::string& type) {
    if (type == "all") return ScGraph::LayoutAll;
    if (type == "selected") return ScGraph::LayoutSelected;
    if (type == "unplaced") return ScGraph::LayoutUnplaced;
    throw ExBadInput(__FILE__, __LINE__, "option --type takes all, selected or unplaced, not '" + type + "'");
}

// Printed without a sign on zero, so the output does not depend on how a zero was reached.
double printable(float value) {
    return value + 0.0f;
}

// A name as one field: tabs, line breaks and backslashes escaped, so that no name can forge a field or
// a line.
std::string escapeField(const LiString& text) {
    std::string field;
    for (char c : text.str()) {
        switch (c) {
        case '\t': field += "\\t"; break;
        case '\n': field += "\\n"; break;
        case '\r': field += "\\r"; break;
        case '\\': field += "\\\\"; break;
        default: field += c;
        }
    }
    return field;
}

void printScene(ScGraph& scene) {
    std::printf("orientation\t%d\n", scene.getOrientation());
    std::printf("spacing\t%.3f\t%.3f\t%.3f\t%.3f\n", PiSchematicInterfaceEx::getPlacementDepth(),
                PiSchematicInterfaceEx::getNodeDepthX(), PiSchematicInterfaceEx::getNodeDepthY(),
                PiSchematicInterfaceEx::getPlacementBreadth());
    for (const auto& node : scene.getNodes()) {
        GeVector2<float> size;
        node->getSize(size);
        const GePoint2<float>& p = node->getPosition();
        std::printf("node\t%d\t%s\t%.3f\t%.3f\t%.3f\t%.3f\t%d\t%d\n", node->getProcessingNode()->getId(),
                    escapeField(node->getName()).c_str(), printable(p.x), printable(p.y), printable(size.x),
                    printable(size.y), node->isPlaced() ? 1 : 0, node->isSelected() ? 1 : 0);
    }
    for (const auto& edge : scene.getEdges()) {
        GePoint2<float> end = edge->getTarget()->getInputConnectionPoint(edge->getTargetSocket(), 0);
        std::printf("edge\t%d\t%d\t%d\t%d\t%.3f\t%.3f\n", edge->getSource()->getProcessingNode()->getId(),
                    edge->getSourceSocket(), edge->getTarget()->getProcessingNode()->getId(), edge->getTargetSocket(),
                    printable(end.x), printable(end.y));
    }
}

int layout(const std::vector<std::string>& argv) {
    CommandArgs args(argv, {"--type", "--orientation", "-o"}, {"--print"});
    if (args.getOperands().size() != 1) throw ExBadInput(__FILE__, __LINE__, "layout takes one composition file");
    const ScGraph::LayoutType type = parseType(args.get("--type", "all"));
    // Automatic clean-up off: stored positions stand and the rebuild places only new nodes.
    SchematicSession session(args.getOperands()[0], args.getInt("--orientation", 1, 0, 2), false);
    session.getScene().layout(type);
    session.getBrowserGraph().storeAllPositions();
    if (args.has("-o")) PiCompositionFile::save(session.getGraph(), args.get("-o"));
    if (args.has("--print")) printScene(session.getScene());
    session.printWarnings();
    return 0;
}

const AppCommand::Registration registration({"layout",
                                             "layout FILE [--type all|selected|unplaced] [--orientation 0|1|2] "
                                             "[-o OUT] [--print]",
                                             "lay a composition out and save or print the positions", layout});

} // namespace
} // namespace Zv

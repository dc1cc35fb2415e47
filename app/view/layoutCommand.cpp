// schematic layout: lays a composition out as the view would and saves or prints the result.
#include "app/appCommand.h"
#include "app/commandArgs.h"
#include "app/view/schematicSession.h"

#include "platform/base/exBase.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "views/schematic/src/svSceneReport.h"

#include <cstdio>

namespace Zv {
namespace {

ScGraph::LayoutType parseType(const std::string& type) {
    if (type == "all") return ScGraph::LayoutType::LayoutAll;
    if (type == "selected") return ScGraph::LayoutType::LayoutSelected;
    if (type == "unplaced") return ScGraph::LayoutType::LayoutUnplaced;
    throw ExBadInput(__FILE__, __LINE__, "option --type takes all, selected or unplaced, not '" + type + "'");
}

void printScene(ScGraph& scene) {
    std::printf("orientation\t%d\n", toInt(scene.getOrientation()));
    std::printf("spacing\t%.3f\t%.3f\t%.3f\t%.3f\n", PiSchematicInterfaceEx::getPlacementDepth(),
                PiSchematicInterfaceEx::getNodeDepthX(), PiSchematicInterfaceEx::getNodeDepthY(),
                PiSchematicInterfaceEx::getPlacementBreadth());
    for (const std::string& line : SvSceneReport::getNodeLines(scene)) std::printf("%s\n", line.c_str());
    for (const std::string& line : SvSceneReport::getEdgeLines(scene)) std::printf("%s\n", line.c_str());
}

int layout(const std::vector<std::string>& argv) {
    CommandArgs args(argv, {"--type", "--orientation", "-o"}, {"--print"});
    if (args.getOperands().size() != 1) throw ExBadInput(__FILE__, __LINE__, "layout takes one composition file");
    const ScGraph::LayoutType type = parseType(args.get("--type", "all"));
    // Automatic clean-up off: stored positions stand and the rebuild places only new nodes.
    SchematicSession session(args.getOperands()[0],
                             args.getCode("--orientation", ScOrientation::Right, kLastScCode<ScOrientation>), false);
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

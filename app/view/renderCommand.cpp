// schematic render: a composition's schematic as a PNG picture.
#include "app/appCommand.h"
#include "app/commandArgs.h"
#include "app/view/sceneRenderer.h"
#include "app/view/schematicSession.h"

#include "platform/base/exBase.h"
#include "platform/ui/headless/glHeadlessContext.h"
#include "platform/ui/ixPngFile.h"

#include <cstdio>

namespace Zv {
namespace {

int render(const std::vector<std::string>& argv) {
    CommandArgs args(argv, {"-o", "--size", "--orientation", "--link-style", "--group"}, {});
    if (args.getOperands().size() > 1)
        throw ExBadInput(__FILE__, __LINE__, "render takes at most one composition file");
    if (!args.has("-o")) throw ExBadInput(__FILE__, __LINE__, "render needs -o OUT.png");
    int width = 1280, height = 800;
    args.getSize("--size", width, height);
    const ScOrientation orientation = args.getCode("--orientation", ScOrientation::Right, kLastScCode<ScOrientation>);
    const ScLinkStyle linkStyle = args.getCode("--link-style", ScLinkStyle::Curved, kLastScCode<ScLinkStyle>);
    const std::string path =
        args.getOperands().empty() ? SchematicSession::getDefaultCompositionPath() : args.getOperands()[0];

    SchematicSession session(path, orientation, false);
    if (args.has("--group")) session.enterGroup(args.getInt("--group", 0, 0, 1 << 30));
    GlHeadlessContext context(width, height);
    SceneRenderer::render(session.getScene(), width, height, linkStyle);
    const std::string out = args.get("-o");
    IxPngFile::writeOpaque(out, context.readPixels());
    std::printf("wrote %s: %zu nodes, %zu links of %s\n", out.c_str(), session.getScene().getNodes().size(),
                session.getScene().getEdges().size(), path.c_str());
    session.printWarnings();
    return 0;
}

const AppCommand::Registration registration({"render",
                                             "render [FILE] -o OUT.png [--size WxH] [--orientation 0|1|2] "
                                             "[--link-style 0|1|2] [--group ID]",
                                             "draw a composition's schematic (the built-in sample without FILE)",
                                             render});

} // namespace
} // namespace Zv

// `schematic contact-sheet`: every built-in tool's node in the three orientations, in one picture.
#include "app/appCommand.h"

#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/scNodeIconRegistry.h"

#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piTool.h"
#include "platform/graph/piToolRegistry.h"
#include "platform/ui/headless/glHeadlessContext.h"
#include "platform/ui/ixPngFile.h"
#include "platform/ui/wsFontRegistry.h"

#include <GL/gl.h>

#include <cstdio>
#include <string>

namespace Zv {
namespace {

constexpr int kColumns = 6;
constexpr float kCellWidth = 250.0f;
constexpr float kCellHeight = 120.0f;
constexpr float kTitleHeight = 34.0f;
constexpr int kMultivaluedShown = 3;
const char* const kOrientationTitles[] = {"Flowing down (-V)", "Flowing right (-H)", "Flowing up (-VU)"};
static_assert(std::size(kOrientationTitles) == getMaxScCode<ScOrientation>() + 1);

int getNbRows() {
    const int tools = static_cast<int>(PiToolRegistry::getInstance().getTools().size());
    return (tools + kColumns - 1) / kColumns;
}

float getSectionHeight() {
    return kTitleHeight + kCellHeight * static_cast<float>(getNbRows());
}

// The sockets the schematic shows: images and masks; a multi-valued input shows a few values.
void addImageSockets(ScNode& node, const PiNode& processing) {
    for (const auto& input : processing.getInputs()) {
        if (input->getSocketTypeIndex() < PiSocketDesc::Image) continue;
        for (int i = 0; i < (input->getDesc().multivalued ? kMultivaluedShown : 1); ++i) {
            ScNode::SocketRecord socket;
            socket.label = input->getName();
            node.addInput(socket);
        }
    }
    for (const auto& output : processing.getOutputs()) {
        if (output->getSocketTypeIndex() < PiSocketDesc::Image) continue;
        ScNode::SocketRecord socket;
        socket.label = output->getName();
        node.addOutput(socket);
    }
}

// Boundary nodes exist only inside a group, one per group socket.
RCStrongPtr<PiNode> createProcessingNode(PiGraph& graph, const PiTool& tool) {
    if (tool.getKind() != PiTool::Boundary) return graph.createNode(tool.getToolName(), graph.getRootGroup());
    const auto group = rcCheckedCast<PiGroupNode>(graph.createNode("Group", graph.getRootGroup()));
    const bool isOutput = tool.getToolName() == PiToolRegistry::kGroupOutputTool;
    const RCStrongPtr<PiSocket> socket = graph.addGroupSocket(group, isOutput ? "Out" : "In", isOutput);
    return group->getBoundaryNode(*socket);
}

void drawSection(ScDrawContext& ctx, const RCStrongPtr<PiGraph>& graph, ScOrientation orientation, float top) {
    ctx.setState(ScDrawContext::Plain);
    ctx.setColor(MenuText, 1.0f);
    ctx.getFont()->drawStringScaled(kOrientationTitles[toInt(orientation)], 16.0f, top - kTitleHeight / 2.0f,
                                    WsFont::LEFT, WsFont::CENTER, 1.0f);
    const auto& tools = PiToolRegistry::getInstance().getTools();
    for (size_t i = 0; i < tools.size(); ++i) {
        const RCStrongPtr<PiNode> processing = createProcessingNode(*graph, *tools[i]);
        const RCStrongPtr<ScNode> node = ScNodeFactory::getInstance().createNode(processing, orientation);
        if (node.isNull()) continue;
        node->setName(processing->getName());
        addImageSockets(*node, *processing);
        const int column = static_cast<int>(i) % kColumns, row = static_cast<int>(i) / kColumns;
        // Names below and right of the box need room on the right: the box sits left of the cell's middle.
        node->setPosition({kCellWidth * (static_cast<float>(column) + 0.4f),
                           top - kTitleHeight - kCellHeight * (static_cast<float>(row) + 0.5f)});
        node->draw(ctx);
    }
}

int runContactSheet(const std::vector<std::string>& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "schematic contact-sheet: give the PNG file to write\n");
        return 2;
    }
    if (ScNodeIconRegistry::getState() == ScNodeIconRegistry::NotInitialized) ScNodeIconRegistry::initialize();
    if (ScNodeFactory::getState() == ScNodeFactory::NotInitialized) ScNodeFactory::initialize();
    const int width = static_cast<int>(kCellWidth) * kColumns;
    const int height = static_cast<int>(3.0f * getSectionHeight());
    GlHeadlessContext context(width, height);
    const ScColorTable colors = ScDrawContext::readShippedColorTable();
    ScDrawContext::beginFrame(GeRectangle<float>(0.0f, float(width), 0.0f, float(height)), width, height, colors);
    const RCShdPtr<WsFont> font = WsFontRegistry::getFont();
    if (font.isNull()) {
        std::fprintf(stderr, "schematic contact-sheet: no font found through fontconfig\n");
        return 1;
    }
    ScDrawContext ctx(nullptr, font, font, 1.0f, colors, 1.0f);
    const RCStrongPtr<PiGraph> graph = PiGraph::create("Contact sheet");
    for (int orientation = 0; orientation <= getMaxScCode<ScOrientation>(); ++orientation)
        drawSection(ctx, graph, toScCode<ScOrientation>(orientation),
                    static_cast<float>(height) - getSectionHeight() * static_cast<float>(orientation));
    glFinish();
    IxPngFile::writeOpaque(args[0], context.readPixels());
    std::printf("%s\t%dx%d\n", args[0].c_str(), width, height);
    return 0;
}

const AppCommand::Registration registration({"contact-sheet", "contact-sheet OUT.png",
                                             "draw every built-in tool's node in the three orientations",
                                             runContactSheet});

} // namespace
} // namespace Zv

#include "views/schematic/src/scToolset.h"

#include "views/schematic/src/scContextPointTool.h"
#include "views/schematic/src/scDisconnectTool.h"
#include "views/schematic/src/scLinkTool.h"
#include "views/schematic/src/scMoveGroupTool.h"
#include "views/schematic/src/scMoveTool.h"
#include "views/schematic/src/scNavigateTool.h"
#include "views/schematic/src/scSelectTool.h"
#include "views/schematic/src/scTabTool.h"

#include <span>

namespace Zv {
namespace {

struct ChainLink {
    const char* name;
    RCShdPtr<MfTool> (*make)();
};

template <class Tool>
RCShdPtr<MfTool> makeTool() {
    return makeRC<Tool>();
}

// The tools of each chain, in the order they are offered events. The select tool comes before the
// tab, move and move-group tools, so it decides first whether a press starts a band; the disconnect
// and link tools belong to editing only.
constexpr ChainLink kBrowseChain[] = {
    {"Navigate", &makeTool<ScNavigateTool>}, {"SetContextPoint", &makeTool<ScContextPointTool>},
    {"Select", &makeTool<ScSelectTool>},     {"Tab", &makeTool<ScTabTool>},
    {"Move", &makeTool<ScMoveTool>},         {"Move Group", &makeTool<ScMoveGroupTool>}};
constexpr ChainLink kEditChain[] = {{"Navigate", &makeTool<ScNavigateTool>},
                                    {"SetContextPoint", &makeTool<ScContextPointTool>},
                                    {"Disconnect", &makeTool<ScDisconnectTool>},
                                    {"Select", &makeTool<ScSelectTool>},
                                    {"Link", &makeTool<ScLinkTool>},
                                    {"Tab", &makeTool<ScTabTool>},
                                    {"Move", &makeTool<ScMoveTool>},
                                    {"Move Group", &makeTool<ScMoveGroupTool>}};

} // namespace

ScToolset::ScToolset(MfViewer& viewer) : MfChainOfResponsibilityToolset(viewer) {
    setMode(0);
}

ScToolset::~ScToolset() = default;

void ScToolset::setMode(int mode) {
    _mode = mode;
    removeAllTools();
    const std::span<const ChainLink> chain =
        mode == EditMode ? std::span<const ChainLink>(kEditChain) : std::span<const ChainLink>(kBrowseChain);
    for (const ChainLink& link : chain) appendTool(link.name, link.make());
}

} // namespace Zv

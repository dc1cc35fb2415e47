#include "views/schematic/src/scToggleIRTab.h"

#include "views/schematic/src/scDrawContext.h"

#include "platform/base/assertions.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piNode.h"
#include "platform/graph/piSocketUtil.h"

#include <string>

namespace Zv {

ScToggleIRTab::ScToggleIRTab(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor,
                             const RCStrongPtr<PiNode>& tool)
    : ScRoundedTab(start, end, anchor), _tool(tool) {
    ZV_ASSERT(!tool.isNull());
    // The strip shows the state of the node's result, so the node must have one.
    const RCStrongPtr<PiOutput> firstOutput = PiSocketUtil::getPrimaryOutput(*tool);
    ZV_ASSERT(!firstOutput.isNull());
}

ScToggleIRTab::ScToggleIRTab(const EdgePos& start, const EdgePos& end, UPtr<ScRoundedBox> anchor)
    : ScRoundedTab(start, end, anchor) {}

ScToggleIRTab::~ScToggleIRTab() = default;

std::unique_ptr<ScBorderTab> ScToggleIRTab::clone() const {
    return cloneFor(_tool);
}

std::unique_ptr<ScBorderTab> ScToggleIRTab::cloneFor(const RCStrongPtr<PiNode>& tool) const {
    if (tool.isNull()) return std::make_unique<ScToggleIRTab>(getStartPos(), getEndPos(), getAnchorRBox());
    return std::make_unique<ScToggleIRTab>(getStartPos(), getEndPos(), getAnchorRBox(), tool);
}

int ScToggleIRTab::getState() const {
    ZV_ASSERT(!_tool.isNull());
    if (!PiImageModifier::isImageModifier(*_tool)) return 0;
    return PiImageModifier::isMuted(*_tool) ? 1 : 0;
}

int ScToggleIRTab::getColorIndex() const {
    const int state = getState();
    switch (state) {
    case 0: return IRDisabled;
    case 1: return IREnabled;
    }
    ZV_ABORT("unknown IR state " + std::to_string(state));
}

} // namespace Zv

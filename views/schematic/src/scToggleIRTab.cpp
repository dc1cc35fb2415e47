#include "views/schematic/src/scToggleIRTab.h"

#include "views/schematic/src/scDrawContext.h"

#include "platform/base/assertions.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piNode.h"
#include "platform/graph/piSocketUtil.h"

#include <string>

namespace Zv {

std::unique_ptr<ScBorderTab> ScToggleIRTab::clone() const {
    return std::make_unique<ScToggleIRTab>(getStartPos(), getEndPos(), getAnchorRBox());
}

void ScToggleIRTab::reportOn(const RCStrongPtr<PiNode>& tool) {
    ZV_ASSERT(!tool.isNull());
    const RCStrongPtr<PiOutput> firstOutput = PiSocketUtil::getPrimaryOutput(*tool);
    ZV_ASSERT(!firstOutput.isNull());
    _state = PiImageModifier::isImageModifier(*tool) && PiImageModifier::isMuted(*tool) ? 1 : 0;
}

int ScToggleIRTab::getColorIndex() const {
    switch (_state) {
    case 0: return IRDisabled;
    case 1: return IREnabled;
    }
    ZV_ABORT("unknown IR state " + std::to_string(_state));
}

} // namespace Zv

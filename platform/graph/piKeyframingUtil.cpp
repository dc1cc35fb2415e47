#include "platform/graph/piKeyframingUtil.h"

#include "platform/graph/piGraph.h"

namespace Zv {

PiKeyframingUtil& PiKeyframingUtil::getKeyframingUtil() {
    static PiKeyframingUtil instance;
    return instance;
}

void PiKeyframingUtil::markTool(const RCStrongPtr<PiNode>& node, const RCShdPtr<PiPath>& timePath) {
    node->getGraph()->setValue(node, PiValueKind::KeyframeMark, {}, PiValueData::of(1));
}

void PiKeyframingUtil::unmarkTool(const RCStrongPtr<PiNode>& node) {
    node->getGraph()->setValue(node, PiValueKind::KeyframeMark, {}, PiValueData());
}

bool PiKeyframingUtil::hasMarkedAttributes(const PiNode& node) {
    return node.getValue(PiValueKind::KeyframeMark).isSet;
}

CbRegistration PiKeyframingUtil::addMarkingCallback(RCStrongPtr<MarkingHandler> handler) {
    return getKeyframingUtil()._markingChanged.add(std::move(handler));
}

void PiKeyframingUtil::notifyMarkingChanged(const RCStrongPtr<PiNode>& node) {
    getKeyframingUtil()._markingChanged.call(node);
}

} // namespace Zv

#include "platform/graph/piImageModifier.h"

#include "platform/base/assertions.h"
#include "platform/graph/piGraph.h"
#include "platform/graph/piTool.h"

namespace Zv {

bool PiImageModifier::isImageModifier(const PiNode& node) {
    return node.getToolRef().getKind() == PiTool::Modifier;
}

bool PiImageModifier::isMuted(const PiNode& node) {
    return node.getValue(PiValueKind::Mute).isSet;
}

void PiImageModifier::setMuted(const RCStrongPtr<PiNode>& node, bool muted) {
    ZV_ASSERT(isImageModifier(*node));
    node->getGraph()->setValue(node, PiValueKind::Mute, {}, muted ? PiValueData::of(1) : PiValueData());
}

PiConversionInfo PiImageModifier::getConversionInfo(const PiInput& input) {
    int expected = input.getDesc().channels;
    RCStrongPtr<PiOutput> source = input.getOutput();
    int arriving = source.isNull() ? expected : source->getChannels();
    int work = expected == PiSocketDesc::Any ? arriving : expected;
    return {{arriving}, {work}};
}

} // namespace Zv

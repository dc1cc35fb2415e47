#include "views/schematic/src/svModelEdge.h"

#include "platform/graph/piNode.h"

namespace Zv {

SvModelEdge::SvModelEdge(const RCStrongPtr<ScNode>& source, int sourceTab, int sourceFan,
                         const RCStrongPtr<ScNode>& target, int targetTab, int targetFan, int tag,
                         const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input)
    : ScEdge(source, sourceTab, sourceFan, target, targetTab, targetFan, tag), _output(output), _input(input) {}

SvModelEdge::~SvModelEdge() = default;

bool SvModelEdge::isValid() const {
    return _output->isLive() && _input->isLive();
}

RCStrongPtr<PiOutput> SvModelEdge::getSourceOutput() const {
    return _output;
}

RCStrongPtr<PiInput> SvModelEdge::getTargetInput() const {
    return _input;
}

} // namespace Zv

#include "platform/graph/piBoundaryNode.h"

namespace Zv {

PiBoundaryNode::PiBoundaryNode(PiGraph* graph, int id, PiTool* tool, RCStrongPtr<PiSocket> groupSocket)
    : PiNode(graph, id, tool, groupSocket->getName()), _groupSocket(std::move(groupSocket)),
      _isOutput(!_groupSocket->isInput()) {
    const PiSocketDesc* desc = &_groupSocket->getDesc();
    if (_isOutput) _inputs.push_back(makeRC<PiInput>(this, desc, 0));
    else _outputs.push_back(makeRC<PiOutput>(this, desc, 0));
}

RCStrongPtr<PiSocket> PiBoundaryNode::getInnerSocket() const {
    if (_isOutput) return getInputs().front();
    return getOutputs().front();
}

} // namespace Zv

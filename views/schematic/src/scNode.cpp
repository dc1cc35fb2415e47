#include "views/schematic/src/scNode.h"

#include "views/schematic/src/scConnectionSet.h"

#include "platform/base/assertions.h"

#include <string>

namespace Zv {

ScNode::~ScNode() = default;

void ScNode::getBounds(GeRectangle<float>& out, const ScContext&) const {
    getBoxBounds(out);
}

void ScNode::getBoxBounds(GeRectangle<float>& out) const {
    GeVector2<float> size;
    getSize(size);
    const GeVector2<float> half = size * 0.5f;
    out = GeRectangle<float>::spanning(_position - half, _position + half);
}

void ScNode::addInput(SocketRecord& socket) {
    socket.index = static_cast<int32_t>(_inputs.size());
    _inputs.push_back(socket);
}

void ScNode::addOutput(SocketRecord& socket) {
    socket.index = static_cast<int32_t>(_outputs.size());
    _outputs.push_back(socket);
}

void ScNode::setColor(bool hasColor, const UiResColor& color) {
    _hasColor = hasColor;
    if (hasColor) _color = color;
}

GeVector2<float> ScNode::getFlowDirection() const {
    switch (_orientation) {
    case 0: return {0.0f, -1.0f};
    case 1: return {1.0f, 0.0f};
    case 2: return {0.0f, 1.0f};
    }
    ZV_ABORT("unknown orientation " + std::to_string(_orientation));
}

GeVector2<float> ScNode::getSocketDirection(const ScConnectionSet& set, int setIndex, bool isInput) const {
    const float w = set.getNormalWeight(setIndex);
    const GeVector2<float> along = set.getConnectionNormal(setIndex) * w, flow = getFlowDirection() * (1.0f - w);
    return isInput ? along - flow : along + flow;
}

int ScNode::getOutputChannelKind(int) const {
    return 0;
}

} // namespace Zv

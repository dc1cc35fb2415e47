#include "views/schematic/src/scImageToggleNode.h"

#include "platform/base/assertions.h"

namespace Zv {

ScImageToggleNode::ScImageToggleNode(const RCStrongPtr<ScNode>& imageShownNode,
                                     const RCStrongPtr<ScNode>& imageNotShownNode)
    : ScNode(imageShownNode.isNull() ? ScOrientation::Down : imageShownNode->getOrientation()),
      _imageShownNode(imageShownNode), _imageNotShownNode(imageNotShownNode) {
    ZV_ASSERT(!_imageShownNode.isNull());
    ZV_ASSERT(!_imageNotShownNode.isNull());
    setBaseSize(getShownNode().getBaseSize());
}

ScImageToggleNode::~ScImageToggleNode() = default;

ScNode& ScImageToggleNode::getShownNode() const {
    return isThumbnailShown() ? *_imageShownNode : *_imageNotShownNode;
}

template <class Setter>
void ScImageToggleNode::forBoth(Setter setter) {
    setter(*_imageShownNode);
    setter(*_imageNotShownNode);
}

// Setters reach both looks and the node itself.

void ScImageToggleNode::setName(const LiString& name) {
    forBoth([&](ScNode& node) { node.setName(name); });
    ScNode::setName(name);
}

void ScImageToggleNode::setPosition(const GePoint2<float>& position) {
    forBoth([&](ScNode& node) { node.setPosition(position); });
    ScNode::setPosition(position);
}

void ScImageToggleNode::clearIcon() {
    forBoth([](ScNode& node) { node.clearIcon(); });
    ScNode::clearIcon();
}

void ScImageToggleNode::setIcon(const IxTile& image) {
    forBoth([&](ScNode& node) { node.setIcon(image); });
    ScNode::setIcon(image);
}

void ScImageToggleNode::setHighlighted(bool highlighted) {
    forBoth([&](ScNode& node) { node.setHighlighted(highlighted); });
    ScNode::setHighlighted(highlighted);
}

void ScImageToggleNode::setThumbnailShown(bool shown) {
    forBoth([&](ScNode& node) { node.setThumbnailShown(shown); });
    ScNode::setThumbnailShown(shown);
    setBaseSize(getShownNode().getBaseSize());
}

void ScImageToggleNode::setCanCollapse(bool canCollapse) {
    forBoth([&](ScNode& node) { node.setCanCollapse(canCollapse); });
    ScNode::setCanCollapse(canCollapse);
}

void ScImageToggleNode::setIRToggleEnabled(bool enabled) {
    forBoth([&](ScNode& node) { node.setIRToggleEnabled(enabled); });
    ScNode::setIRToggleEnabled(enabled);
}

void ScImageToggleNode::addInput(SocketRecord& socket) {
    forBoth([&](ScNode& node) { node.addInput(socket); });
    ScNode::addInput(socket);
}

void ScImageToggleNode::addOutput(SocketRecord& socket) {
    forBoth([&](ScNode& node) { node.addOutput(socket); });
    ScNode::addOutput(socket);
}

void ScImageToggleNode::clearSockets() {
    forBoth([](ScNode& node) { node.clearSockets(); });
    ScNode::clearSockets();
}

void ScImageToggleNode::setInsertMode(bool insertMode) {
    forBoth([&](ScNode& node) { node.setInsertMode(insertMode); });
    ScNode::setInsertMode(insertMode);
}

void ScImageToggleNode::setColor(bool hasColor, const UiResColor& color) {
    forBoth([&](ScNode& node) { node.setColor(hasColor, color); });
    ScNode::setColor(hasColor, color);
}

void ScImageToggleNode::setSocketFlag(ScPart side, size_t index, bool on) {
    forBoth([&](ScNode& node) { node.setSocketFlag(side, index, on); });
    ScNode::setSocketFlag(side, index, on);
}

void ScImageToggleNode::setInputConverted(size_t index, bool converted) {
    forBoth([&](ScNode& node) { node.setInputConverted(index, converted); });
    ScNode::setInputConverted(index, converted);
}

void ScImageToggleNode::setContextPoint(int contextPointTag, bool on) {
    forBoth([&](ScNode& node) { node.setContextPoint(contextPointTag, on); });
    ScNode::setContextPoint(contextPointTag, on);
}

void ScImageToggleNode::setViewer(UPtr<ScViewer> viewer) {
    forBoth([&](ScNode& node) { node.setViewer(viewer); });
    ScNode::setViewer(viewer);
}

// Queries and drawing go to the look shown now.

void ScImageToggleNode::getSize(GeVector2<float>& out) const {
    getShownNode().getSize(out);
}

void ScImageToggleNode::getBounds(GeRectangle<float>& out, const ScContext& ctx) const {
    getShownNode().getBounds(out, ctx);
}

void ScImageToggleNode::getBoxBounds(GeRectangle<float>& out) const {
    getShownNode().getBoxBounds(out);
}

void ScImageToggleNode::drawDecorations(ScDrawContext& ctx, float alpha) {
    getShownNode().drawDecorations(ctx, alpha);
}

void ScImageToggleNode::drawHighlight(ScDrawContext& ctx, float alpha) {
    getShownNode().drawHighlight(ctx, alpha);
}

void ScImageToggleNode::drawOutline(ScDrawContext& ctx, float alpha) {
    getShownNode().drawOutline(ctx, alpha);
}

void ScImageToggleNode::drawToggleTab(ScDrawContext& ctx, float alpha) {
    getShownNode().drawToggleTab(ctx, alpha);
}

void ScImageToggleNode::drawName(ScDrawContext& ctx) {
    getShownNode().drawName(ctx);
}

bool ScImageToggleNode::pickSocket(const GePoint2<float>& p, bool markHovered, int& index, ScPart& partCode) {
    return getShownNode().pickSocket(p, markHovered, index, partCode);
}

GePoint2<float> ScImageToggleNode::getInputConnectionPoint(int index, int fanIndex) const {
    return getShownNode().getInputConnectionPoint(index, fanIndex);
}

GePoint2<float> ScImageToggleNode::getOutputConnectionPoint(int index, int fanIndex) const {
    return getShownNode().getOutputConnectionPoint(index, fanIndex);
}

GeVector2<float> ScImageToggleNode::getInputDirection(int index) const {
    return getShownNode().getInputDirection(index);
}

GeVector2<float> ScImageToggleNode::getOutputDirection(int index) const {
    return getShownNode().getOutputDirection(index);
}

} // namespace Zv

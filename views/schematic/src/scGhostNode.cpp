#include "views/schematic/src/scGhostNode.h"

namespace Zv {

ScGhostNode::ScGhostNode(const RCStrongPtr<ScNode>& source, ScPart partCode, int socketIndex)
    : ScNode(source->getOrientation()), _source(source), _partCode(partCode), _socketIndex(socketIndex) {
    setName(source->getName());
    if (partCode == ScPart::Input) {
        // An input ghost shows the bare node: its thumbnail would hide where the input is.
        source->setThumbnailShown(false);
        setThumbnailShown(false);
    }
    setBaseSize(source->getBaseSize());
}

ScGhostNode::~ScGhostNode() = default;

void ScGhostNode::getSize(GeVector2<float>& out) const {
    _source->getSize(out);
}

void ScGhostNode::getBoxBounds(GeRectangle<float>& out) const {
    _source->getBoxBounds(out);
}

void ScGhostNode::getBounds(GeRectangle<float>& out, const ScContext& ctx) const {
    _source->getBounds(out, ctx);
}

void ScGhostNode::drawDecorations(ScDrawContext& ctx, float alpha) {
    _source->drawDecorations(ctx, alpha);
}

void ScGhostNode::drawHighlight(ScDrawContext& ctx, float alpha) {
    _source->drawHighlight(ctx, alpha);
    if (_partCode == ScPart::Output) _source->drawToggleTab(ctx, alpha);
}

void ScGhostNode::drawOutline(ScDrawContext& ctx, float alpha) {
    _source->drawOutline(ctx, alpha);
}

void ScGhostNode::drawName(ScDrawContext& ctx) {
    _source->drawName(ctx);
}

bool ScGhostNode::pickSocket(const GePoint2<float>& p, bool markHovered, int& index, ScPart& partCode) {
    int sourceIndex = -1;
    ScPart sourcePart = ScPart::Body;
    if (!_source->pickSocket(p, markHovered, sourceIndex, sourcePart)) return false;
    if (sourcePart == _partCode && sourceIndex == _socketIndex) {
        index = 0;
        partCode = sourcePart;
    } else if (sourcePart == ScPart::FirstStrip && _partCode != ScPart::Input) {
        partCode = sourcePart;
    } else {
        index = -1;
        partCode = ScPart::Body;
    }
    return true;
}

GePoint2<float> ScGhostNode::getInputConnectionPoint(int, int fanIndex) const {
    return _source->getInputConnectionPoint(_socketIndex, fanIndex);
}

GePoint2<float> ScGhostNode::getOutputConnectionPoint(int, int fanIndex) const {
    return _source->getOutputConnectionPoint(_socketIndex, fanIndex);
}

GeVector2<float> ScGhostNode::getInputDirection(int) const {
    return _source->getInputDirection(_socketIndex);
}

GeVector2<float> ScGhostNode::getOutputDirection(int) const {
    return _source->getOutputDirection(_socketIndex);
}

} // namespace Zv

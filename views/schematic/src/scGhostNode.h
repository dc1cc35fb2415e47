#pragma once

#include "views/schematic/src/scNode.h"

namespace Zv {

// Stands in for one socket of another scene node: it draws and answers through that node, and
// reports a hit on its own socket as its socket 0.
class ScGhostNode : public ScNode {
public:
    // Stands for the source's input or output socketIndex.
    ScGhostNode(const RCStrongPtr<ScNode>& source, ScPart partCode, int socketIndex);
    ~ScGhostNode() override;

    void getSize(GeVector2<float>& out) const override;
    void getBoxBounds(GeRectangle<float>& out) const override;
    void getBounds(GeRectangle<float>& out, const ScContext& ctx) const override;
    void drawDecorations(ScDrawContext& ctx, float alpha) override;
    void drawHighlight(ScDrawContext& ctx, float alpha) override;
    void drawOutline(ScDrawContext& ctx, float alpha) override;
    void drawName(ScDrawContext& ctx) override;
    bool pickSocket(const GePoint2<float>& p, bool markHovered, int& index, ScPart& partCode) override;
    GePoint2<float> getInputConnectionPoint(int index, int fanIndex) const override;
    GePoint2<float> getOutputConnectionPoint(int index, int fanIndex) const override;
    GeVector2<float> getInputDirection(int index) const override;
    GeVector2<float> getOutputDirection(int index) const override;
    bool hasProcessingNode() const override { return false; }
    UiResColor getBodyColor() const override { return _source->getBodyColor(); }

    const RCStrongPtr<ScNode>& getSource() const { return _source; }
    ScPart getPartCode() const { return _partCode; }
    int getSocketIndex() const { return _socketIndex; }

private:
    RCStrongPtr<ScNode> _source;
    ScPart _partCode;
    int _socketIndex;
};

} // namespace Zv

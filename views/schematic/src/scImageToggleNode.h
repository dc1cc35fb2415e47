#pragma once

#include "views/schematic/src/scNode.h"

namespace Zv {

// Two looks of one node: one while its thumbnail is shown, one while it is not.
class ScImageToggleNode : public ScNode {
public:
    ScImageToggleNode(const RCStrongPtr<ScNode>& imageShownNode, const RCStrongPtr<ScNode>& imageNotShownNode);
    ~ScImageToggleNode() override;

    void setName(const LiString& name) override;
    void setPosition(const GePoint2<float>& position) override;
    void getSize(GeVector2<float>& out) const override;
    void getBounds(GeRectangle<float>& out, const ScContext& ctx) const override;
    void getBoxBounds(GeRectangle<float>& out) const override;
    void clearIcon() override;
    void setIcon(const IxTile& image) override;
    void setHighlighted(bool highlighted) override;
    void setThumbnailShown(bool shown) override;
    void setCanCollapse(bool canCollapse) override;
    void setIRToggleEnabled(bool enabled) override;
    void addInput(SocketRecord& socket) override;
    void addOutput(SocketRecord& socket) override;
    void clearSockets() override;
    void setInsertMode(bool insertMode) override;
    void setColor(bool hasColor, const UiResColor& color) override;
    void setSocketFlag(ScPart side, size_t index, bool on) override;
    void setInputConverted(size_t index, bool converted) override;
    void drawDecorations(ScDrawContext& ctx, float alpha) override;
    void drawHighlight(ScDrawContext& ctx, float alpha) override;
    void drawOutline(ScDrawContext& ctx, float alpha) override;
    void drawToggleTab(ScDrawContext& ctx, float alpha) override;
    void drawName(ScDrawContext& ctx) override;
    bool pickSocket(const GePoint2<float>& p, bool markHovered, int& index, ScPart& partCode) override;
    GePoint2<float> getInputConnectionPoint(int index, int fanIndex) const override;
    GePoint2<float> getOutputConnectionPoint(int index, int fanIndex) const override;
    GeVector2<float> getInputDirection(int index) const override;
    GeVector2<float> getOutputDirection(int index) const override;
    void setContextPoint(int contextPointTag, bool on) override;
    void setViewer(UPtr<ScViewer> viewer) override;
    UiResColor getBodyColor() const override { return getShownNode().getBodyColor(); }

    const RCStrongPtr<ScNode>& getImageShownNode() const { return _imageShownNode; }
    const RCStrongPtr<ScNode>& getImageNotShownNode() const { return _imageNotShownNode; }
    // The inner node that answers now.
    ScNode& getShownNode() const;

private:
    template <class Setter>
    void forBoth(Setter setter);

    RCStrongPtr<ScNode> _imageShownNode;
    RCStrongPtr<ScNode> _imageNotShownNode;
};

} // namespace Zv

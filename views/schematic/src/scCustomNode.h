#pragma once

#include "views/schematic/src/scBorderTab.h"
#include "views/schematic/src/scConnectionSet.h"
#include "views/schematic/src/scIcon.h"
#include "views/schematic/src/scImageHandler.h"
#include "views/schematic/src/scNode.h"
#include "views/schematic/src/scNodeDesign.h"
#include "views/schematic/src/scNodeShape.h"
#include "views/schematic/src/scRoundedBox.h"

#include <memory>

namespace Zv {

class ScFeedbackTab;
class ScToggleIRTab;

// The node a CustomNode description builds: a rounded box with the sets and tabs the description
// places on its outline. Its look is a design that the nodes of a description share, and its geometry
// a shape that the nodes showing as many sockets share; the node answers sizes, connection points and
// picks from the shape placed where it stands, and ScCustomNodePainter draws it.
class ScCustomNode : public ScNode {
public:
    using NameAlignment = ScNodeDesign::NameAlignment;
    using enum ScNodeDesign::NameAlignment;
    using ColorKind = ScNodeDesign::ColorKind;
    using enum ScNodeDesign::ColorKind;
    static constexpr float kToggleWidth = 6.0f;
    static constexpr float kToggleHoverWidth = 15.0f;
    // The dark frame round a shown thumbnail.
    static constexpr float kThumbnailFrame = 2.0f;

    ScCustomNode(ScOrientation orientation, float height, float width, float cornerRadius);
    ~ScCustomNode() override;

    // A copy of this node as built; it shares this node's design until one of them changes it.
    RCStrongPtr<ScCustomNode> clone() const;

    void getSize(GeVector2<float>& out) const override;
    void getBounds(GeRectangle<float>& out, const ScContext& ctx) const override;
    void getBoxBounds(GeRectangle<float>& out) const override;
    void addInput(SocketRecord& socket) override;
    void addOutput(SocketRecord& socket) override;
    void clearSockets() override;
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

    // Elements built by the factory; each becomes part of the node's own design.
    void setBody(std::unique_ptr<ScImageHandler> body);
    void setNameAlignment(NameAlignment alignment);
    void setColorKind(int colorKind);
    void setInputSet(std::unique_ptr<ScConnectionSet> set);
    void setOutputSet(std::unique_ptr<ScConnectionSet> set);
    void setToggleImageTab(std::unique_ptr<ScBorderTab> tab);
    void setToggleIRTab(std::unique_ptr<ScToggleIRTab> tab);
    void setFeedbackTab(std::unique_ptr<ScFeedbackTab> tab);
    void setLinkNodeIconTab(std::unique_ptr<ScBorderTab> tab);
    void addGenericTab(std::unique_ptr<ScBorderTab> tab, const RCShdPtr<ScIcon>& icon);

    const RCStrongPtr<ScNodeDesign>& getDesign() const { return _design; }
    NameAlignment getNameAlignment() const { return _design->getNameAlignment(); }
    int getColorKind() const { return _design->getColorKind(); }
    int getNbInputs() const { return static_cast<int>(getInputs().size()); }
    int getNbOutputs() const { return static_cast<int>(getOutputs().size()); }
    int getNbGenericTabs() const { return static_cast<int>(_design->getPrototypes().genericTabs.size()); }
    // The shape placed where this node stands; it moves on when another node of the shape is asked.
    ScNodeShape& getPlacedShape() const;
    // Parts of the placed shape, for as long as it stays placed here; null when the description has none.
    const ScRoundedBox& getBox() const { return getPlacedShape().getBox(); }
    const ScImageHandler* getBody() const { return getPlacedShape().getParts().body.get(); }
    const ScConnectionSet* getInputSet() const { return getPlacedShape().getParts().inputSet.get(); }
    const ScConnectionSet* getOutputSet() const { return getPlacedShape().getParts().outputSet.get(); }
    const ScBorderTab* getToggleImageTab() const { return getPlacedShape().getParts().toggleImageTab.get(); }
    const ScToggleIRTab* getToggleIRTab() const { return getPlacedShape().getParts().toggleIRTab.get(); }
    const ScFeedbackTab* getFeedbackTab() const { return getPlacedShape().getParts().feedbackTab.get(); }
    const ScBorderTab* getLinkNodeIconTab() const { return getPlacedShape().getParts().linkNodeIconTab.get(); }
    const ScBorderTab& getGenericTab(int i) const { return *getPlacedShape().getParts().genericTabs.at(i); }
    // The colour the body is filled with: the user's colour, else that of the colour kind.
    UiResColor getBodyColor() const override;
    // Where the thumbnail goes while it is shown: beside the box, or below it when the flow runs right.
    GeRectangle<float> getThumbnailRect() const;
    // The name label's rectangle for a font of that ascent and descent.
    GeRectangle<float> getNameRect(float ascent, float descent) const;
    // The tab of the input (output) set that shows socket index.
    int toInputSetIndex(int index) const;
    int toOutputSetIndex(int index) const;
    // Hovered by the last marking pick: the socket sets and the two strips are drawn wider.
    bool isInputSetHovered() const { return _inputHovered; }
    bool isOutputSetHovered() const { return _outputHovered; }
    bool isToggleImageHovered() const { return _toggleImageHovered; }
    bool isToggleIRHovered() const { return _toggleIRHovered; }

private:
    ScCustomNode(const ScCustomNode& other);

    // The design to change: this node's own, copied first when others share it.
    ScNodeDesign& editDesign();
    // The shape for the current socket counts, wherever it was placed last: for what needs no position.
    const ScNodeShape& getShape() const;
    // The box about the centre, moved to the node.
    GeRectangle<float> getRect() const;
    // Sets run clockwise; sockets past what a set shows (one-tab sets) share its last tab.
    int toSetIndex(const ScConnectionSet& set, int index, int n, bool isInput) const;
    bool isOnBody(const GePoint2<float>& p) const;

    RCStrongPtr<ScNodeDesign> _design;
    // Null while the sockets change: the next query takes the shape for the new counts.
    mutable RCStrongPtr<ScNodeShape> _shape;
    bool _inputHovered = false;
    bool _outputHovered = false;
    bool _toggleImageHovered = false;
    bool _toggleIRHovered = false;
    // The socket sets as the last drawing widened them: a fan's connection points follow its width.
    bool _inputsWidened = false;
    bool _outputsWidened = false;
};

} // namespace Zv

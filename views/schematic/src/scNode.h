#pragma once

#include "views/schematic/src/scSceneIndex.h"

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"
#include "platform/base/geVector2.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/base/uPtr.h"
#include "platform/ui/ixTile.h"
#include "platform/ui/uiResColor.h"
#include "views/schematic/src/scDefinitions.h"

#include <bitset>
#include <cstdint>
#include <vector>

namespace Zv {

class PiNode;
class ScConnectionSet;
class ScContext;
class ScDrawContext;
class ScIcon;
class ScViewer;

// A processing node as drawn in the schematic. The kinds decide size, tabs and drawing.
class ScNode : public RCBase {
public:
    // One input or output socket as the node shows it.
    struct SocketRecord {
        int32_t useCount = 0;
        bool flag = false;
        LiString label;
        int32_t index = -1;     // place in its list, filled in when added
        bool converted = false; // the node converts the image this input brings

        bool isHighlighted() const { return useCount >= 1 || flag; }
    };

    // A node answers picks only this near its box bounds; the scene index relies on it.
    static constexpr float kPickMargin = 12.0f;
    static constexpr UiResColor kPlainBodyColor{0.314f, 0.314f, 0.314f};

    explicit ScNode(ScOrientation orientation);
    ~ScNode() override;

    virtual void setName(const LiString& name) { _name = name; }
    // The centre of the node.
    virtual void setPosition(const GePoint2<float>& position) {
        _position = position;
        ScSceneIndex::boundsChanged();
    }
    virtual void getSize(GeVector2<float>& out) const = 0;
    // Box bounds plus whatever a kind draws outside the box.
    virtual void getBounds(GeRectangle<float>& out, const ScContext& ctx) const;
    virtual void getBoxBounds(GeRectangle<float>& out) const;
    virtual GeVector2<float> getBaseSize() const { return _baseSize; }
    virtual void clearIcon();
    // A thumbnail or icon image; the node keeps its own ScIcon of it.
    virtual void setIcon(const IxTile& image);
    virtual void setHighlighted(bool highlighted) { _highlighted = highlighted; }
    virtual bool isThumbnailShown() const { return _thumbnailShown; }
    virtual void setThumbnailShown(bool shown) {
        _thumbnailShown = shown;
        ScSceneIndex::boundsChanged();
    }
    virtual bool canCollapse() const { return _canCollapse; }
    virtual void setCanCollapse(bool canCollapse) { _canCollapse = canCollapse; }
    // While false the IR toggle tab cannot be picked.
    virtual bool isIRToggleEnabled() const { return _irToggle; }
    virtual void setIRToggleEnabled(bool enabled) { _irToggle = enabled; }
    virtual void addInput(SocketRecord& socket);
    virtual void addOutput(SocketRecord& socket);
    // Drops every socket record, for the sockets to be added again.
    virtual void clearSockets();
    // While true the input side draws only the insert arrow.
    virtual void setInsertMode(bool insertMode) { _insertMode = insertMode; }
    virtual void setColor(bool hasColor, const UiResColor& color);
    virtual void drawDecorations(ScDrawContext& ctx, float alpha) = 0;
    // The details block over the node: name and tool, result format, anchors.
    virtual void drawDetails(ScDrawContext& ctx);
    virtual void drawHighlight(ScDrawContext& ctx, float alpha) = 0;
    virtual void drawOutline(ScDrawContext& ctx, float alpha) { drawHighlight(ctx, alpha); }
    virtual void drawToggleTab(ScDrawContext&, float) {}
    virtual void drawName(ScDrawContext& ctx);
    virtual bool pickSocket(const GePoint2<float>& p, bool markHovered, int& index, ScPart& partCode) = 0;
    virtual GePoint2<float> getInputConnectionPoint(int index, int fanIndex) const = 0;
    virtual GePoint2<float> getOutputConnectionPoint(int index, int fanIndex) const = 0;
    virtual GeVector2<float> getInputDirection(int index) const { return -getFlowDirection(); }
    virtual GeVector2<float> getOutputDirection(int index) const { return getFlowDirection(); }
    // Attaches or detaches one of the composition's context points (viewer anchors).
    virtual void setContextPoint(int contextPointTag, bool on);
    virtual bool hasProcessingNode() const { return true; }
    virtual void setViewer(UPtr<ScViewer> viewer) { _viewer = viewer; }
    // The colour the body is filled with; a node too small to show in detail is a rectangle of it.
    virtual UiResColor getBodyColor() const { return _hasColor ? _color : kPlainBodyColor; }

    // One node's whole picture: decorations, highlight pass, outline in the selection colour, name.
    void draw(ScDrawContext& ctx);
    // Where the graph flows: down, right or up.
    GeVector2<float> getFlowDirection() const;

    // The processing node shown; null for nodes that only mirror another.
    void setProcessingNode(const RCStrongPtr<PiNode>& node);
    const RCStrongPtr<PiNode>& getProcessingNode() const { return _processing.node; }
    // Channel layout of an output's image: 1 alpha only, 3 RGB, 0 or 4 RGBA; 0 out of range.
    int getOutputChannelKind(int output) const;
    // The output's layout is read again on its next use (its result changed).
    void invalidateOutputChannelKind(int output);

    bool hasContextPoint(int contextPointTag) const;
    int32_t getContextPointCount() const { return _contextPointCount; }
    // Switches the highlight of one socket record; side Input or Output.
    virtual void setSocketFlag(ScPart side, size_t index, bool on);
    // Shows or hides the conversion marker of one input tab.
    virtual void setInputConverted(size_t index, bool converted);

    // Text cut to the rectangle's width; alignments 0, 1, 2 are left/bottom, centre, right/top.
    void drawText(ScDrawContext& ctx, const LiString& text, const GeRectangle<float>& rect, int hAlign,
                  int vAlign) const;
    // What drawDetails shows, also the node's tooltip.
    std::vector<LiString> getDetailsLines() const;
    // "(C13) " for a node carrying context points 1 and 3 (as users number them), else empty.
    LiString getContextPointPrefix() const;
    const RCShdPtr<ScIcon>& getIcon() const { return _icon; }

    const LiString& getName() const { return _name; }
    const GePoint2<float>& getPosition() const { return _position; }
    void setBaseSize(const GeVector2<float>& size) {
        _baseSize = size;
        ScSceneIndex::boundsChanged();
    }
    ScOrientation getOrientation() const { return _orientation; }
    const std::vector<SocketRecord>& getInputs() const { return _inputs; }
    const std::vector<SocketRecord>& getOutputs() const { return _outputs; }
    std::vector<SocketRecord>& getInputs() { return _inputs; }
    std::vector<SocketRecord>& getOutputs() { return _outputs; }
    bool isHighlighted() const { return _highlighted; }
    bool isInsertMode() const { return _insertMode; }
    bool hasColor() const { return _hasColor; }
    const UiResColor& getColor() const { return _color; }
    UPtr<ScViewer> getViewer() const { return _viewer; }
    bool isSelected() const { return _selected; }
    void setSelected(bool selected) { _selected = selected; }
    bool isRaised() const { return _raised; }
    void setRaised(bool raised) { _raised = raised; }
    bool isPlaced() const { return _placed; }
    void setPlaced(bool placed) { _placed = placed; }
    int32_t getLayoutIndex() const { return _layoutIndex; }
    void setLayoutIndex(int32_t index) { _layoutIndex = index; }

protected:
    // Index into a clockwise connection set, so sockets read left to right (or top to bottom).
    int getInputSetIndex(int index, int n) const { return _orientation != ScOrientation::Down ? n - 1 - index : index; }
    int getOutputSetIndex(int index, int n) const {
        return _orientation == ScOrientation::Down ? n - 1 - index : index;
    }
    // Leaving direction at a socket of a set: mostly along the flow, a quarter along the tab's normal.
    GeVector2<float> getSocketDirection(const ScConnectionSet& set, int setIndex, bool isInput) const;

private:
    // The processing node and what the node caches of it.
    struct ProcessingLink {
        RCStrongPtr<PiNode> node;
        // Per output, kUnread until read; empty until the first question.
        mutable std::vector<int8_t> channelKinds;
    };

    LiString _name;
    GeVector2<float> _baseSize{105.0f, 25.0f};
    RCShdPtr<ScIcon> _icon;
    std::vector<SocketRecord> _inputs;
    std::vector<SocketRecord> _outputs;
    bool _highlighted = false;
    bool _thumbnailShown = false;
    bool _canCollapse = false;
    bool _irToggle = false;
    bool _insertMode = false;
    bool _hasColor = false;
    bool _raised = false;
    UiResColor _color;
    ScOrientation _orientation;
    ProcessingLink _processing;
    UPtr<ScViewer> _viewer;
    // A bit per context point: no allocation per node.
    static constexpr size_t kMaxContextPoints = 32;
    std::bitset<kMaxContextPoints> _contextPoints;
    int32_t _contextPointCount = 0;
    // Read by every layout pass, so kept together and last: a derived node's geometry follows.
    GePoint2<float> _position;
    bool _selected = false;
    bool _placed = false;
    int32_t _layoutIndex = 0;
};

} // namespace Zv

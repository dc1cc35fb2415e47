#pragma once

#include "views/schematic/src/scBorderTab.h"
#include "views/schematic/src/scConnectionSet.h"
#include "views/schematic/src/scIcon.h"
#include "views/schematic/src/scImageHandler.h"
#include "views/schematic/src/scNode.h"
#include "views/schematic/src/scRoundedBox.h"

#include <memory>
#include <optional>
#include <vector>

namespace Zv {

// The node a CustomNode description builds: a rounded box with the sets and tabs the description
// places on its outline. The factory hands over prototypes; the layout step clones them into the
// working objects that are drawn and picked, and moves their ends apart where they overlap.
class ScCustomNode : public ScNode {
public:
    enum NameAlignment { TOP = 0, CENTER = 1, BOTTOM = 2, UNDER = 3 };
    enum ColorKind { TOOL = 0, GROUP = 1, SUPERTOOL = 2, OUTPUT1 = 3, OUTPUT2 = 4, WHITE = 5 };
    static constexpr float kToggleWidth = 6.0f;
    static constexpr float kToggleHoverWidth = 15.0f;
    static constexpr float kPickMargin = 12.0f;

    ScCustomNode(int32_t orientation, float height, float width, float cornerRadius);
    ~ScCustomNode() override;

    // A copy of this node as built and laid out, its strips reporting on node. A null node makes
    // a prototype: its parts report on no node, and it is only copied, never shown or changed;
    // copies of a prototype share its unplaced parts until one of theirs is set.
    RCStrongPtr<ScCustomNode> cloneFor(const RCStrongPtr<PiNode>& node) const;

    void setPosition(const GePoint2<float>& position) override;
    void getSize(GeVector2<float>& out) const override;
    void getBounds(GeRectangle<float>& out, const ScContext& ctx) const override;
    void getBoxBounds(GeRectangle<float>& out) const override;
    void addInput(SocketRecord& socket) override;
    void addOutput(SocketRecord& socket) override;
    void drawDecorations(ScDrawContext& ctx, float alpha) override;
    void drawHighlight(ScDrawContext& ctx, float alpha) override;
    void drawOutline(ScDrawContext& ctx, float alpha) override;
    void drawToggleTab(ScDrawContext& ctx, float alpha) override;
    void drawName(ScDrawContext& ctx) override;
    bool pickSocket(const GePoint2<float>& p, bool markHovered, int& index, int& partCode) override;
    GePoint2<float> getInputConnectionPoint(int index, int fanIndex) const override;
    GePoint2<float> getOutputConnectionPoint(int index, int fanIndex) const override;
    GeVector2<float> getInputDirection(int index) const override;
    GeVector2<float> getOutputDirection(int index) const override;

    // Elements built by the factory; each becomes a prototype hung on the node's box.
    void setBody(std::unique_ptr<ScImageHandler> body);
    void setNameAlignment(int alignment) { _nameAlignment = alignment; }
    void setColorKind(int colorKind) { _colorKind = colorKind; }
    void setInputSet(std::unique_ptr<ScConnectionSet> set);
    void setOutputSet(std::unique_ptr<ScConnectionSet> set);
    void setToggleImageTab(std::unique_ptr<ScBorderTab> tab);
    void setToggleIRTab(std::unique_ptr<ScBorderTab> tab);
    void setFeedbackTab(std::unique_ptr<ScConnectionSet> tab);
    void setLinkNodeIconTab(std::unique_ptr<ScBorderTab> tab);
    void addGenericTab(std::unique_ptr<ScBorderTab> tab, const RCShdPtr<ScIcon>& icon);

    int getNameAlignment() const { return _nameAlignment; }
    int getColorKind() const { return _colorKind; }
    int getNbInputs() const { return static_cast<int>(getInputs().size()); }
    int getNbOutputs() const { return static_cast<int>(getOutputs().size()); }
    const ScRoundedBox& getBox() const { return _box; }
    const ScImageHandler* getBody() const { return _body.get(); }
    // The working objects (after the layout step); null when the description has none.
    const ScConnectionSet* getInputSet() const;
    const ScConnectionSet* getOutputSet() const;
    const ScBorderTab* getToggleImageTab() const;
    const ScBorderTab* getToggleIRTab() const;
    const ScConnectionSet* getFeedbackTab() const;
    const ScBorderTab* getLinkNodeIconTab() const;
    int getNbGenericTabs() const { return static_cast<int>(getPrototypes().genericTabs.size()); }
    const ScBorderTab& getGenericTab(int i) const;
    // The colour the body is filled with: the user's colour, else that of the colour kind.
    UiResColor getBodyColor() const;
    static UiResColor getColorKindColor(int colorKind);
    // Where the thumbnail goes while it is shown: beside the box, or below it when the flow runs right.
    GeRectangle<float> getThumbnailRect() const;
    // The name label's rectangle for a font of that ascent and descent.
    GeRectangle<float> getNameRect(float ascent, float descent) const;

private:
    struct Parts {
        std::unique_ptr<ScConnectionSet> inputSet, outputSet, feedbackTab;
        std::unique_ptr<ScBorderTab> toggleImageTab, toggleIRTab, linkNodeIconTab;
        std::vector<std::unique_ptr<ScBorderTab>> genericTabs;
    };
    // A perimeter band of a working set or tab, for the layout step.
    struct Band {
        ScConnectionSet* set = nullptr;
        ScBorderTab* tab = nullptr;
        ScRoundedBox::EdgePos getStart() const;
        ScRoundedBox::EdgePos getEnd() const;
        void setStart(const ScRoundedBox::EdgePos& p) const;
        void setEnd(const ScRoundedBox::EdgePos& p) const;
    };

    ScCustomNode(const ScCustomNode& other, const RCStrongPtr<PiNode>& node);

    void markLayoutDirty() { _layoutDirty = true; }
    const Parts& getPrototypes() const { return _source.isNull() ? _prototypes : _source->_prototypes; }
    // Before a part is set, a copy takes its own prototypes, reporting on its node.
    void ownPrototypes();
    // Copies of the parts of from, hung on this node's box, reporting on node.
    void copyParts(const Parts& from, Parts& to, const RCStrongPtr<PiNode>& node);
    // Hangs a prototype on the node's box and keeps it.
    template <class T>
    void adopt(std::unique_ptr<T>& slot, std::unique_ptr<T> element);
    // Box and working sets and tabs, where they are now.
    GeRectangle<float> computeBoxBounds() const;
    const GeRectangle<float>& getLocalBounds() const;
    // Box and the working parts that sockets do not change.
    const GeRectangle<float>& getFixedBounds() const;
    // A working socket set's bounds; a copy standing where its source stands takes the source's.
    GeRectangle<float> getSocketSetBounds(const ScConnectionSet* set, bool isInput) const;
    // The bounds the source's own socket set would have with n sockets, measured once per n.
    const GeRectangle<float>& getKeptSocketSetBounds(bool isInput, int n) const;
    void update() const;
    void cloneParts() const;
    void separateBands() const;
    // Sets run clockwise; sockets past what a set shows (one-tab sets) share its last tab.
    int toSetIndex(const ScConnectionSet& set, int index, int n, bool isInput) const;
    int mapInputIndex(int index) const;
    int mapOutputIndex(int index) const;
    // Per-socket highlight and marks from the socket records.
    void applySocketHighlights(ScConnectionSet& set, const std::vector<SocketRecord>& sockets, bool isInput) const;
    void drawToggle(ScDrawContext& ctx, ScBorderTab* tab, bool enlarged, float alpha) const;
    // Hit test of a toggle strip at its hover width.
    static bool pickToggle(ScBorderTab* tab, const GePoint2<float>& p);
    bool isOnBody(const GePoint2<float>& p) const;
    void fillBox(ScDrawContext& ctx, const UiResColor& color, float alpha) const;
    // The outline's points (and normals), every arc step on the corners.
    void buildOutline(float step) const;

    // The box and what getSize reads sit together: layout touches them for every node.
    ScRoundedBox _box;
    mutable bool _layoutDirty = true;
    mutable bool _boundsDirty = true;
    // Box bounds relative to the position: moving the node keeps them.
    mutable GeRectangle<float> _localBounds;
    std::unique_ptr<ScImageHandler> _body;
    int32_t _nameAlignment = UNDER;
    int32_t _colorKind = TOOL;
    Parts _prototypes;
    // Made by cloneFor with no node: only copied, so copies can share its parts.
    bool _isPrototype = false;
    // The prototype whose parts a copy shares, and the node its strips report on.
    RCStrongPtr<const ScCustomNode> _source;
    RCStrongPtr<PiNode> _sourceNode;
    std::vector<RCShdPtr<ScIcon>> _genericIcons;
    mutable Parts _working;
    // Absolute, measured with the node at _fixedBoundsAt: adding sockets leaves them be.
    mutable GeRectangle<float> _fixedBounds;
    mutable GePoint2<float> _fixedBoundsAt;
    mutable bool _fixedBoundsDirty = true;
    // Per side, by socket count: filled only on nodes that copies share.
    mutable std::vector<std::optional<GeRectangle<float>>> _keptSocketSetBounds[2];
    bool _inputEnlarged = false;
    bool _outputEnlarged = false;
    bool _toggleImageEnlarged = false;
    bool _toggleIREnlarged = false;
    // Reused by every outline draw, so drawing allocates only while the outline grows.
    mutable std::vector<GePoint2<float>> _outlinePoints;
    mutable std::vector<GeVector2<float>> _outlineNormals;
};

} // namespace Zv

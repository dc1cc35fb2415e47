#pragma once

#include "views/schematic/src/scDrawBatch.h"
#include "views/schematic/src/scEdge.h"
#include "views/schematic/src/scGroup.h"
#include "views/schematic/src/scNode.h"
#include "views/schematic/src/scOrderedSet.h"
#include "views/schematic/src/scSceneIndex.h"
#include "views/schematic/src/scSocketMenu.h"

#include "platform/base/liString.h"

#include <cstdint>
#include <vector>

namespace Zv {

class ScDrawContext;
class ScGraphInterface;

// Everything the schematic shows: nodes, edges and visual groups, with the bits of view state that
// belong to the scene (highlight, socket menu, provisional links, detail flags, info text).
// Scene objects read the processing objects they show, and the host's schematic constants, straight
// from platform/graph, but never change the model: what needs the owner's map from model to scene,
// or writes to the model, goes through the owner's ScGraphInterface.
class ScGraph : public RCBase {
public:
    // What an automatic layout moves.
    enum class LayoutType : int32_t {
        LayoutSelected = 0, // lays every tree out but moves only the selected nodes, keeping their centre
        LayoutAll = 1,      // lays every tree out and moves every node
        LayoutUnplaced = 2, // places only nodes never placed, beside their consumer, clear of the others
    };
    // Zoomed out below this, links are drawn as plain solid lines in their colours (no dashes), in
    // one batch; a node whose box is less than kNodeDetailPixels high or wide on screen is a
    // rectangle of its body colour (the selection colour when selected), at least a pixel wide and high.
    static constexpr float kOverviewZoom = 0.125f;
    static constexpr float kNodeDetailPixels = 4.0f;
    // Simplified links keep their points this many pixels apart.
    static constexpr float kOverviewLineSpacing = 1.5f;

    // The highlighted element; also what a pick reports.
    struct Highlight {
        RCStrongPtr<ScNode> node;
        int32_t tabIndex = -1;
        ScPart tabSide = ScPart::Input; // Input or Output
        RCShdPtr<ScEdge> edge;
        RCShdPtr<ScGroup> group;
        bool operator==(const Highlight&) const = default;
    };

    // What lies under a scene point: a node with a tab index (-1 for none) and the part hit, or an
    // edge or a group (part Body), or nothing (every reference null, tab -1, part Input).
    struct Pick {
        RCStrongPtr<ScNode> node;
        int32_t tabIndex = -1;
        ScPart partCode = ScPart::Input;
        RCShdPtr<ScEdge> edge;
        RCShdPtr<ScGroup> group;

        bool isTab() const { return !node.isNull() && tabIndex != -1 && partCode != ScPart::Body; }
        bool isSocketTab() const { return isTab() && (partCode == ScPart::Input || partCode == ScPart::Output); }
        // The scene graph's highlight for the pick: strips are marked by the node's own pick.
        Highlight toHighlight() const;
        bool operator==(const Pick&) const = default;
    };

    // A curve shown while a tool drags a connection: start, two control points, end.
    struct ProvisionalLink {
        GePoint2<float> start, control0, control1, end;
        int32_t tag = 0;
    };

    using NodeSet = ScOrderedSet<ScNode>;
    using EdgeSet = ScOrderedSet<ScEdge>;
    using GroupSet = ScOrderedSet<ScGroup>;

    explicit ScGraph(ScGraphInterface* owner);
    ~ScGraph() override;

    ScGraphInterface* getOwner() const { return _owner; }
    ScOrientation getOrientation() const { return _orientation; }
    void setOrientation(ScOrientation orientation) { _orientation = orientation; }

    NodeSet& getNodes() { return _nodes; }
    const NodeSet& getNodes() const { return _nodes; }
    EdgeSet& getEdges() { return _edges; }
    const EdgeSet& getEdges() const { return _edges; }
    GroupSet& getGroups() { return _groups; }
    const GroupSet& getGroups() const { return _groups; }

    const Highlight& getHighlight() const { return _highlight; }
    // Switches the old element off and the new one on, unless the record is unchanged.
    void setHighlight(const Highlight& highlight);

    const RCShdPtr<ScSocketMenu>& getSocketMenu() const { return _socketMenu; }
    void setSocketMenu(const RCShdPtr<ScSocketMenu>& menu) { _socketMenu = menu; }

    void clearProvisionalLinks() { _provisionalLinks.clear(); }
    void addProvisionalLink(const ProvisionalLink& link) { _provisionalLinks.push_back(link); }
    std::vector<ProvisionalLink>& getProvisionalLinks() { return _provisionalLinks; }
    const std::vector<ProvisionalLink>& getProvisionalLinks() const { return _provisionalLinks; }

    enum Details { DetailsOneNode = 0, DetailsAllNodes = 1 };
    bool isShowingDetails() const { return _detailsOneNode || _detailsAllNodes; }
    // False, and nothing changes, when the flag already has the value.
    bool setDetails(int which, bool on);
    void toggleDetails(int which);

    void setShowLabelsUnderPointer(bool show) { _showLabelsUnderPointer = show; }
    void setPointerPosition(const GePoint2<float>& position) { _pointerPosition = position; }
    const GePoint2<float>& getPointerPosition() const { return _pointerPosition; }
    const LiString& getInfoText() const { return _infoText; }
    void setInfoText(const LiString& text) { _infoText = text; }

    void layout(LayoutType type);

    // The shown links that the segment from a to b crosses, in edge-set order; none for a point.
    std::vector<RCShdPtr<ScEdge>> findEdgesCrossing(const GePoint2<float>& a, const GePoint2<float>& b,
                                                    ScLinkStyle linkStyle);
    // The curve a tool shows from a socket leaving in startDirection to a point it comes into along
    // endDirection, shaped as a curved link would be.
    static ProvisionalLink makeProvisionalLink(const GePoint2<float>& start, const GeVector2<float>& startDirection,
                                               const GePoint2<float>& end, const GeVector2<float>& endDirection);

    // What lies under p, which becomes the pointer position: the open socket menu's socket, else
    // selected nodes from the last to the first, the other nodes likewise, edges from the first, groups
    // from the last. markHovered lets the node hit mark its hovered tab or strip.
    Pick pick(const GePoint2<float>& p, bool markHovered, ScLinkStyle linkStyle);
    // What nodes being dragged are over: the nodes that are not raised, else a link between two of
    // them; marks nothing hovered and leaves the pointer position alone.
    Pick pickBeneathRaised(const GePoint2<float>& p, ScLinkStyle linkStyle);
    // The links with a raised end, which move with the nodes being dragged.
    std::vector<RCStrongPtr<ScEdge>> getRaisedLinks() const;
    // The groups with a raised member, whose boxes follow the nodes being dragged.
    std::vector<RCStrongPtr<ScGroup>> getGroupsOfRaised() const;

    // Draws what meets the visible rectangle; the result tells what became of the socket labels.
    ScDrawResult draw(ScDrawContext& ctx, const GeRectangle<float>& visible, ScLinkStyle linkStyle, bool overlays);

    // Empties the three collections and the highlight, as before a rebuild.
    void clear();

    // Where the nodes, edges and groups lie, for drawing and picking what is near; always up to date.
    ScSceneIndex& getIndex() { return _index; }

private:
    void switchHighlight(bool on);
    bool& detailsFlag(int which) { return which == DetailsOneNode ? _detailsOneNode : _detailsAllNodes; }
    void drawGroups(ScDrawContext& ctx, const GeRectangle<float>& visible);
    void drawEdges(ScDrawContext& ctx, const GeRectangle<float>& visible, ScLinkStyle linkStyle);
    void drawProvisionalLinks(ScDrawContext& ctx, ScLinkStyle linkStyle);
    // Returns the highlighted node drawn, if any.
    ScNode* drawNodes(ScDrawContext& ctx, const GeRectangle<float>& visible);
    ScDrawResult drawOverlays(ScDrawContext& ctx, ScNode* underPointer);
    void drawLabel(ScDrawContext& ctx, ScNode& node);

    bool isDrawnInDetail(const ScNode& node, float zoom) const;

    ScOrientation _orientation = ScOrientation::Right;
    NodeSet _nodes;
    EdgeSet _edges;
    GroupSet _groups;
    ScSceneIndex _index{*this};
    ScDrawBatch _batch;
    std::vector<ProvisionalLink> _provisionalLinks;
    RCShdPtr<ScSocketMenu> _socketMenu;
    Highlight _highlight;
    GePoint2<float> _pointerPosition;
    LiString _infoText;
    bool _showLabelsUnderPointer = false;
    bool _detailsOneNode = false;
    bool _detailsAllNodes = false;
    ScGraphInterface* _owner;
};

} // namespace Zv

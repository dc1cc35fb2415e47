#pragma once

#include "views/schematic/src/scGroup.h"
#include "views/schematic/src/scNode.h"
#include "views/schematic/src/svModelEdge.h"

#include "platform/base/cbGroup.h"
#include "platform/graph/piGraph.h"

#include <map>
#include <set>
#include <vector>

namespace Zv {

class PiGroupNode;
class ScGraph;
class SvDisplayInterface;
class UiComposition;

// Builds the scene of one level of the processing graph: decides which nodes are shown, makes one
// scene node per shown node, one edge per shown link and one box per visual group, and keeps the maps
// from model ids to them. Nodes come and go one at a time as well as all at once.
class SvSceneBuilder {
public:
    // refresh: registered on every node shown, for the node's requests to be shown again.
    SvSceneBuilder(UiComposition& composition, ScGraph& scene, SvDisplayInterface& display,
                   RCStrongPtr<PiGraph::RefreshHandler> refresh);
    ~SvSceneBuilder();

    // Empties the scene.
    void clear();
    // Shows the nodes of the level group, with the shown nodes upstream of them in that level.
    void build(int levelGroupId, const std::vector<RCStrongPtr<PiNode>>& nodes);
    // Adds a node of the level and, depth first, the shown nodes upstream of it that the scene lacks,
    // with their links.
    void addNode(const RCStrongPtr<PiNode>& node);
    // Takes a node and the links at its sockets out of the scene.
    void removeNode(int id);

    // A socket type whose sockets the view does not show (parameters rather than images).
    void setFilteredSocketType(int typeIndex, bool filtered);
    bool isShown(const PiNode& node) const;

    RCStrongPtr<ScNode> findNode(const PiNode& node) const;
    RCShdPtr<ScGroup> findGroup(int id) const;
    const std::map<int, RCStrongPtr<ScNode>>& getNodeMap() const { return _nodeMap; }
    const std::map<int, RCStrongPtr<SvModelEdge>>& getEdgeMap() const { return _edgeMap; }

private:
    // How far the build has gone through one node's input links: an input, and a value of a
    // multi-valued one.
    struct InputWalk {
        RCStrongPtr<ScNode> target;
        size_t input = 0;
        int fan = 0;
        int tab = 0; // the input's first tab
    };
    // One link into a node: the input (a value of a multi-valued input), its tab and its fan place.
    struct InputLink {
        RCStrongPtr<PiInput> input;
        int tab = 0;
        int fan = 0;
    };
    // The output and the shown node a link comes from; a collapsed chain's head stands for the chain.
    struct LinkSource {
        RCStrongPtr<PiOutput> output;
        RCStrongPtr<PiNode> node;
        bool collapsed = false;
    };

    bool isFiltered(int typeIndex) const;
    void addLevelMember(const RCStrongPtr<PiNode>& node);
    void addNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group);
    RCStrongPtr<ScNode> enterNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group);
    RCStrongPtr<ScNode> makeSceneNode(const RCStrongPtr<PiNode>& node);
    void addSockets(ScNode& sceneNode, const PiNode& node) const;
    bool findInputLink(InputWalk& walk, InputLink& link) const;
    LinkSource findLinkSource(const ScNode& target, const PiInput& input) const;
    void addEdge(const RCStrongPtr<ScNode>& target, const InputLink& link, const LinkSource& from);
    RCShdPtr<ScGroup> findVisualGroup(const PiNode& node);
    RCShdPtr<ScGroup> findOrAddGroup(const RCStrongPtr<PiGroupNode>& group);
    bool isInLevel(const PiNode& node) const;
    void linkToShownConsumers(const ScNode& source);
    void collectConsumers(const PiOutput& output, std::set<const PiNode*>& consumers) const;
    bool hasEdge(const ScNode& target, const PiInput& input) const;

    UiComposition& _composition;
    ScGraph& _scene;
    SvDisplayInterface& _display;
    RCStrongPtr<PiGraph::RefreshHandler> _refresh;
    std::map<int, RCStrongPtr<ScNode>> _nodeMap;
    std::map<int, RCStrongPtr<SvModelEdge>> _edgeMap;
    std::map<int, RCShdPtr<ScGroup>> _groupMap;
    std::vector<bool> _filteredSocketTypes;
    CbGroup _nodeCallbacks;
    // Descriptions the user was told are malformed, told once each.
    std::set<LiString> _warnedDescriptions;
    // While one node is added: the scene nodes it brings in.
    std::vector<RCStrongPtr<ScNode>>* _entered = nullptr;
    int _nextEdgeKey = 0;
    int _levelGroupId = 0; // identity of the group whose members are built
};

} // namespace Zv

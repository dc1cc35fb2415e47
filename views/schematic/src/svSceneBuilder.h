#pragma once

#include "views/schematic/src/scGroup.h"
#include "views/schematic/src/scNode.h"
#include "views/schematic/src/svModelEdge.h"

#include "platform/base/cbRegistration.h"
#include "platform/graph/piGraph.h"

#include <map>
#include <set>
#include <unordered_map>
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
    // Adds nodes of the level as build does (a visual group brings its box and shown members); each
    // also links to the consumers shown already.
    void addNodes(const std::vector<RCStrongPtr<PiNode>>& nodes);
    // Takes a node and the links at its sockets out of the scene.
    void removeNode(int id) { removeNodes({id}); }
    void removeNodes(const std::set<int>& ids);
    // Takes a visual group's box out of the scene with the nodes it holds.
    void removeGroup(int id);
    // Makes the nodes' tabs and input links again from the model, bringing in shown sources the
    // scene lacks. former: inputs whose links changed, which may no longer be listed by their node.
    void remakeInputs(const std::vector<RCStrongPtr<ScNode>>& nodes, const std::vector<const PiInput*>& former);
    // Renumbers the links out of the outputs among those outputs' consumers.
    void renumberSourceFans(const std::set<const PiOutput*>& outputs);
    // Puts a shown node into the box of the visual group it now lies in, out of any other.
    void updateMembership(const RCStrongPtr<ScNode>& sceneNode);
    // The scene nodes entered since the last call, by every operation but build.
    std::vector<RCStrongPtr<ScNode>> takeEntered();
    // Shows the model's colour of a node on its scene node or visual group box; false when neither is shown.
    bool showNodeColor(const PiNode& node);
    // Takes the links whose connection left the graph out of the scene; returns how many.
    int removeDanglingEdges();

    // A socket type whose sockets the view does not show (parameters rather than images).
    void setFilteredSocketType(int typeIndex, bool filtered);
    bool isFiltered(int typeIndex) const;
    // The input behind an input tab of the node's scene node (a multi-valued input for any of its
    // value tabs); null past the last tab.
    RCStrongPtr<PiInput> findTabInput(const PiNode& node, int tab) const;
    bool isShown(const PiNode& node) const;
    // Whether the level built shows the node as a scene node: shown, in the level and neither a
    // visual group (a box) nor one of its boundary nodes.
    bool isShownInLevel(const PiNode& node) const;
    // Whether the level built shows the node as a visual group's box.
    bool isBoxInLevel(const PiNode& node) const;
    // The scene nodes whose input links show a link into the input: its node, the head of the
    // collapsed chain it is folded into, or the nodes a visual group's socket passes it on to.
    void collectLinkTargets(const PiInput& input, std::map<int, RCStrongPtr<ScNode>>& targets) const;
    // The scene nodes whose input links come from the node or from the collapsed chain it lies in.
    void collectChainLinkTargets(const PiNode& node, std::map<int, RCStrongPtr<ScNode>>& targets) const;
    // The input tab that shows the input (a value of a multi-valued one), or -1.
    int findInputTab(const ScNode& sceneNode, const PiInput& input) const;
    static bool isVisualGroupNode(const PiNode& node);
    // The text shown for a node: its name, or for a boundary node the group socket it stands for.
    static LiString getShownName(const PiNode& node);

    RCStrongPtr<ScNode> findNode(const PiNode& node) const;
    RCShdPtr<ScGroup> findGroup(int id) const;
    const std::map<int, RCStrongPtr<ScNode>>& getNodeMap() const { return _nodeMap; }
    const std::map<int, RCStrongPtr<SvModelEdge>>& getEdgeMap() const { return _edgeMap; }
    // The link shown into an input, or null.
    RCStrongPtr<SvModelEdge> findEdge(const PiInput& input) const;

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

    void addLevelMember(const RCStrongPtr<PiNode>& node);
    void addNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group);
    // Runs an incremental change: the nodes it enters also link to the consumers shown already,
    // which were built without them.
    template <class Change>
    void entering(Change change);
    void linkInputs(const RCStrongPtr<ScNode>& target);
    void eraseEdge(int key);
    // Switches the highlight off before what it shows changes or leaves.
    void forgetHighlight(const std::set<const ScNode*>& nodes, const ScGroup* group = nullptr);
    RCStrongPtr<ScNode> enterNode(const RCStrongPtr<PiNode>& node, const RCShdPtr<ScGroup>& group);
    RCStrongPtr<ScNode> makeSceneNode(const RCStrongPtr<PiNode>& node);
    void addSockets(ScNode& sceneNode, const PiNode& node) const;
    bool findInputLink(InputWalk& walk, InputLink& link) const;
    LinkSource findLinkSource(const ScNode& target, const PiInput& input) const;
    void addEdge(const RCStrongPtr<ScNode>& target, const InputLink& link, const LinkSource& from);
    RCShdPtr<ScGroup> findVisualGroup(const PiNode& node);
    RCShdPtr<ScGroup> findOrAddGroup(const RCStrongPtr<PiGroupNode>& group);
    bool isInLevel(const PiNode& node) const;
    bool isBoxBoundary(const PiNode& node) const;
    RCStrongPtr<PiOutput> findPassage(const PiInput& input) const;
    RCStrongPtr<PiOutput> resolveThroughBoxes(RCStrongPtr<PiOutput> output) const;
    RCStrongPtr<PiOutput> findChainSource(RCStrongPtr<PiOutput> output) const;
    void linkToShownConsumers(const ScNode& source);
    // A secondary input of a shown image modifier changed its source.
    void conversionChangedCb(const RCStrongPtr<PiInput>& input);
    void collectConsumers(const PiOutput& output, std::set<const PiNode*>& consumers) const;

    UiComposition& _composition;
    ScGraph& _scene;
    SvDisplayInterface& _display;
    RCStrongPtr<PiGraph::RefreshHandler> _refresh;
    std::map<int, RCStrongPtr<ScNode>> _nodeMap;
    std::map<int, RCStrongPtr<SvModelEdge>> _edgeMap;
    // Each input (a value of a multi-valued one) shows at most one link.
    std::unordered_map<const PiInput*, int> _edgeKeyByInput;
    std::map<int, RCShdPtr<ScGroup>> _groupMap;
    std::vector<bool> _filteredSocketTypes;
    // Each shown node's registrations, by node id, released when it leaves.
    std::unordered_multimap<int, CbRegistration> _nodeCallbacks;
    // Descriptions the user was told are malformed, told once each.
    std::set<LiString> _warnedDescriptions;
    // Scene nodes entered by incremental changes, until taken.
    std::vector<RCStrongPtr<ScNode>> _entered;
    bool _incremental = false;
    int _nextEdgeKey = 0;
    int _levelGroupId = 0; // identity of the group whose members are built
};

} // namespace Zv

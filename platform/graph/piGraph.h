#pragma once

#include "platform/base/cbList.h"
#include "platform/base/obHints.h"
#include "platform/base/obSubject.h"
#include "platform/base/rcWeakPtr.h"
#include "platform/base/uuid.h"
#include "platform/graph/cmCommandStack.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piSchematicNodeInfo.h"

#include <list>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

namespace Zv {

class PiBoundaryNode;
class PiPath;
class SnSelection;

// A composition's processing graph: the document. Every change goes through the edits below; each
// is recorded for undo (unless a PiUndoGuardNoLog scope is open) and reported to the observers as
// hints, one batch per outermost edit scope.
class PiGraph : public RCBase {
public:
    using RefreshHandler = CbHandler<const PiSchematicNodeInfo&>;
    using InputHandler = CbHandler<const RCStrongPtr<PiInput>&>;

    static RCStrongPtr<PiGraph> create(const LiString& name = "Composition");
    ~PiGraph() override;

    const LiString& getName() const { return _name; }
    void setName(const LiString& name) { _name = name; }
    // The composition's identity: new graphs get a fresh one, a loaded graph the one of its file.
    const Uuid& getUuid() const { return _uuid; }
    void setUuid(const Uuid& uuid) { _uuid = uuid; }
    const RCStrongPtr<PiGroupNode>& getRootGroup() const { return _root; }
    CmCommandStack& getCommandStack() { return _commandStack; }
    bool hasWritableCommandStack() const { return _commandStack.isWritable(); }
    const RCStrongPtr<SnSelection>& getSelection() const { return _selection; }
    // The node with that identity in the graph, or null.
    RCStrongPtr<PiNode> findNode(int id) const;
    // Nodes in the graph, the root group not counted.
    int getNbNodes() const { return static_cast<int>(_nodesById.size()); }
    // The node the user works on, or null.
    const RCStrongPtr<PiNode>& getCurrentNode() const { return _currentNode; }
    void setCurrentNode(const RCStrongPtr<PiNode>& node) { _currentNode = node; }

    void attachObserver(ObObserver* observer) { _observers.attach(observer); }
    void detachObserver(ObObserver* observer) { _observers.detach(observer); }

    // --- Edits ---
    // A new node of a tool in a group; id 0 takes the next free identity, name empty a name from the tool.
    // Unknown tools and taken identities raise ExBadInput.
    RCStrongPtr<PiNode> createNode(const LiString& toolName, const RCStrongPtr<PiGroupNode>& group,
                                   const LiString& name = {}, int id = 0);
    // Disconnects and removes a node (with its members); a boundary node takes its group socket along.
    void removeNode(const RCStrongPtr<PiNode>& node);
    void renameNode(const RCStrongPtr<PiNode>& node, const LiString& name);
    // Makes the node a member of another group; its connections are cut first.
    void moveNode(const RCStrongPtr<PiNode>& node, const RCStrongPtr<PiGroupNode>& group);
    // Connects an output to an input of the same group, replacing the input's former source; a
    // multi-valued input gets a new value. Returns the input now fed. Raises OmGraphEx::ExCycle for a
    // cycle and OmGraphEx for sockets of different groups or kinds; the graph is then unchanged.
    RCStrongPtr<PiInput> connect(const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input);
    // Cuts the connection into an input; a value of a multi-valued input is removed with it.
    void disconnect(const RCStrongPtr<PiInput>& input);
    bool wouldCycle(const PiOutput& output, const PiInput& input) const;
    void setValue(const RCStrongPtr<PiNode>& node, PiValueKind kind, const LiString& key, const PiValueData& data);
    void setAnchors(const RCStrongPtr<PiNode>& node, const std::vector<PiNodeAnchor>& anchors);
    void setText(const RCStrongPtr<PiNode>& node, const LiString& key, const LiString& text);
    // A new socket of a group with its boundary node; returns the socket. Here and in renames, a name
    // the group's sockets of that direction already have raises OmGraphEx.
    RCStrongPtr<PiSocket> addGroupSocket(const RCStrongPtr<PiGroupNode>& group, const LiString& name, bool isOutput,
                                         int boundaryId = 0);
    void removeGroupSocket(const RCStrongPtr<PiSocket>& socket);
    void renameGroupSocket(const RCStrongPtr<PiSocket>& socket, const LiString& name);
    // Reports that an output's result changed (no undo entry).
    void notifyOutputChanged(const RCStrongPtr<PiOutput>& output);

    // --- Per-node callbacks ---
    CbRegistration addRefreshRequestCb(const PiNode& node, RCStrongPtr<RefreshHandler> handler);
    // Asks the node's viewers to build its look again.
    void requestRefresh(const RCStrongPtr<PiNode>& node, const LiString& message);
    // Called with an input of the node whose conversion need may have changed.
    CbRegistration addConversionCb(const PiNode& node, RCStrongPtr<InputHandler> handler);
    // Paths told when a node on them leaves its place.
    void trackPath(const RCStrongPtr<PiPath>& path);

    // Takes the name, identity and nodes of a graph built off to the side, in place of this graph's
    // nodes, as one hint batch (every former node removed, every new one added); other is left empty.
    void takeContent(PiGraph& other);

    // Sends one batch to the observers; used by the edit scopes.
    void deliverHints(const ObHints& batch);
    // While a file is built into a graph nobody sees yet, its edits keep no undo steps: a failure
    // drops the whole graph.
    bool isBeingFilled() const { return _beingFilled; }

private:
    friend class PiGraphXmlReader;
    explicit PiGraph(const LiString& name);
    template <class H, class... Args>
    void hint(Args&&... args);
    int takeId(int id);
    void disconnectAll(const PiNode& node);
    // Connect without the checks: the reader has checked a whole file at once.
    RCStrongPtr<PiInput> attach(const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input);
    // Cuts the input's connection, if any, as an undoable edit.
    void cut(const RCStrongPtr<PiInput>& input);

    // Raw changes: the edits' do and undo steps. Each emits its hints.
    void insertNode(const RCStrongPtr<PiNode>& node, PiGroupNode& group, int index);
    int detachNode(const RCStrongPtr<PiNode>& node);
    void registerTree(PiNode& node, bool live);
    void relocate(const RCStrongPtr<PiNode>& node, PiGroupNode& group, int index);
    // place: where the input goes among the output's targets.
    void link(PiOutput& output, PiInput& input, int place);
    void unlink(PiInput& input);
    void insertValue(PiMultivaluedInput& multi, const RCStrongPtr<PiInput>& value, int index);
    void eraseValue(PiMultivaluedInput& multi, int index);
    // place: where a key that is not set yet goes among the node's keys.
    void writeValue(const RCStrongPtr<PiNode>& node, PiValueKind kind, const LiString& key, const PiValueData& data,
                    int place);
    void writeText(const RCStrongPtr<PiNode>& node, const LiString& key, const LiString& text, int place);
    void insertGroupSocket(PiGroupNode& group, const RCStrongPtr<PiSocket>& socket,
                           const RCStrongPtr<PiBoundaryNode>& boundary, int index);
    void eraseGroupSocket(PiGroupNode& group, const RCStrongPtr<PiSocket>& socket);
    void writeSocketName(const RCStrongPtr<PiSocket>& socket, const LiString& name);
    void inputChanged(PiInput& input);
    template <class T>
    static void renumber(std::vector<RCStrongPtr<T>>& sockets, int from);
    void invalidatePaths(const PiNode& node);

    LiString _name;
    Uuid _uuid;
    RCStrongPtr<PiGroupNode> _root;
    CmCommandStack _commandStack;
    RCStrongPtr<SnSelection> _selection;
    RCStrongPtr<PiNode> _currentNode;
    std::unordered_map<int, PiNode*> _nodesById;
    int _nextId = 1;
    bool _beingFilled = false;
    ObSubject _observers;
    // A list, so that takeContent can move descriptions without moving them in memory.
    std::list<PiSocketDesc> _groupSocketDescs;
    // Refresh handlers of every node in one table: each shown node registers one, so a table per node
    // would cost more than the node. Registrations hold it weakly and may outlive the graph.
    struct RefreshHandlers {
        struct Entry {
            int id;
            RCStrongPtr<RefreshHandler> handler;
        };
        std::unordered_multimap<int, Entry> byNode;
        int lastId = 0;
    };
    std::shared_ptr<RefreshHandlers> _refreshHandlers = std::make_shared<RefreshHandlers>();
    // By node id, made on a node's first registration.
    std::map<int, CbList<const RCStrongPtr<PiInput>&>> _conversionCallbacks;
    std::vector<RCWeakPtr<PiPath>> _paths;
};

// The view's name for the graph of a composition.
using PiCompositionGraphInterface = PiGraph;

} // namespace Zv

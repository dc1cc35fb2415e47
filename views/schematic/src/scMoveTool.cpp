#include "views/schematic/src/scMoveTool.h"

#include "views/schematic/src/scToolset.h"
#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/scViewerClient.h"

#include "platform/base/assertions.h"
#include "platform/base/cbMethod.h"
#include "platform/base/exBase.h"
#include "platform/graph/omCompositionActions.h"
#include "platform/graph/piInput.h"
#include "platform/graph/piIsBoundaryNode.h"
#include "platform/graph/piIsDynamicBoundaryNode.h"
#include "platform/graph/piIsPrimaryOutputNode.h"
#include "platform/graph/piIsValidGraphObjectItem.h"
#include "platform/graph/piNode.h"
#include "platform/graph/piOutput.h"
#include "platform/graph/piSnItemConst.h"
#include "platform/graph/piSocketUtil.h"
#include "platform/graph/snSelection.h"
#include "platform/ui/evRequestEvent.h"
#include "platform/ui/msgWarning.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/vwUtils.h"
#include "platform/ui/wsCursorRegistry.h"

#include <algorithm>

namespace Zv {
namespace {

// Held when a drag starts, the pressed node moves without the rest of the selection.
constexpr EvKeyCode kMoveAloneKey = static_cast<EvKeyCode>(static_cast<int>(EvKeyCode::A) + 12); // 'm'

struct Predicates {
    MfEventPredicates::Predicate pointerMove = MfEventPredicates::isPointerMove();
    MfEventPredicates::Predicate shift = MfEventPredicates::isKeyModifierOn(EvModifier::Shift);
    MfEventPredicates::Predicate alt = MfEventPredicates::isKeyModifierOn(EvModifier::Alt);
    MfEventPredicates::Predicate moveAlone = MfEventPredicates::isKeyDown(kMoveAloneKey);
};

const Predicates& predicates() {
    static const Predicates built;
    return built;
}

bool isEditing(const ScViewer& viewer) {
    return viewer.getScToolset().getMode() == ScToolset::EditMode;
}

// Selection items that dropping below the view must not remove: the composition's primary output and
// boundary nodes the user did not add.
class NonRemovableNode {
public:
    bool evaluate(const SnItem& item) const {
        if (!PiIsValidGraphObjectItem::test(item)) return false;
        auto* nodeItem = dynamic_cast<const PiSnItemConst<PiNode>*>(&item);
        if (!nodeItem) return false;
        const PiNode& node = *nodeItem->get();
        return PiIsPrimaryOutputNode::test(node) ||
               (PiIsBoundaryNode::test(node) && !PiIsDynamicBoundaryNode::test(node));
    }
};

bool isRemovable(const RCShdPtr<SnSelection>& selection) {
    if (selection.isNull() || selection->isEmpty()) return false;
    const NonRemovableNode nonRemovable;
    return std::none_of(selection->begin(), selection->end(),
                        [&](const RCStrongPtr<SnItem>& item) { return nonRemovable.evaluate(*item); });
}

// Removes the viewer's selection; posted so that it runs after the gesture that asked for it.
class RemoveNodesEvent : public EvRequestEvent {
public:
    explicit RemoveNodesEvent(ScViewer& viewer) : _viewer(&viewer) {}

    void execute() override {
        const RCShdPtr<SnSelection>& selection = _viewer->getSelection();
        if (selection.isNull()) return;
        SnSelection::Items valid;
        for (const RCStrongPtr<SnItem>& item : *selection)
            if (PiIsValidGraphObjectItem::test(*item)) valid.push_back(item);
        if (!valid.empty()) OmCompositionActions::executeRemoveNodeAction({}, SnSelection::create(valid));
    }

private:
    RCShdPtr<ScViewer> _viewer;
};

int findInputTab(const ScNode& node, const LiString& name) {
    const auto& inputs = node.getInputs();
    const auto found = std::find_if(inputs.begin(), inputs.end(), [&](const auto& s) { return s.label == name; });
    return found == inputs.end() ? -1 : static_cast<int>(found - inputs.begin());
}

int findFreeInputTab(const ScNode& node) {
    const auto& inputs = node.getInputs();
    const auto found = std::find_if(inputs.begin(), inputs.end(), [](const auto& s) { return s.useCount == 0; });
    return found == inputs.end() ? -1 : static_cast<int>(found - inputs.begin());
}

void addProvisionalLink(ScGraph& scene, const ScNode& source, int output, const ScNode& target, int input) {
    const ScEdge::Curve c = ScEdge::getCurve(source, output, target, input);
    scene.addProvisionalLink({c.start, c.control0, c.control1, c.end});
}

} // namespace

// One drag of nodes, from the first pointer move to the release.
class ScMoveTool::Imp {
public:
    enum State : int32_t { Plain = 0, Insert = 1, Connect = 2, Remove = 4 };

    // Alone, the pressed node moves without the rest of the selection.
    Imp(ScViewer& viewer, const ScGraph::Pick& picked, bool alone);
    ~Imp();

    // Moves the nodes by a scene displacement; kind is what the user asks of the drop now.
    void manipulate(const GeVector2<float>& delta, State kind);
    // The drop: what the state says happens.
    void finish();

private:
    void findInsertion();
    void findConnection();
    void cancelSpecialMove();
    void redrawMoving() const;
    // Ends what the drag changed in the scene and the options; a plain move with automatic clean-up
    // on ends in a full layout.
    void restore(bool layout);

    RCShdPtr<ScViewer> _viewer;
    State _state = Plain;
    ScViewer::SuspendedOptions _options;
    ScGraph::Pick _picked;
    std::vector<RCStrongPtr<ScNode>> _nodes;
    // The links that move with the nodes and the groups whose boxes follow them.
    std::vector<RCStrongPtr<ScEdge>> _edges;
    std::vector<RCStrongPtr<ScGroup>> _groups;
    // Insert: the link from _output to _input. Connect: the node's output and the input it will feed.
    RCStrongPtr<PiOutput> _output;
    RCStrongPtr<PiInput> _input;
    bool _restored = false;
};

ScMoveTool::Imp::Imp(ScViewer& viewer, const ScGraph::Pick& picked, bool alone)
    : _viewer(&viewer), _options(viewer.suspendAutoLayout()), _picked(picked) {
    _nodes.push_back(picked.node);
    if (!alone)
        for (const RCStrongPtr<ScNode>& node : viewer.getScene()->getNodes())
            if (node->isSelected() && node != picked.node) _nodes.push_back(node);
    // Raised, they draw on top and picks beneath them pass them over.
    for (const RCStrongPtr<ScNode>& node : _nodes) node->setRaised(true);
    _edges = viewer.getScene()->getRaisedLinks();
    _groups = viewer.getScene()->getGroupsOfRaised();
}

ScMoveTool::Imp::~Imp() {
    // A chain rebuilt in the middle of a drag drops it unfinished.
    if (!_restored) restore(false);
}

void ScMoveTool::Imp::manipulate(const GeVector2<float>& delta, State kind) {
    const bool wasSpecial = _state != Plain;
    redrawMoving();
    for (const RCStrongPtr<ScNode>& node : _nodes) node->setPosition(node->getPosition() + delta);
    for (const RCStrongPtr<ScGroup>& group : _groups) group->updateBounds();
    switch (kind) {
    case Insert: findInsertion(); break;
    case Connect: findConnection(); break;
    case Remove:
        cancelSpecialMove();
        _state = Remove;
        break;
    default: cancelSpecialMove(); break;
    }
    if (wasSpecial || _state != Plain) _viewer->update("ScMoveTool::Imp::manipulate( special move )");
    else redrawMoving();
}

void ScMoveTool::Imp::redrawMoving() const {
    _viewer->redrawMoving(_nodes, _edges);
    for (const RCStrongPtr<ScGroup>& group : _groups) _viewer->redrawSceneRect(group->getBounds());
}

void ScMoveTool::Imp::findInsertion() {
    cancelSpecialMove();
    const ScNode& node = *_picked.node;
    ScGraph& scene = *_viewer->getScene();
    const ScGraph::Pick under = scene.pickBeneathRaised(node.getPosition(), _viewer->getOptions().linkStyle);
    const RCStrongPtr<PiNode>& processing = node.getProcessingNode();
    if (under.edge.isNull() || processing.isNull()) return;
    const RCStrongPtr<PiInput> nodeIn = PiSocketUtil::getPrimaryInput(*processing);
    const RCStrongPtr<PiOutput> nodeOut = PiSocketUtil::getPrimaryOutput(*processing);
    const int inputTab = nodeIn.isNull() ? -1 : findInputTab(node, nodeIn->getName());
    if (inputTab < 0 || nodeOut.isNull() || node.getOutputs().empty()) return;
    const RCStrongPtr<PiOutput> sourceOut = under.edge->getSourceOutput();
    const RCStrongPtr<PiInput> destIn = under.edge->getTargetInput();
    ZV_ASSERT(!destIn.isNull() && !sourceOut.isNull());
    addProvisionalLink(scene, *under.edge->getSource(), under.edge->getSourceSocket(), node, inputTab);
    addProvisionalLink(scene, node, 0, *under.edge->getTarget(), under.edge->getTargetSocket());
    _output = sourceOut;
    _input = destIn;
    _state = Insert;
}

// The input fed is the one whose tab the node is over, found by its socket name, or over the body
// the first input with no link.
void ScMoveTool::Imp::findConnection() {
    cancelSpecialMove();
    const ScNode& node = *_picked.node;
    ScGraph& scene = *_viewer->getScene();
    const ScGraph::Pick under = scene.pickBeneathRaised(node.getPosition(), _viewer->getOptions().linkStyle);
    if (under.node.isNull() || under.node->getProcessingNode().isNull() || node.getProcessingNode().isNull()) return;
    const RCStrongPtr<PiOutput> output = PiSocketUtil::getPrimaryOutput(*node.getProcessingNode());
    const int tab =
        under.partCode == ScPart::Input && under.tabIndex >= 0 ? under.tabIndex : findFreeInputTab(*under.node);
    if (output.isNull() || node.getOutputs().empty() || tab < 0) return;
    const RCStrongPtr<PiInput> input =
        PiSocketUtil::getInput(*under.node->getProcessingNode(), under.node->getInputs()[tab].label);
    if (input.isNull() || input->getOutput() == output) return;
    addProvisionalLink(scene, node, 0, *under.node, tab);
    _output = output;
    _input = input;
    _state = Connect;
}

void ScMoveTool::Imp::cancelSpecialMove() {
    if (_state == Insert || _state == Connect) _viewer->getScene()->clearProvisionalLinks();
    _output.reset();
    _input.reset();
    _state = Plain;
}

void ScMoveTool::Imp::finish() {
    ScViewer& viewer = *_viewer;
    if (_state == Remove) {
        UiApplication::getInstance().postRequest(makeRC<RemoveNodesEvent>(viewer));
    } else {
        ScViewerClient& client = viewer.getClient();
        if (!_options.autoCleanup) client.nodesMoved(_nodes);
        // A refused edit leaves the graph as it was and says why; the nodes stay where they were dropped.
        try {
            if (_state == Insert) client.insertNode(_picked.node->getProcessingNode(), _output, _input);
            else if (_state == Connect) client.connectSockets(_output, _input);
        } catch (const ExBase& ex) {
            MsgWarning(ex.getMessage()).display();
        }
    }
    restore(_state == Plain);
    viewer.update("ScMoveTool::Imp::finish");
}

void ScMoveTool::Imp::restore(bool layout) {
    _restored = true;
    _viewer->getScene()->clearProvisionalLinks();
    for (const RCStrongPtr<ScNode>& node : _nodes) node->setRaised(false);
    _viewer->resumeAutoLayout(_options, layout);
}

// --- The tool ---

ScMoveTool::ScMoveTool()
    : _autoPan("ScMoveTool", makeRC<CbMethod<ScMoveTool, const GeVector2<float>&>>(this, &ScMoveTool::autoPanCb)) {
    addManipulator(makeRC<MfPlanarManip2D>());
    setUndoString("Move");
}

ScMoveTool::~ScMoveTool() {
    leaveRemovalZone();
}

bool ScMoveTool::handleEvent(EvEvent& event) {
    ScViewer* viewer = ScViewer::getEventViewer(event);
    if (viewer) viewer->setKeyModifierDown(static_cast<EvDeviceEvent&>(event).getModifiers() != EvModifier::None);
    if (!isManipulating() &&
        (!viewer || viewer->pickAtWindow(static_cast<EvDeviceEvent&>(event).getCoord()).node.isNull()))
        return false;
    return MfTool::handleEvent(event);
}

void ScMoveTool::initiateManipulation(EvDeviceEvent& event) {
    if (ScViewer* viewer = ScViewer::getEventViewer(event)) _pressPoint = viewer->toScene(event.getCoord());
}

void ScMoveTool::monitorManipulation(EvDeviceEvent& event) {
    const Predicates& is = predicates();
    ScViewer* viewer = ScViewer::getEventViewer(event);
    if (!viewer || !is.pointerMove->evaluate(event)) return;
    if (!_move) {
        const ScGraph::Pick picked = viewer->pick(_pressPoint);
        if (picked.node.isNull()) return;
        _move = std::make_unique<Imp>(*viewer, picked, is.alt->evaluate(event) || is.moveAlone->evaluate(event));
    }
    updateRemovalZone(*viewer, event);
    const bool editing = isEditing(*viewer);
    Imp::State kind = Imp::Plain;
    if (_inRemovalZone) kind = Imp::Remove;
    else if (editing && is.shift->evaluate(event)) kind = Imp::Connect;
    else if (editing && is.alt->evaluate(event)) kind = Imp::Insert;
    _kind = kind;
    const MfPlanarManip2D& manipulator = *getGraspedManipulator();
    _move->manipulate(
        VwUtils::windowToWorldVector(viewer->getView(), manipulator.getCurrent() - manipulator.getPrevious()), kind);
    if (!_inRemovalZone) _autoPan.follow(*viewer, event.getCoord());
}

void ScMoveTool::autoPanCb(const GeVector2<float>& delta) {
    if (_move) _move->manipulate(delta, static_cast<Imp::State>(_kind));
}

void ScMoveTool::finalizeManipulation(EvDeviceEvent&) {
    _autoPan.stop();
    leaveRemovalZone();
    if (!_move) return;
    const std::unique_ptr<Imp> move = std::move(_move);
    move->finish();
}

// Below the view, across its width, dropping removes the selection, unless it holds a node that must stay.
void ScMoveTool::updateRemovalZone(ScViewer& viewer, const EvDeviceEvent& event) {
    const GeRectangle<float> viewport = viewer.getView().getWindowRect();
    const GePoint2<float>& p = event.getCoord();
    const bool inZone = p.x >= viewport.xMin && p.x < viewport.xMax && p.y < viewport.yMin && isEditing(viewer) &&
                        isRemovable(viewer.getSelection());
    if (inZone == _inRemovalZone) return;
    if (!inZone) return leaveRemovalZone();
    _autoPan.stop();
    UiApplication::getInstance().pushOverrideCursor(WsCursorRegistry::getCursor(WsCursorRegistry::Recycle));
    _inRemovalZone = true;
}

void ScMoveTool::leaveRemovalZone() {
    if (!_inRemovalZone) return;
    _inRemovalZone = false;
    if (UiApplication::exists()) UiApplication::getInstance().popOverrideCursor();
}

} // namespace Zv

#include "views/schematic/src/svGraphEditor.h"

#include "views/schematic/src/cleanDanglingEdgesCmd.h"
#include "views/schematic/src/colorNodeCmd.h"
#include "views/schematic/src/removeColorNodeCmd.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svRefusal.h"
#include "views/schematic/src/visualUngroupCmd.h"

#include "platform/base/assertions.h"
#include "platform/base/exBase.h"
#include "platform/base/xmlWriter.h"
#include "platform/graph/cmSelectionClearCmd.h"
#include "platform/graph/cmUndoGuard.h"
#include "platform/graph/omCompositionActions.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piGraphUtils.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/piSocketUtil.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "platform/graph/snSelection.h"
#include "platform/ui/drCarrier.h"

#include <algorithm>

namespace Zv {
namespace {

std::string describe(const PiSocket& socket) {
    return SvRefusal::quoted(socket.getNodePtr()->getName() + "." + socket.getName());
}

// The enclosing group whose sockets a socket of the level shown can be given.
RCStrongPtr<PiGroupNode> getEnclosingGroup(const PiSocket& socket) {
    RCStrongPtr<PiGroupNode> group = socket.getNodePtr()->getGroup();
    if (group.isNull() || group->isRoot())
        SvRefusal::refuse("the top level has no group sockets for " + describe(socket) + " to go through");
    return group;
}

bool isLocked(const PiGroupNode& group) {
    return PiSchematicInterfaceEx::getVisualGroupLockMode(group) != PiLockMode::None;
}

RCStrongPtr<PiGroupNode> checkedVisualGroup(const RCStrongPtr<PiGroupNode>& group) {
    if (group.isNull() || !PiSchematicInterfaceEx::isVisualGroup(*group))
        SvRefusal::refuse(group.isNull() ? "the nodes are in no visual group"
                                         : SvRefusal::quoted(group->getName()) + " is no visual group");
    return group;
}

} // namespace

SvGraphEditor::SvGraphEditor(SvBrowserGraph& browser) : _browser(browser) {}

CmCommandStack& SvGraphEditor::getStack(const PiNode& node) const {
    CmCommandStack& stack = node.getGraph()->getCommandStack();
    if (!stack.isWritable()) SvRefusal::refuse("the composition is read-only");
    return stack;
}

CmCommandStack& SvGraphEditor::getCompositionStack() const {
    RCStrongPtr<PiGraph> graph = _browser.getCompositionGraph();
    if (graph.isNull()) SvRefusal::refuse("no composition is shown");
    return getStack(*graph->getRootGroup());
}

RCStrongPtr<PiGroupNode> SvGraphEditor::getShownLevel() const {
    const RCStrongPtr<PiGroupNode>& shown = _browser.getCurrentGroup();
    return shown.isNull() ? _browser.getCompositionGraph()->getRootGroup() : shown;
}

// --- Connections ---

void SvGraphEditor::connect(const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input) {
    ZV_ASSERT(!output.isNull() && !input.isNull());
    PiUndoGuard guard(getStack(*input->getNodePtr()), "Connect");
    input->getNodePtr()->getGraph()->connect(output, input);
}

void SvGraphEditor::connect(const PiNode& source, int outputIndex, const PiNode& target, int inputIndex) {
    ZV_ASSERT(outputIndex >= 0 && outputIndex < source.getNbOutputs());
    ZV_ASSERT(inputIndex >= 0 && inputIndex < target.getNbInputs());
    connect(source.getOutput(outputIndex), target.getInput(inputIndex));
}

void SvGraphEditor::disconnect(const RCStrongPtr<PiInput>& input) {
    ZV_ASSERT(!input.isNull());
    auto* multi = dynamic_cast<const PiMultivaluedInput*>(input.get());
    if (multi ? multi->getNbValues() == 0 : !input->isConnected())
        SvRefusal::refuse("the input " + describe(*input) + " is not connected");
    PiUndoGuard guard(getStack(*input->getNodePtr()), "Disconnect");
    input->getNodePtr()->getGraph()->disconnect(input);
}

void SvGraphEditor::disconnect(const std::vector<RCStrongPtr<PiInput>>& inputs) {
    if (inputs.empty()) return;
    PiUndoGuard guard(getStack(*inputs.front()->getNodePtr()), "Disconnect");
    for (const RCStrongPtr<PiInput>& input : inputs) disconnect(input);
}

void SvGraphEditor::moveLink(const RCStrongPtr<PiInput>& oldInput, const RCStrongPtr<PiOutput>& output,
                             const RCStrongPtr<PiInput>& input) {
    PiUndoGuard guard(getStack(*input->getNodePtr()), "Connect");
    disconnect(oldInput);
    connect(output, input);
}

void SvGraphEditor::insert(const RCStrongPtr<PiNode>& node, const RCStrongPtr<PiOutput>& output,
                           const RCStrongPtr<PiInput>& input) {
    ZV_ASSERT(!node.isNull() && !output.isNull() && !input.isNull());
    RCStrongPtr<PiInput> target = input;
    if (auto* multi = dynamic_cast<PiMultivaluedInput*>(input.get())) {
        const auto& values = multi->getValues();
        const auto value =
            std::find_if(values.begin(), values.end(), [&](const auto& v) { return v->getOutput() == output; });
        const bool foundMultiValued = value != values.end();
        ZV_ASSERT(foundMultiValued);
        target = *value;
    }
    if (target->getOutput() != output)
        SvRefusal::refuse("no link from " + describe(*output) + " to " + describe(*input));
    RCStrongPtr<PiInput> nodeInput = PiSocketUtil::getPrimaryInput(*node);
    RCStrongPtr<PiOutput> nodeOutput = PiSocketUtil::getPrimaryOutput(*node);
    if (nodeInput.isNull() || nodeOutput.isNull())
        SvRefusal::refuse(SvRefusal::quoted(node->getName()) + " needs an input and an output to go into a link");
    PiGraph& graph = *node->getGraph();
    PiUndoGuard guard(getStack(*node), "Insert");
    graph.connect(nodeOutput, target);
    graph.connect(output, nodeInput);
}

void SvGraphEditor::swapConnections(const RCStrongPtr<PiInput>& first, const RCStrongPtr<PiInput>& second) {
    ZV_ASSERT(!first.isNull() && !second.isNull());
    for (const auto& input : {first, second})
        if (dynamic_cast<const PiMultivaluedInput*>(input.get()))
            SvRefusal::refuse("the input " + describe(*input) + " takes several values and swaps with none");
    if (!first->isConnected() && !second->isConnected())
        SvRefusal::refuse("neither " + describe(*first) + " nor " + describe(*second) + " is connected");
    const RCStrongPtr<PiOutput> feedsFirst = first->getOutput(), feedsSecond = second->getOutput();
    PiGraph& graph = *first->getNodePtr()->getGraph();
    PiUndoGuard guard(getStack(*first->getNodePtr()), "Swap Connections");
    auto feed = [&graph](const RCStrongPtr<PiInput>& input, const RCStrongPtr<PiOutput>& output) {
        if (!output.isNull()) graph.connect(output, input);
        else if (input->isConnected()) graph.disconnect(input);
    };
    feed(first, feedsSecond);
    feed(second, feedsFirst);
}

void SvGraphEditor::newInputConnection(const RCStrongPtr<PiInput>& input) {
    const RCStrongPtr<PiGroupNode> group = getEnclosingGroup(*input);
    PiGraph& graph = *group->getGraph();
    PiUndoGuard guard(getStack(*group), "New Input Connection");
    const RCStrongPtr<PiSocket> socket =
        graph.addGroupSocket(group, group->getUniqueSocketName(input->getName(), false), false);
    graph.connect(rcCheckedCast<PiOutput>(group->getBoundaryNode(*socket)->getInnerSocket()), input);
}

void SvGraphEditor::newOutputConnection(const RCStrongPtr<PiOutput>& output) {
    const RCStrongPtr<PiGroupNode> group = getEnclosingGroup(*output);
    PiGraph& graph = *group->getGraph();
    PiUndoGuard guard(getStack(*group), "New Output Connection");
    const RCStrongPtr<PiSocket> socket =
        graph.addGroupSocket(group, group->getUniqueSocketName(output->getName(), true), true);
    graph.connect(output, rcCheckedCast<PiInput>(group->getBoundaryNode(*socket)->getInnerSocket()));
}

void SvGraphEditor::removeInputConnection(const RCStrongPtr<PiInput>& input) {
    if (!input->isConnected()) SvRefusal::refuse("the input " + describe(*input) + " is not connected");
    const RCStrongPtr<PiOutput> source = input->getOutput();
    PiGraph& graph = *input->getNodePtr()->getGraph();
    PiUndoGuard guard(getStack(*input->getNodePtr()), "Remove Connection");
    graph.disconnect(input);
    auto* boundary = dynamic_cast<PiBoundaryNode*>(source->getNodePtr());
    if (boundary && source->getNbConnections() == 0) graph.removeGroupSocket(boundary->getGroupSocket());
}

void SvGraphEditor::removeOutputConnection(const RCStrongPtr<PiOutput>& output) {
    if (output->getNbConnections() == 0) SvRefusal::refuse("the output " + describe(*output) + " is not connected");
    PiGraph& graph = *output->getNodePtr()->getGraph();
    PiUndoGuard guard(getStack(*output->getNodePtr()), "Remove Connection");
    const std::vector<PiInput*> targets = output->getConnections();
    for (PiInput* target : targets) {
        graph.disconnect(RCStrongPtr<PiInput>(target));
        if (auto* boundary = dynamic_cast<PiBoundaryNode*>(target->getTopInput().getNodePtr()))
            graph.removeGroupSocket(boundary->getGroupSocket());
    }
    if (auto* boundary = dynamic_cast<PiBoundaryNode*>(output->getNodePtr()))
        graph.removeGroupSocket(boundary->getGroupSocket());
}

// --- Groups ---

void SvGraphEditor::groupNodes(const Nodes& nodes) {
    getCompositionStack(); // refuses a read-only composition
    SnSelection::Items items;
    for (const auto& node : nodes) items.push_back(PiSnItemUtil::create(node));
    if (!OmCompositionActions::executeGroupNodesAction({}, SnSelection::create(items)))
        SvRefusal::refuse("only nodes of one group, not boundary nodes, go into a group node");
}

void SvGraphEditor::moveIntoGroup(const Nodes& nodes, const RCStrongPtr<PiGroupNode>& group) {
    PiUndoGuard guard(getStack(*group), "Group");
    if (!OmCompositionActions::moveNodesIntoGroup(nodes, group))
        SvRefusal::refuse("no node beside " + SvRefusal::quoted(group->getName()) + " was given to go into it");
}

void SvGraphEditor::addToVisualGroup(const Nodes& nodes, const RCStrongPtr<PiGroupNode>& group) {
    checkedVisualGroup(group);
    PiUndoGuard guard(getStack(*group), "Add to Group");
    if (!OmCompositionActions::moveNodesIntoGroup(nodes, group))
        SvRefusal::refuse("no node beside " + SvRefusal::quoted(group->getName()) + " was given to go into it");
}

void SvGraphEditor::removeFromVisualGroup(const Nodes& nodes) {
    if (nodes.empty()) SvRefusal::refuse("no node was given to leave its group");
    const RCStrongPtr<PiGroupNode> group = checkedVisualGroup(nodes.front()->getGroup());
    PiUndoGuard guard(getStack(*group), "Remove from Group");
    if (!OmCompositionActions::moveNodesOutOfGroup(nodes))
        SvRefusal::refuse("no member of " + SvRefusal::quoted(group->getName()) + " was given to leave it");
}

void SvGraphEditor::ungroup(const RCStrongPtr<PiGroupNode>& group) {
    ZV_ASSERT(!group.isNull());
    if (group->isRoot()) SvRefusal::refuse("the top level cannot be ungrouped");
    const bool visual = PiSchematicInterfaceEx::isVisualGroup(*group);
    if (visual && isLocked(*group))
        SvRefusal::refuse("the visual group " + SvRefusal::quoted(group->getName()) + " is locked");
    CmUndoGuard guard(getStack(*group), "Ungroup");
    if (visual) guard.execAndAddUndoCommand(makeRC<VisualUngroupCmd>(group));
    OmCompositionActions::executeUngroupNodesAction(PiSnItemUtil::create(group), {});
}

RCStrongPtr<PiNode> SvGraphEditor::newGroup(const GePoint2<float>& scenePoint) {
    PiUndoGuard guard(getCompositionStack(), "Add Group");
    const RCStrongPtr<PiGroupNode> level = getShownLevel();
    RCStrongPtr<PiNode> group = level->getGraph()->createNode("Group", level);
    PiCompositionUtils::setUniqueNames({group});
    PiSchematicInterfaceEx::setXYPosition(group, scenePoint.x, scenePoint.y);
    return group;
}

// --- Colours ---

void SvGraphEditor::color(const RCStrongPtr<PiNode>& node, const PiSchematicInterfaceEx::Color& color) {
    for (float channel : color)
        if (!(channel >= 0.0f && channel <= 1.0f)) SvRefusal::refuse("a colour's channels go from 0 to 1");
    CmUndoGuard guard(getStack(*node), "Color");
    guard.execAndAddUndoCommand(makeRC<ColorNodeCmd>(node, color, RCStrongPtr<SvBrowserGraph>(&_browser),
                                                     PiSchematicInterfaceEx::hasNodeColor(*node)));
}

void SvGraphEditor::clearColor(const RCStrongPtr<PiNode>& node) {
    CmUndoGuard guard(getStack(*node), "Clear Color");
    guard.execAndAddUndoCommand(makeRC<RemoveColorNodeCmd>(node, RCStrongPtr<SvBrowserGraph>(&_browser),
                                                           PiSchematicInterfaceEx::hasNodeColor(*node)));
}

// --- Clipboard ---

RCShdPtr<DrCarrier> SvGraphEditor::copy() {
    const Nodes nodes = OmCompositionActions::getTargetNodes({}, _browser.getSelection());
    if (nodes.empty()) return {};
    XmlWriter writer;
    PiGraphUtils::archiveNodes(nodes, writer);
    RCShdPtr<DrCarrier> carrier = DrCarrier::create();
    carrier->setText(writer.str());
    // New content: its first paste goes to the placement point.
    _pasteOffset = {};
    return carrier;
}

RCShdPtr<DrCarrier> SvGraphEditor::cut() {
    CmCommandStack& stack = getCompositionStack();
    RCShdPtr<DrCarrier> carrier;
    {
        PiUndoGuardNoLog guard;
        carrier = copy();
    }
    if (carrier.isNull()) return {};
    const RCShdPtr<SnSelection> selection = _browser.getSelection();
    RCStrongPtr<PiSnItem<PiNode>> first;
    for (const auto& item : *selection)
        if (first.dynamicAssign(item) && first->isValid()) break;
    CmUndoGuard guard(stack, "Cut Selection");
    OmCompositionActions::executeRemoveNodeAction(first, selection);
    return carrier;
}

SvGraphEditor::Nodes SvGraphEditor::paste(const LiString& text, const GePoint2<float>* scenePoint) {
    CmCommandStack& stack = getCompositionStack();
    const RCStrongPtr<PiGroupNode> level = getShownLevel();
    CmUndoGuard guard(stack, "Paste Selection");
    // First in the entry, so that its undo runs once the pasted nodes are gone.
    guard.addUndoCommand(makeRC<CleanDanglingEdgesCmd>(RCStrongPtr<SvBrowserGraph>(&_browser)));
    Nodes pasted = PiGraphUtils::unarchiveNodes(text, "the clipboard", level);
    if (pasted.empty()) SvRefusal::refuse("the clipboard holds no nodes to paste");
    PiCompositionUtils::setUniqueNames(pasted);
    place(pasted, scenePoint);
    SnSelection::Items items;
    for (const auto& node : pasted) items.push_back(PiSnItemUtil::create(node));
    const RCShdPtr<SnSelection> selection = _browser.getSelection();
    guard.execAndAddUndoCommand(makeRC<CmSelectionClearCmd>(selection));
    guard.execAndAddUndoCommand(makeRC<CmSelectionReplaceAllItemsCmd>(selection, items));
    return pasted;
}

// The pasted nodes keep their layout, centred on the target: the reference node's archived position
// moved by the paste offset. Positions are part of the paste's undo step, so redo puts them back too.
void SvGraphEditor::place(const Nodes& pasted, const GePoint2<float>* scenePoint) {
    GePoint2<float> low{0.0f, 0.0f}, high{0.0f, 0.0f};
    const PiNode* reference = nullptr;
    for (const auto& node : pasted) {
        if (dynamic_cast<const PiBoundaryNode*>(node.get())) continue;
        const GePoint2<float> p = _browser.getNodePosition(*node);
        if (!reference) low = high = p;
        low = {std::min(low.x, p.x), std::min(low.y, p.y)};
        high = {std::max(high.x, p.x), std::max(high.y, p.y)};
        if (!reference) reference = node.get();
    }
    if (!reference) return;
    const GePoint2<float> centre{(low.x + high.x) * 0.5f, (low.y + high.y) * 0.5f};
    const GePoint2<float> archived = _browser.getNodePosition(*reference);
    if (scenePoint) _pasteOffset = *scenePoint - archived;
    else if (_pasteOffset == GeVector2<float>()) _pasteOffset = _browser.takePlacementPoint() - archived;
    const GePoint2<float> target = archived + _pasteOffset;
    for (const auto& node : pasted) {
        if (dynamic_cast<const PiBoundaryNode*>(node.get())) continue;
        const GePoint2<float> p = target + (_browser.getNodePosition(*node) - centre);
        PiSchematicInterfaceEx::setXYPosition(node, p.x, p.y);
    }
    _pasteOffset += SvBrowserGraph::PlacementStep;
}

} // namespace Zv

#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/graph/piSchematicInterfaceEx.h"

#include <vector>

namespace Zv {

class CmCommandStack;
class DrCarrier;
class PiGroupNode;
class PiInput;
class PiNode;
class PiOutput;
class SvBrowserGraph;

// The edits the view offers on the processing graph, each one named undo step. A refused edit raises
// ExBadInput (or the graph's own exception) with the reason and changes nothing.
class SvGraphEditor {
public:
    using Nodes = std::vector<RCStrongPtr<PiNode>>;

    explicit SvGraphEditor(SvBrowserGraph& browser);

    // --- Connections ---
    // A multi-valued input gets a new value.
    void connect(const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input);
    // The sockets by their indices on two nodes, as the socket menu names them.
    void connect(const PiNode& source, int outputIndex, const PiNode& target, int inputIndex);
    void disconnect(const RCStrongPtr<PiInput>& input);
    // Every link into the inputs goes, in one step; no inputs, no step.
    void disconnect(const std::vector<RCStrongPtr<PiInput>>& inputs);
    // The link into oldInput goes and output feeds input instead, in one "Connect" step.
    void moveLink(const RCStrongPtr<PiInput>& oldInput, const RCStrongPtr<PiOutput>& output,
                  const RCStrongPtr<PiInput>& input);
    // The node goes between the two ends of the link from output to input (an input or a value of one);
    // the link's own value of a multi-valued input keeps its place.
    void insert(const RCStrongPtr<PiNode>& node, const RCStrongPtr<PiOutput>& output,
                const RCStrongPtr<PiInput>& input);
    // The input is fed by a new input of the group shown, or the output feeds a new output of it.
    void newInputConnection(const RCStrongPtr<PiInput>& input);
    void newOutputConnection(const RCStrongPtr<PiOutput>& output);
    // The connection into the input, or every connection from the output, goes, with the group
    // sockets it leaves with nothing to carry.
    void removeInputConnection(const RCStrongPtr<PiInput>& input);
    void removeOutputConnection(const RCStrongPtr<PiOutput>& output);
    // Two single-valued inputs exchange what feeds them.
    void swapConnections(const RCStrongPtr<PiInput>& first, const RCStrongPtr<PiInput>& second);

    // --- Groups ---
    // The nodes go into a new group node (the composition's own action).
    void groupNodes(const Nodes& nodes);
    // The nodes beside group move into it; connections that come to cross its edge pass through its sockets.
    void moveIntoGroup(const Nodes& nodes, const RCStrongPtr<PiGroupNode>& group);
    void addToVisualGroup(const Nodes& nodes, const RCStrongPtr<PiGroupNode>& group);
    // The members of one visual group move out to the level that shows it.
    void removeFromVisualGroup(const Nodes& nodes);
    // Dissolves a group node or an unlocked visual group.
    void ungroup(const RCStrongPtr<PiGroupNode>& group);
    // An empty group node in the level shown, centred on the scene point.
    RCStrongPtr<PiNode> newGroup(const GePoint2<float>& scenePoint);

    // --- Colours ---
    void color(const RCStrongPtr<PiNode>& node, const PiSchematicInterfaceEx::Color& color);
    void clearColor(const RCStrongPtr<PiNode>& node);

    // --- Clipboard ---
    // The selected nodes archived as text; null when no node is selected.
    RCShdPtr<DrCarrier> copy();
    // Copies, then removes the selected nodes; null, with no undo entry, when none is selected.
    RCShdPtr<DrCarrier> cut();
    // Creates the archived nodes in the level shown, selected, centred on scenePoint, or without one on
    // the view's placement point; pasting again without a point puts the next copy beside it.
    Nodes paste(const LiString& text, const GePoint2<float>* scenePoint);

private:
    CmCommandStack& getStack(const PiNode& node) const;
    CmCommandStack& getCompositionStack() const;
    // The group whose members the view shows.
    RCStrongPtr<PiGroupNode> getShownLevel() const;
    void place(const Nodes& pasted, const GePoint2<float>* scenePoint);

    SvBrowserGraph& _browser;
    // Added to an archived position, it gives where the pasted copy goes.
    GeVector2<float> _pasteOffset;
};

} // namespace Zv

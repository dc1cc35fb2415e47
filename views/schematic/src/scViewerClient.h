#pragma once

#include "views/schematic/src/scDefinitions.h"

#include "platform/base/gePoint2.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/mfUndoScope.h"

#include <memory>
#include <vector>

namespace Zv {

class PiInput;
class PiNode;
class PiOutput;
class ScEdge;
class ScNode;

// What the viewer and the options panel ask of the view that owns them.
class ScViewerClient {
public:
    // The viewer laid the scene out (cleanUp): its positions belong in the model.
    virtual void layoutDone() = 0;
    // The options panel switched automatic clean-up off.
    virtual void autoCleanupSwitchedOff() = 0;
    // An option changed: the options panel shows it.
    virtual void optionsChanged() = 0;
    // Window points, in the viewer's pixels.
    virtual void contextMenuRequest(const GePoint2<float>& windowPoint) = 0;
    virtual void doubleClick(const GePoint2<float>& windowPoint) = 0;
    // A manual zoom or pan ends automatic zoom.
    virtual void autoZoomOff() = 0;
    // Presses on a node's strips: its thumbnail shown or hidden, its effect switched off or on.
    virtual void toggleNodeImage(const RCStrongPtr<PiNode>& node) = 0;
    virtual void toggleNodeMute(const RCStrongPtr<PiNode>& node) = 0;
    // Context point tag goes to the node, or is cleared with null.
    virtual void setContextPoint(int tag, const RCStrongPtr<PiNode>& node) = 0;

    // The tools' edits, each one undo step; a refusal is shown to the user and changes nothing.
    // Tabs are indices into the nodes' input and output records.
    virtual void connectTabs(const ScNode& source, int outputTab, const ScNode& target, int inputTab) = 0;
    // One end of the link moves to the tab (an output tab for its source end, an input tab for its
    // target end).
    virtual void moveLinkEnd(const ScEdge& edge, const ScNode& node, int tab, ScPart side) = 0;
    // The tab's socket gets a link through a new socket of the group shown: an input tab is fed by a
    // new group input, an output tab feeds a new group output.
    virtual void connectToGroup(const ScNode& node, int tab, ScPart side) = 0;
    // The view shows the inside of a group node.
    virtual bool isInsideGroup() const = 0;
    // Every link crossing the segment goes, in one step.
    virtual void disconnectCrossing(const GePoint2<float>& a, const GePoint2<float>& b) = 0;

    // A tool's gesture runs in one undo entry of that name; null when the graph shown takes no edits.
    virtual std::unique_ptr<MfUndoScope> openUndoScope(const LiString& name) = 0;
    // Nodes dragged to where they are now: their positions belong in the model, undoably.
    virtual void nodesMoved(const std::vector<RCStrongPtr<ScNode>>& nodes) = 0;
    // A dragged node dropped on the link from output to input goes into it.
    virtual void insertNode(const RCStrongPtr<PiNode>& node, const RCStrongPtr<PiOutput>& output,
                            const RCStrongPtr<PiInput>& input) = 0;
    // A dragged node dropped on another node's input feeds it.
    virtual void connectSockets(const RCStrongPtr<PiOutput>& output, const RCStrongPtr<PiInput>& input) = 0;

protected:
    ~ScViewerClient() = default;
};

} // namespace Zv

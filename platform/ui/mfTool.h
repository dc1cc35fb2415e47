#pragma once

#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/mfPlanarManip2D.h"
#include "platform/ui/mfUndoScope.h"

#include <memory>
#include <vector>

namespace Zv {

class EvEvent;
class MfViewer;
class WsCursor;

// An interaction tool. Its handleEvent runs the manipulation protocol: a press that one of its
// manipulators grasps starts a manipulation (prepare, then initiate), pointer moves monitor it and
// the release of the grasping button finalizes it. While manipulating, every pointer event stays
// with the tool. A tool with an undo string runs its manipulation inside an undo group of that name.
class MfTool : public RCBase {
public:
    MfTool();
    ~MfTool() override;

    // True when the tool took the event.
    virtual bool handleEvent(EvEvent& event);
    // Feedback drawn in the scene, and decorations drawn over it.
    virtual void draw(MfViewer& viewer);
    virtual void drawDecorations(MfViewer& viewer);
    virtual void selectionUpdate();
    // The grasped manipulator's cursor while manipulating, else none.
    virtual RCShdPtr<WsCursor> getCursor() const;
    virtual void prepareManipulation(EvDeviceEvent& event);
    virtual void initiateManipulation(EvDeviceEvent& event);
    virtual void monitorManipulation(EvDeviceEvent& event);
    virtual void finalizeManipulation(EvDeviceEvent& event);
    // Pointer motion outside every gesture (hover); true when the tool handled it.
    virtual bool handleFeedback(EvDeviceEvent& event);

    void addManipulator(const RCShdPtr<MfPlanarManip2D>& manipulator) { _manipulators.push_back(manipulator); }
    const RCShdPtr<MfPlanarManip2D>& getGraspedManipulator() const { return _grasped; }
    bool isManipulating() const { return !_grasped.isNull(); }
    void setUndoString(const LiString& undoString) { _undoString = undoString; }
    const LiString& getUndoString() const { return _undoString; }

private:
    bool continueManipulation(EvDeviceEvent& event);
    void finish(EvDeviceEvent& event);

    std::vector<RCShdPtr<MfPlanarManip2D>> _manipulators;
    RCShdPtr<MfPlanarManip2D> _grasped;
    LiString _undoString;
    std::unique_ptr<MfUndoScope> _undoScope;
};

} // namespace Zv

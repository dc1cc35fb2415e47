#include "platform/ui/mfTool.h"

#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/evPointerMoveEvent.h"
#include "platform/ui/mfViewer.h"

namespace Zv {

MfTool::MfTool() = default;

MfTool::~MfTool() = default;

bool MfTool::handleEvent(EvEvent& event) {
    auto* device = dynamic_cast<EvDeviceEvent*>(&event);
    if (device == nullptr) return false;
    if (isManipulating()) return continueManipulation(*device);
    for (const auto& manipulator : _manipulators) {
        if (!manipulator->tryGrasp(*device)) continue;
        _grasped = manipulator;
        if (!_undoString.isEmpty() && device->getViewer()) _undoScope = device->getViewer()->openUndoScope(_undoString);
        prepareManipulation(*device);
        initiateManipulation(*device);
        return true;
    }
    return false;
}

bool MfTool::continueManipulation(EvDeviceEvent& event) {
    if (_grasped->isReleasedBy(event)) {
        finish(event);
        return true;
    }
    if (dynamic_cast<EvPointerMoveEvent*>(&event)) {
        _grasped->drag(event);
        monitorManipulation(event);
        return true;
    }
    // Other buttons pressed during the gesture belong to it too; keys go on to others.
    return dynamic_cast<EvPointerButtonEvent*>(&event) != nullptr;
}

void MfTool::finish(EvDeviceEvent& event) {
    // The gesture ends even when finalizing fails.
    struct End {
        MfTool& tool;
        ~End() {
            tool._grasped->release();
            tool._grasped.reset();
            tool._undoScope.reset();
        }
    } end{*this};
    _grasped->drag(event);
    finalizeManipulation(event);
}

void MfTool::draw(MfViewer&) {}

void MfTool::drawDecorations(MfViewer&) {}

void MfTool::selectionUpdate() {}

RCShdPtr<WsCursor> MfTool::getCursor() const {
    return isManipulating() ? _grasped->getCursor() : RCShdPtr<WsCursor>();
}

void MfTool::prepareManipulation(EvDeviceEvent&) {}

void MfTool::initiateManipulation(EvDeviceEvent&) {}

void MfTool::monitorManipulation(EvDeviceEvent&) {}

void MfTool::finalizeManipulation(EvDeviceEvent&) {}

bool MfTool::handleFeedback(EvDeviceEvent&) {
    return false;
}

} // namespace Zv

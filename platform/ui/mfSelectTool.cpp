#include "platform/ui/mfSelectTool.h"

#include "platform/graph/snSelection.h"
#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/gfxDrawUtil.h"
#include "platform/ui/mfViewer.h"
#include "platform/ui/vwUtils.h"

#include <GL/gl.h>

#include <algorithm>

namespace Zv {

MfSelectTool::MfSelectTool(SelectMode mode) : _mode(mode), _band(makeRC<MfDragManip>()) {
    addManipulator(_band);
}

MfSelectTool::~MfSelectTool() = default;

bool MfSelectTool::handleEvent(EvEvent& event) {
    if (isManipulating()) return MfTool::handleEvent(event);
    auto* press = dynamic_cast<EvPointerButtonEvent*>(&event);
    if (press == nullptr || !press->isPress() || press->getTriggerButton() != EvButton::Left) return false;
    RCShdPtr<SnSelection> picked = getPickedSelection(*press);
    const bool modified = _xor->evaluate(*press) || _union->evaluate(*press);
    if (!picked->isEmpty()) {
        RCShdPtr<SnSelection> current = getSelection(*press);
        const bool alreadySelected =
            !current.isNull() &&
            std::all_of(picked->begin(), picked->end(), [&](const auto& item) { return current->contains(*item); });
        if (modified || !alreadySelected) applySelection(*press, *picked);
        return false;
    }
    if (_mode == SelectMode::Single) {
        applySelection(*press, *picked);
        return false;
    }
    return MfTool::handleEvent(event);
}

void MfSelectTool::draw(MfViewer& viewer) {
    if (!isManipulating()) return;
    const GeRectangle<float> band = VwUtils::windowToWorldOrtho(viewer.getView(), _band->getBand(viewer.getView()));
    glColor4f(1.0f, 1.0f, 1.0f, 0.8f);
    GfxDrawUtil::drawRectangleOutline(band);
}

void MfSelectTool::initiateManipulation(EvDeviceEvent& event) {
    if (event.getViewer()) event.getViewer()->markForUpdate();
}

void MfSelectTool::monitorManipulation(EvDeviceEvent& event) {
    if (event.getViewer()) event.getViewer()->markForUpdate();
}

void MfSelectTool::finalizeManipulation(EvDeviceEvent& event) {
    UPtr<MfViewer> viewer = event.getViewer();
    if (!viewer) return;
    RCShdPtr<SnSelection> items = getBandSelection(event, _band->getBand(viewer->getView()));
    applySelection(event, *items);
    viewer->markForUpdate();
}

RCShdPtr<SnSelection> MfSelectTool::getSelection(EvDeviceEvent& event) {
    return event.getViewer() ? event.getViewer()->getSelection() : RCShdPtr<SnSelection>();
}

void MfSelectTool::applySelection(EvDeviceEvent& event, const SnSelection& items) {
    RCShdPtr<SnSelection> current = getSelection(event);
    if (current.isNull()) return;
    RCShdPtr<SnSelection> result = SnSelection::create(items.getItems());
    if (_mode == SelectMode::Multiple && (_xor->evaluate(event) || _union->evaluate(event))) {
        const bool toggle = _xor->evaluate(event);
        result = SnSelection::create(current->getItems());
        for (const auto& item : items) {
            if (toggle) result->toggle(item);
            else result->add(item);
        }
    }
    if (!(*current == *result)) current->replaceAll(result->getItems());
}

} // namespace Zv

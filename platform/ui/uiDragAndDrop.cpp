#include "platform/ui/uiDragAndDrop.h"

#include "platform/ui/drCarrier.h"
#include "platform/ui/mfViewer.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiBackend.h"
#include "platform/ui/uiDrawArea.h"
#include "platform/ui/vwUtils.h"

namespace Zv {

bool UiDragAndDrop::startDrag() {
    if (!_dragEnabled || _source.isNull() || !_source->willPopulateSelection()) return false;
    RCShdPtr<DrCarrier> carrier = DrCarrier::create();
    _source->populateSelection(*carrier);
    if (carrier->isEmpty()) return false;
    UiApplication::getInstance().getBackend().startDrag(_area, carrier);
    return true;
}

void UiDragAndDrop::dragFinished(bool dropped) {
    if (_source.isNull()) return;
    if (dropped) _source->dropCompleted();
    else _source->operationCancelled();
}

DrSrcSink* UiDragAndDrop::locate(DrCarrier& carrier, const GePoint2<float>& point) {
    if (!_dropEnabled || _sink.isNull()) return nullptr;
    MfViewer* viewer = _area.getMfViewer();
    carrier.setLocation(viewer ? VwUtils::windowToWorldOrtho(viewer->getView(), point) : point);
    return _sink.get();
}

bool UiDragAndDrop::dragMove(const RCShdPtr<DrCarrier>& carrier, const GePoint2<float>& point) {
    DrSrcSink* sink = locate(*carrier, point);
    return sink != nullptr && sink->willConsumeSelection(*carrier);
}

bool UiDragAndDrop::drop(const RCShdPtr<DrCarrier>& carrier, const GePoint2<float>& point) {
    DrSrcSink* sink = locate(*carrier, point);
    return sink != nullptr && sink->consumeSelection(*carrier);
}

void UiDragAndDrop::dragLeave() {
    if (_dropEnabled && !_sink.isNull()) _sink->operationCancelled();
}

} // namespace Zv

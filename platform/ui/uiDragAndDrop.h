#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/drSrcSink.h"

namespace Zv {

class DrCarrier;
class UiDrawArea;

// Drag and drop of a draw area: its source and sink, and whether dragging from it and dropping on
// it are on. Points are window pixels of the area; a carrier hovering over a viewer is located at
// the scene point under the pointer.
class UiDragAndDrop : public RCBase {
public:
    explicit UiDragAndDrop(UiDrawArea& area) : _area(area) {}

    void setSource(const RCShdPtr<DrSrcSink>& source) { _source = source; }
    void setSink(const RCShdPtr<DrSrcSink>& sink) { _sink = sink; }
    void enableDrag(bool enabled) { _dragEnabled = enabled; }
    void enableDrop(bool enabled) { _dropEnabled = enabled; }

    // Starts dragging what the source gives; false when dragging is off or the source gives nothing.
    bool startDrag();
    // The backend reports the end of a drag started here.
    void dragFinished(bool dropped);

    bool dragMove(const RCShdPtr<DrCarrier>& carrier, const GePoint2<float>& point);
    bool drop(const RCShdPtr<DrCarrier>& carrier, const GePoint2<float>& point);
    void dragLeave();

private:
    // The sink when dropping is on, after locating the carrier at the point.
    DrSrcSink* locate(DrCarrier& carrier, const GePoint2<float>& point);

    UiDrawArea& _area;
    RCShdPtr<DrSrcSink> _source;
    RCShdPtr<DrSrcSink> _sink;
    bool _dragEnabled = false;
    bool _dropEnabled = false;
};

} // namespace Zv

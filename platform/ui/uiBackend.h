#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/msgMessage.h"

#include <optional>

namespace Zv {

class DrCarrier;
class UiColorDialog;
class UiDrawArea;
class UiPopupMenu;
class UiPopupMsgBox;
class WsCursor;

// What the toolkit needs from a real window system. A window backend and a headless one implement
// it; everything else in the toolkit runs the same on both. Points and rectangles are window pixels
// of the draw area (origin at its bottom left, y up).
class UiBackend {
public:
    virtual ~UiBackend() = default;

    // Seconds on the backend's clock.
    virtual double getTime() const = 0;
    // The application wants UiApplication::fireDueAlarms called at that time; nothing cancels the wake-up.
    virtual void scheduleAlarmWakeUp(std::optional<double> time) = 0;
    // Requests were posted, maybe from another thread: call UiApplication::runPostedRequests soon on
    // the UI thread, before the next repaint.
    virtual void requestsPosted() = 0;
    // The region of the area must be painted again (UiDrawArea::paint).
    virtual void requestRepaint(UiDrawArea& area, const GeRectangle<float>& region) = 0;

    // Shows the menu at the point and returns at once. When the user chooses an entry the backend
    // calls UiPopupMenu::activate with it; either way it reports the menu closed to the application.
    virtual void showPopupMenu(const RCShdPtr<UiPopupMenu>& menu, UiDrawArea& area, const GePoint2<float>& point) = 0;
    // Shows the colour dialog near the point and returns at once. When the user picks a colour the
    // backend calls UiColorDialog::choose; either way it reports the dialog closed to the application.
    virtual void showColorDialog(const RCShdPtr<UiColorDialog>& dialog, UiDrawArea& area,
                                 const GePoint2<float>& point) = 0;
    // Shows the text near the rectangle of the area; an empty text hides the tooltip.
    virtual void showTooltip(UiDrawArea& area, const LiString& text, const GeRectangle<float>& rect) = 0;
    virtual void setCursor(const WsCursor& cursor) = 0;

    virtual LiString getClipboardText() const = 0;
    virtual void setClipboardText(const LiString& text) = 0;

    // Runs the box modally and returns the index of the button chosen.
    virtual int runModal(UiPopupMsgBox& box) = 0;
    virtual void showMessage(MsgSeverity severity, const LiString& text) = 0;

    // Drags the carrier out of the area; the end is reported with UiDragAndDrop::dragFinished.
    virtual void startDrag(UiDrawArea& area, const RCShdPtr<DrCarrier>& carrier) = 0;
};

} // namespace Zv

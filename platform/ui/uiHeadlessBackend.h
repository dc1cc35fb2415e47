#pragma once

#include "platform/base/rcWeakPtr.h"
#include "platform/ui/uiBackend.h"
#include "platform/ui/uiResColor.h"

#include <optional>
#include <utility>
#include <vector>

namespace Zv {

class UiDrawArea;

// The backend of scripted sessions and tests. Time is simulated: alarms fire only when the clock
// is advanced. The clipboard lives in the process; cursor, tooltip, menus and dialogs are recorded
// for the session to read, and a session chooses menu entries and answers dialogs itself. Repaint
// requests are collected and, when painting is on, carried out by processPending.
class UiHeadlessBackend : public UiBackend {
public:
    struct Message {
        MsgSeverity severity;
        LiString text;
    };
    // How to answer the next dialog: which button, after filling text fields by name.
    struct DialogAnswer {
        LiString button;
        std::vector<std::pair<LiString, LiString>> fields;
    };

    UiHeadlessBackend();
    ~UiHeadlessBackend() override;

    // Runs posted requests, then paints the areas marked for update (when painting is on), as long
    // as painting posts more requests, for a few rounds at most.
    void processPending();
    // Moves the clock on: every alarm due on the way fires at its own time, in time order, and the
    // pending work runs after each.
    void advance(double seconds);
    // Painting needs a current GL context; off by default.
    void setPainting(bool painting) { _painting = painting; }
    int getNbRepaintRequests() const { return _nbRepaintRequests; }
    std::optional<double> getScheduledWakeUp() const { return _wakeUp; }

    // Chooses an entry of the open menu by path ("Group/Lock") and closes the menu. ExBadInput
    // when no menu is open or the path names nothing that can be chosen; the menu stays open then.
    void chooseMenuEntry(const LiString& path);
    void closeMenu();
    // Picks a colour in the open colour dialog, or cancels it; either closes it. ExBadInput when no
    // colour dialog is open.
    void chooseColor(const UiResColor& color);
    void cancelColorDialog();

    // Answers used by the next dialogs in order; a dialog with no answer left is cancelled.
    void queueDialogAnswer(const DialogAnswer& answer) { _answers.push_back(answer); }
    const std::vector<LiString>& getDialogTitles() const { return _dialogTitles; }

    const LiString& getTooltipText() const { return _tooltipText; }
    const GeRectangle<float>& getTooltipRect() const { return _tooltipRect; }
    const LiString& getCursorName() const { return _cursorName; }
    const std::vector<Message>& getMessages() const { return _messages; }
    std::vector<Message> takeMessages() { return std::exchange(_messages, {}); }
    const RCShdPtr<DrCarrier>& getDraggedCarrier() const { return _dragged; }
    // Ends the drag started from an area, as dropped elsewhere or cancelled.
    void endDrag(bool dropped);

    double getTime() const override { return _now; }
    void scheduleAlarmWakeUp(std::optional<double> time) override { _wakeUp = time; }
    void requestsPosted() override {}
    void requestRepaint(UiDrawArea& area, const GeRectangle<float>& region) override;
    void showPopupMenu(const RCShdPtr<UiPopupMenu>& menu, UiDrawArea& area, const GePoint2<float>& point) override {}
    void showColorDialog(const RCShdPtr<UiColorDialog>& dialog, UiDrawArea& area,
                         const GePoint2<float>& point) override {}
    void showTooltip(UiDrawArea& area, const LiString& text, const GeRectangle<float>& rect) override;
    void setCursor(const WsCursor& cursor) override;
    LiString getClipboardText() const override { return _clipboard; }
    void setClipboardText(const LiString& text) override { _clipboard = text; }
    int runModal(UiPopupMsgBox& box) override;
    void showMessage(MsgSeverity severity, const LiString& text) override { _messages.push_back({severity, text}); }
    void startDrag(UiDrawArea& area, const RCShdPtr<DrCarrier>& carrier) override;

private:
    double _now = 0.0;
    std::optional<double> _wakeUp;
    bool _painting = false;
    int _nbRepaintRequests = 0;
    std::vector<RCWeakPtr<UiDrawArea>> _dirty;
    std::vector<UiDrawArea*> _dirtyIds; // parallel to _dirty, to ask each area once
    std::vector<DialogAnswer> _answers;
    std::vector<LiString> _dialogTitles;
    LiString _tooltipText;
    GeRectangle<float> _tooltipRect;
    LiString _cursorName;
    LiString _clipboard;
    std::vector<Message> _messages;
    RCShdPtr<DrCarrier> _dragged;
    RCWeakPtr<UiDrawArea> _dragSource;
};

} // namespace Zv

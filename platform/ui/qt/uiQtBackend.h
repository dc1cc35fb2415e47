#pragma once

#include "platform/ui/uiBackend.h"

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QStatusBar>
#include <QTimer>

#include <atomic>
#include <vector>

class QMimeData;
class QWidget;

namespace Zv {

class UiQtViewWidget;

// The toolkit's backend on Qt Widgets. Draw areas are shown by UiQtViewWidgets, which register
// here; alarms wake up on a Qt timer; posted requests run on the Qt event loop (posting is safe from
// any thread); menus, tooltips, cursors, the clipboard, dialogs and drags are Qt's own. Create it
// after the QApplication and before the UiApplication, and keep it until its views are gone; it
// lives on the GUI thread.
//
// Messages: each is written to standard error. A warning is also shown in the status bar for a
// while when one is set (setStatusBar), else in a message box; an error always opens a message
// box. Message boxes do not block: the work that reported the message goes on.
class UiQtBackend : public QObject, public UiBackend {
public:
    UiQtBackend();
    ~UiQtBackend() override;

    void setStatusBar(QStatusBar* statusBar) { _statusBar = statusBar; }

    void addView(UiQtViewWidget& view);
    void removeView(UiQtViewWidget& view);
    // The view showing the window area around the area; null when none does.
    UiQtViewWidget* findView(UiDrawArea& area) const;
    // What dragged data carries: the carrier of a drag started in this process, else a new one
    // made from the data (see UiQtMime); null when the data holds nothing the toolkit can carry.
    RCShdPtr<DrCarrier> getCarrier(const QMimeData& data) const;

    double getTime() const override;
    void scheduleAlarmWakeUp(std::optional<double> time) override;
    void requestsPosted() override;
    void requestRepaint(UiDrawArea& area, const GeRectangle<float>& region) override;
    void showPopupMenu(const RCShdPtr<UiPopupMenu>& menu, UiDrawArea& area, const GePoint2<float>& point) override;
    void showColorDialog(const RCShdPtr<UiColorDialog>& dialog, UiDrawArea& area,
                         const GePoint2<float>& point) override;
    void showTooltip(UiDrawArea& area, const LiString& text, const GeRectangle<float>& rect) override;
    void setCursor(const WsCursor& cursor) override;
    LiString getClipboardText() const override;
    void setClipboardText(const LiString& text) override;
    int runModal(UiPopupMsgBox& box) override;
    void showMessage(MsgSeverity severity, const LiString& text) override;
    void startDrag(UiDrawArea& area, const RCShdPtr<DrCarrier>& carrier) override;

private:
    void fireAlarms();
    void runRequests();
    void runDrag(UiQtViewWidget& view, const RCShdPtr<UiDrawArea>& area, const RCShdPtr<DrCarrier>& carrier);
    QWidget* getDialogParent() const;

    QElapsedTimer _clock;
    QTimer _alarmTimer;
    std::atomic<bool> _requestsQueued{false};
    std::vector<UiQtViewWidget*> _views;
    QPointer<QStatusBar> _statusBar;
    RCShdPtr<DrCarrier> _dragged; // while a drag started here runs
    QByteArray _dragToken;
    int _nbDrags = 0;
};

} // namespace Zv

#include "platform/ui/qt/uiQtBackend.h"

#include "platform/ui/drCarrier.h"
#include "platform/ui/mtAlarmManager.h"
#include "platform/ui/qt/uiQtCursors.h"
#include "platform/ui/qt/uiQtMenu.h"
#include "platform/ui/qt/uiQtMime.h"
#include "platform/ui/qt/uiQtMsgBox.h"
#include "platform/ui/qt/uiQtViewWidget.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiColorDialog.h"
#include "platform/ui/uiDragAndDrop.h"
#include "platform/ui/uiDrawArea.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/wsCursor.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QCoreApplication>
#include <QDrag>
#include <QMenu>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolTip>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace Zv {
namespace {

constexpr int kStatusMilliseconds = 10000; // how long a warning stays in the status bar

QString toQt(const LiString& text) {
    return QString::fromStdString(text.str());
}

// Area pixels in pixels of the window area around it.
GePoint2<float> toWindow(const UiDrawArea& area, const GePoint2<float>& point) {
    return {point.x + static_cast<float>(area.getGeometry().xMin),
            point.y + static_cast<float>(area.getGeometry().yMin)};
}

GeRectangle<float> toWindow(const UiDrawArea& area, const GeRectangle<float>& rect) {
    return rect.translated(
        GeVector2<float>(static_cast<float>(area.getGeometry().xMin), static_cast<float>(area.getGeometry().yMin)));
}

// Tooltip lines as rich text, each line's own text taken literally.
QString tooltipHtml(const LiString& text) {
    QStringList lines;
    for (const LiString& line : text.split("<br>")) lines << toQt(line).toHtmlEscaped();
    return "<qt>" + lines.join("<br>") + "</qt>";
}

} // namespace

UiQtBackend::UiQtBackend() {
    _clock.start();
    _alarmTimer.setSingleShot(true);
    _alarmTimer.setTimerType(Qt::PreciseTimer);
    connect(&_alarmTimer, &QTimer::timeout, this, [this] { fireAlarms(); });
}

UiQtBackend::~UiQtBackend() = default;

void UiQtBackend::addView(UiQtViewWidget& view) {
    _views.push_back(&view);
}

void UiQtBackend::removeView(UiQtViewWidget& view) {
    std::erase(_views, &view);
}

UiQtViewWidget* UiQtBackend::findView(UiDrawArea& area) const {
    UiDrawArea* window = area.getWindowArea();
    auto it = std::find_if(_views.begin(), _views.end(),
                           [window](UiQtViewWidget* view) { return &view->getArea() == window; });
    return it == _views.end() ? nullptr : *it;
}

RCShdPtr<DrCarrier> UiQtBackend::getCarrier(const QMimeData& data) const {
    if (!_dragged.isNull() && UiQtMime::getToken(data) == _dragToken) return _dragged;
    return UiQtMime::toCarrier(data);
}

double UiQtBackend::getTime() const {
    return static_cast<double>(_clock.nsecsElapsed()) * 1e-9;
}

void UiQtBackend::scheduleAlarmWakeUp(std::optional<double> time) {
    if (!time) return _alarmTimer.stop();
    // Rounded up, so the wake-up never comes before the alarm is due.
    const double wait = std::max(0.0, std::ceil((*time - getTime()) * 1000.0));
    _alarmTimer.start(static_cast<int>(std::min(wait, 1e9)));
}

void UiQtBackend::fireAlarms() {
    if (!UiApplication::exists()) return;
    UiApplication& app = UiApplication::getInstance();
    app.fireDueAlarms();
    // A timer a little early fires nothing and would leave the alarms asleep.
    if (!_alarmTimer.isActive()) scheduleAlarmWakeUp(app.getAlarmManager().getNextDueTime());
}

void UiQtBackend::requestsPosted() {
    if (_requestsQueued.exchange(true)) return;
    QMetaObject::invokeMethod(
        this, [this] { runRequests(); }, Qt::QueuedConnection);
}

void UiQtBackend::runRequests() {
    // Cleared first: a request posted from here on queues another run.
    _requestsQueued = false;
    if (UiApplication::exists()) UiApplication::getInstance().runPostedRequests();
}

void UiQtBackend::requestRepaint(UiDrawArea& area, const GeRectangle<float>& region) {
    if (UiQtViewWidget* view = findView(area)) view->update(view->fromArea(toWindow(area, region)));
}

void UiQtBackend::showPopupMenu(const RCShdPtr<UiPopupMenu>& menu, UiDrawArea& area, const GePoint2<float>& point) {
    UiQtViewWidget* view = findView(area);
    if (view == nullptr) return UiApplication::getInstance().popupMenuClosed();
    QMenu* qtMenu = UiQtMenu::build(menu, view);
    // The menu hides before the chosen entry's handler runs, as the toolkit expects.
    connect(qtMenu, &QMenu::aboutToHide, qtMenu, [qtMenu, menu] {
        if (UiApplication::exists() && UiApplication::getInstance().getOpenPopupMenu() == menu)
            UiApplication::getInstance().popupMenuClosed();
        qtMenu->deleteLater();
    });
    qtMenu->popup(view->mapToGlobal(view->fromArea(toWindow(area, point))));
}

void UiQtBackend::showColorDialog(const RCShdPtr<UiColorDialog>& dialog, UiDrawArea& area,
                                  const GePoint2<float>& point) {
    UiQtViewWidget* view = findView(area);
    if (view == nullptr) return UiApplication::getInstance().colorDialogClosed();
    const UiResColor& initial = dialog->getInitial();
    auto* qtDialog = new QColorDialog(QColor::fromRgbF(initial.r, initial.g, initial.b), getDialogParent());
    qtDialog->setWindowTitle(toQt(dialog->getTitle()));
    qtDialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(qtDialog, &QColorDialog::colorSelected, qtDialog, [dialog](const QColor& color) {
        dialog->choose(
            {static_cast<float>(color.redF()), static_cast<float>(color.greenF()), static_cast<float>(color.blueF())});
    });
    connect(qtDialog, &QDialog::finished, qtDialog, [dialog] {
        if (UiApplication::exists() && UiApplication::getInstance().getOpenColorDialog() == dialog)
            UiApplication::getInstance().colorDialogClosed();
    });
    qtDialog->move(view->mapToGlobal(view->fromArea(toWindow(area, point))));
    qtDialog->open();
}

void UiQtBackend::showTooltip(UiDrawArea& area, const LiString& text, const GeRectangle<float>& rect) {
    UiQtViewWidget* view = findView(area);
    if (view == nullptr || text.isEmpty()) return QToolTip::hideText();
    QToolTip::showText(view->getTooltipPos(), tooltipHtml(text), view, view->fromArea(toWindow(area, rect)));
}

void UiQtBackend::setCursor(const WsCursor& cursor) {
    const QCursor shape = UiQtCursors::getCursor(cursor.getName());
    for (UiQtViewWidget* view : _views) view->setCursor(shape);
}

LiString UiQtBackend::getClipboardText() const {
    return QGuiApplication::clipboard()->text().toStdString();
}

void UiQtBackend::setClipboardText(const LiString& text) {
    QGuiApplication::clipboard()->setText(toQt(text));
}

int UiQtBackend::runModal(UiPopupMsgBox& box) {
    return UiQtMsgBox::run(box, getDialogParent());
}

void UiQtBackend::showMessage(MsgSeverity severity, const LiString& text) {
    const bool error = severity == MsgSeverity::Error;
    std::fprintf(stderr, "%s: %s\n", error ? "error" : "warning", text.c_str());
    if (!error && _statusBar) return _statusBar->showMessage(toQt(text), kStatusMilliseconds);
    auto* box = new QMessageBox(error ? QMessageBox::Critical : QMessageBox::Warning,
                                QCoreApplication::applicationName(), toQt(text), QMessageBox::Ok, getDialogParent());
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
}

void UiQtBackend::startDrag(UiDrawArea& area, const RCShdPtr<DrCarrier>& carrier) {
    UiQtViewWidget* view = findView(area);
    if (view == nullptr) return;
    // A drag runs an event loop of its own: it starts once the event that asked for it is handled.
    RCShdPtr<UiDrawArea> source(&area);
    QTimer::singleShot(0, view, [this, view, source, carrier] { runDrag(*view, source, carrier); });
}

void UiQtBackend::runDrag(UiQtViewWidget& view, const RCShdPtr<UiDrawArea>& area, const RCShdPtr<DrCarrier>& carrier) {
    _dragged = carrier;
    _dragToken = QByteArray::number(QCoreApplication::applicationPid()) + ':' + QByteArray::number(++_nbDrags);
    auto* drag = new QDrag(&view);
    drag->setMimeData(UiQtMime::toMimeData(*carrier, _dragToken));
    const bool dropped = drag->exec(Qt::CopyAction) != Qt::IgnoreAction;
    _dragged.reset();
    view.releaseHeldButtons();
    if (!area->getDragAndDrop().isNull()) area->getDragAndDrop()->dragFinished(dropped);
}

QWidget* UiQtBackend::getDialogParent() const {
    if (QWidget* active = QApplication::activeWindow()) return active;
    return _views.empty() ? nullptr : _views.front()->window();
}

} // namespace Zv

#include "platform/ui/qt/uiQtViewWidget.h"

#include "platform/ui/drCarrier.h"
#include "platform/ui/qt/uiQtBackend.h"
#include "platform/ui/qt/uiQtKeyMap.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiDrawArea.h"
#include "platform/ui/uiHotkeyRegistry.h"

#include <QCursor>
#include <QDragEnterEvent>
#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QSurfaceFormat>
#include <QWheelEvent>

#include <GL/gl.h>

namespace Zv {
namespace {

constexpr float kWheelNotch = 120.0f; // Qt's angle delta of one wheel step

EvButton toButton(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton: return EvButton::Left;
    case Qt::MiddleButton: return EvButton::Middle;
    case Qt::RightButton: return EvButton::Right;
    default: return EvButton::None;
    }
}

} // namespace

UiQtViewWidget::UiQtViewWidget(UiQtBackend& backend, const RCShdPtr<UiDrawArea>& area, QWidget* parent)
    : QOpenGLWidget(parent), _backend(backend), _area(area) {
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setRenderableType(QSurfaceFormat::OpenGL);
    format.setVersion(2, 1);
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    setFormat(format);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    _backend.addView(*this);
}

UiQtViewWidget::~UiQtViewWidget() {
    _backend.removeView(*this);
}

GePoint2<float> UiQtViewWidget::toArea(const QPointF& point) const {
    const double ratio = devicePixelRatioF();
    return {static_cast<float>(point.x() * ratio), static_cast<float>(_area->getHeight() - 1 - point.y() * ratio)};
}

QPoint UiQtViewWidget::fromArea(const GePoint2<float>& point) const {
    const double ratio = devicePixelRatioF();
    return QPointF(point.x / ratio, (_area->getHeight() - 1 - point.y) / ratio).toPoint();
}

QRect UiQtViewWidget::fromArea(const GeRectangle<float>& rect) const {
    const double ratio = devicePixelRatioF();
    const double height = _area->getHeight();
    return QRectF(QPointF(rect.xMin / ratio, (height - rect.yMax) / ratio),
                  QPointF(rect.xMax / ratio, (height - rect.yMin) / ratio))
        .toAlignedRect();
}

void UiQtViewWidget::releaseHeldButtons() {
    if (!UiApplication::exists()) return;
    UiApplication& app = UiApplication::getInstance();
    const GePoint2<float> point = toArea(mapFromGlobal(QCursor::pos()));
    for (EvButton button : {EvButton::Left, EvButton::Middle, EvButton::Right})
        if ((app.getButtonsHeld() & static_cast<int>(button)) != 0) app.pointerRelease(*_area, point, button);
}

void UiQtViewWidget::resizeEvent(QResizeEvent* event) {
    QOpenGLWidget::resizeEvent(event);
    const double ratio = devicePixelRatioF();
    _area->setWindowSize(qRound(width() * ratio), qRound(height() * ratio));
}

void UiQtViewWidget::paintGL() {
    if (!UiApplication::exists()) return;
    UiApplication::getInstance().runPostedRequests();
    // The toolkit sets viewport, scissor, blending and matrices as it needs; Qt gets its own back.
    glPushAttrib(GL_ALL_ATTRIB_BITS);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    _area->paint();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

bool UiQtViewWidget::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && UiApplication::exists()) {
        // A key bound to a hotkey goes to the view before the window's shortcuts.
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const std::optional<EvKeyCode> code = UiQtKeyMap::toKeyCode(keyEvent->key());
        if (code && !UiApplication::getInstance()
                         .getHotkeyRegistry()
                         .findEntries(*code, UiQtKeyMap::toModifiers(keyEvent->modifiers()))
                         .empty())
            event->accept();
        return QOpenGLWidget::event(event);
    }
    if (event->type() != QEvent::ToolTip || !UiApplication::exists()) return QOpenGLWidget::event(event);
    auto* help = static_cast<QHelpEvent*>(event);
    _tooltipPos = help->globalPos();
    UiApplication::getInstance().requestTooltip(*_area, toArea(help->pos()));
    return true;
}

void UiQtViewWidget::press(QMouseEvent* event, bool doubleClick) {
    const EvButton button = toButton(event->button());
    if (button == EvButton::None || !UiApplication::exists()) return event->ignore();
    syncModifiers(event->modifiers());
    UiApplication::getInstance().pointerPress(*_area, toArea(event->position()), button, doubleClick);
}

void UiQtViewWidget::mousePressEvent(QMouseEvent* event) {
    press(event, false);
}

void UiQtViewWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    press(event, true);
}

void UiQtViewWidget::mouseReleaseEvent(QMouseEvent* event) {
    const EvButton button = toButton(event->button());
    if (button == EvButton::None || !UiApplication::exists()) return event->ignore();
    syncModifiers(event->modifiers());
    UiApplication::getInstance().pointerRelease(*_area, toArea(event->position()), button);
}

void UiQtViewWidget::mouseMoveEvent(QMouseEvent* event) {
    if (!UiApplication::exists()) return;
    syncModifiers(event->modifiers());
    UiApplication::getInstance().pointerMove(*_area, toArea(event->position()));
}

void UiQtViewWidget::wheelEvent(QWheelEvent* event) {
    const float steps = static_cast<float>(event->angleDelta().y()) / kWheelNotch;
    if (steps == 0.0f || !UiApplication::exists()) return event->ignore();
    syncModifiers(event->modifiers());
    UiApplication::getInstance().wheel(*_area, toArea(event->position()), steps);
}

bool UiQtViewWidget::key(QKeyEvent* event, bool press) {
    const std::optional<EvKeyCode> code = UiQtKeyMap::toKeyCode(event->key());
    if (!code || !UiApplication::exists()) return false;
    UiApplication& app = UiApplication::getInstance();
    syncModifiers(event->modifiers());
    if (press) return app.keyPress(*code);
    app.keyRelease(*code);
    return true;
}

// A press the view leaves goes on to the window, whose shortcut for that key may take it; Tab
// stays, or the window would move the keyboard to its next widget.
void UiQtViewWidget::keyPressEvent(QKeyEvent* event) {
    const bool tab = event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab;
    if (!key(event, true) && !tab) event->ignore();
}

void UiQtViewWidget::keyReleaseEvent(QKeyEvent* event) {
    // A held key repeats its press; its release comes once, at the end.
    if (event->isAutoRepeat() || !key(event, false)) QOpenGLWidget::keyReleaseEvent(event);
}

void UiQtViewWidget::focusInEvent(QFocusEvent* event) {
    QOpenGLWidget::focusInEvent(event);
    if (!UiApplication::exists()) return;
    QPoint pointer = mapFromGlobal(QCursor::pos());
    if (!rect().contains(pointer)) pointer = rect().center();
    UiApplication::getInstance().setKeyFocus(*_area, toArea(pointer));
}

void UiQtViewWidget::syncModifiers(Qt::KeyboardModifiers modifiers) {
    UiApplication::getInstance().setModifiers(UiQtKeyMap::toModifiers(modifiers));
}

void UiQtViewWidget::dragEnterEvent(QDragEnterEvent* event) {
    _dropCarrier = _backend.getCarrier(*event->mimeData());
    if (_dropCarrier.isNull() || !UiApplication::exists()) return event->ignore();
    // Entering is accepted whatever the sink says here, so that the moves that follow are asked too.
    dragMoveEvent(event);
    event->accept();
}

void UiQtViewWidget::dragMoveEvent(QDragMoveEvent* event) {
    if (_dropCarrier.isNull() || !UiApplication::exists()) return event->ignore();
    const bool taken = UiApplication::getInstance().dragMove(*_area, _dropCarrier, toArea(event->position()));
    event->setDropAction(Qt::CopyAction);
    event->setAccepted(taken);
}

void UiQtViewWidget::dragLeaveEvent(QDragLeaveEvent* event) {
    _dropCarrier.reset();
    if (UiApplication::exists()) UiApplication::getInstance().dragLeave();
    event->accept();
}

void UiQtViewWidget::dropEvent(QDropEvent* event) {
    RCShdPtr<DrCarrier> carrier = std::exchange(_dropCarrier, {});
    const bool taken = !carrier.isNull() && UiApplication::exists() &&
                       UiApplication::getInstance().drop(*_area, carrier, toArea(event->position()));
    event->setDropAction(Qt::CopyAction);
    event->setAccepted(taken);
}

} // namespace Zv

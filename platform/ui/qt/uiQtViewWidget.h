#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/ui/uiDrawArea.h"

#include <QOpenGLWidget>

namespace Zv {

class DrCarrier;
class UiQtBackend;

// Shows a toolkit draw area (usually a viewer) in a GL 2.1 compatibility context, so the
// toolkit's immediate-mode drawing runs as it is, and hands Qt's input to the UiApplication:
// buttons, double clicks, moves, wheel, keys, tooltip requests and drops.
//
// Qt counts widget pixels from the top left, the toolkit from the bottom left, both in device
// pixels for the toolkit: pixel row r from the top is row height - 1 - r from the bottom.
class UiQtViewWidget : public QOpenGLWidget {
public:
    UiQtViewWidget(UiQtBackend& backend, const RCShdPtr<UiDrawArea>& area, QWidget* parent = nullptr);
    ~UiQtViewWidget() override;

    UiDrawArea& getArea() const { return *_area; }

    GePoint2<float> toArea(const QPointF& point) const;
    QPoint fromArea(const GePoint2<float>& point) const;
    QRect fromArea(const GeRectangle<float>& rect) const;
    // Where the tooltip being asked for goes, in global coordinates.
    QPoint getTooltipPos() const { return _tooltipPos; }
    // Releases the buttons the toolkit still holds, at the pointer: a drag took their release.
    void releaseHeldButtons();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintGL() override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // Tab is a key of the view, not a move to the next widget.
    bool focusNextPrevChild(bool next) override { return false; }

private:
    void press(QMouseEvent* event, bool doubleClick);
    bool key(QKeyEvent* event, bool press);
    void syncModifiers(Qt::KeyboardModifiers modifiers);

    UiQtBackend& _backend;
    RCShdPtr<UiDrawArea> _area;
    RCShdPtr<DrCarrier> _dropCarrier; // what a drag over the view carries
    QPoint _tooltipPos;
};

} // namespace Zv

#include "platform/ui/qt/uiQtCursors.h"

#include "platform/ui/wsCursorRegistry.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <cmath>
#include <map>
#include <numbers>

namespace Zv {
namespace {

constexpr int kSize = 32;

// A drawn cursor: lines drawn black on a white halo, and areas filled white with a black outline.
struct Shape {
    QPainterPath lines;
    QPainterPath areas;
    QPoint hotSpot;
};

Shape panShape() {
    Shape shape;
    shape.areas.addRoundedRect(QRectF(8.5, 13.5, 15, 14), 4, 4);
    const double fingerTops[] = {6.5, 4.5, 5.5, 8.5};
    for (int i = 0; i < 4; ++i) {
        QPainterPath finger;
        finger.addRoundedRect(QRectF(8.5 + 3.75 * i, fingerTops[i], 3.5, 18 - fingerTops[i]), 1.75, 1.75);
        shape.areas = shape.areas.united(finger);
    }
    QPainterPath thumb;
    thumb.addRoundedRect(QRectF(-1.75, -6, 3.5, 10), 1.75, 1.75);
    shape.areas = shape.areas.united(QTransform().translate(7.5, 20).rotate(-40).map(thumb));
    shape.hotSpot = {16, 16};
    return shape;
}

Shape scissorShape() {
    Shape shape;
    shape.lines.addEllipse(QPointF(10, 25), 3.5, 3.5);
    shape.lines.addEllipse(QPointF(22, 25), 3.5, 3.5);
    shape.lines.moveTo(12, 22);
    shape.lines.lineTo(20, 3);
    shape.lines.moveTo(20, 22);
    shape.lines.lineTo(12, 3);
    shape.hotSpot = {16, 12};
    return shape;
}

// Three arrows chasing each other round a circle.
Shape recycleShape() {
    Shape shape;
    const QPointF centre(16, 16);
    const double radius = 10;
    for (int i = 0; i < 3; ++i) {
        const double start = 120.0 * i + 10.0, sweep = 90.0;
        const QRectF bounds(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
        shape.lines.arcMoveTo(bounds, start);
        shape.lines.arcTo(bounds, start, sweep);
        // The head points along the arc, at its end.
        const double end = (start + sweep) * std::numbers::pi / 180.0;
        const QPointF tip = shape.lines.currentPosition();
        const QPointF along(-std::sin(end), -std::cos(end)), outward(std::cos(end), -std::sin(end));
        shape.lines.moveTo(tip - 4 * along + 3.5 * outward);
        shape.lines.lineTo(tip);
        shape.lines.lineTo(tip - 4 * along - 3.5 * outward);
    }
    shape.hotSpot = {16, 16};
    return shape;
}

Shape zoomShape() {
    Shape shape;
    shape.areas.addEllipse(QPointF(13, 13), 8, 8);
    shape.lines.moveTo(19, 19);
    shape.lines.lineTo(28, 28);
    shape.hotSpot = {13, 13};
    return shape;
}

QPixmap paint(const Shape& shape) {
    QPixmap pixmap(kSize, kSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.strokePath(shape.lines, QPen(Qt::white, 5.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.fillPath(shape.areas, Qt::white);
    painter.strokePath(shape.areas, QPen(Qt::black, 1.5));
    painter.strokePath(shape.lines, QPen(Qt::black, 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    return pixmap;
}

const Shape* findShape(const LiString& name) {
    static const std::map<LiString, Shape> shapes{{WsCursorRegistry::Pan, panShape()},
                                                  {WsCursorRegistry::Scissor, scissorShape()},
                                                  {WsCursorRegistry::Recycle, recycleShape()},
                                                  {WsCursorRegistry::Zoom, zoomShape()}};
    auto it = shapes.find(name);
    return it == shapes.end() ? nullptr : &it->second;
}

} // namespace

QCursor UiQtCursors::getCursor(const LiString& name) {
    const Shape* shape = findShape(name);
    if (shape == nullptr) return QCursor(Qt::ArrowCursor);
    return QCursor(getPixmap(name), shape->hotSpot.x(), shape->hotSpot.y());
}

QPixmap UiQtCursors::getPixmap(const LiString& name) {
    // Drawn on each call: cursors change seldom, and no pixmap outlives the application.
    const Shape* shape = findShape(name);
    return shape == nullptr ? QPixmap() : paint(*shape);
}

} // namespace Zv

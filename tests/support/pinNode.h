#pragma once

#include "views/schematic/src/scNode.h"

#include "platform/graph/piNode.h"

namespace Zv {

// A node whose sockets all sit at one point and leave in one direction: the least a link needs,
// for tests and benchmarks of links.
class PinNode : public ScNode {
public:
    PinNode(GePoint2f point, GeVector2f direction) : ScNode(1), _point(point), _direction(direction) {}
    void getSize(GeVector2f& out) const override { out = getBaseSize(); }
    void drawDecorations(ScDrawContext&, float) override {}
    void drawHighlight(ScDrawContext&, float) override {}
    bool pickSocket(const GePoint2f&, bool, int&, int&) override { return false; }
    GePoint2f getInputConnectionPoint(int, int) const override { return _point; }
    GePoint2f getOutputConnectionPoint(int, int) const override { return _point; }
    GeVector2f getInputDirection(int) const override { return _direction; }
    GeVector2f getOutputDirection(int) const override { return _direction; }

private:
    GePoint2f _point;
    GeVector2f _direction;
};

} // namespace Zv

#pragma once

#include "views/schematic/src/scNode.h"

#include <optional>

namespace Zv {

// A box of fixed size that draws and picks nothing, for tests of what surrounds nodes (links, layout,
// the scene). Outputs leave from its position and input i ends i steps further in reading order
// (down when the node flows right, else to the right). A pinned node has every link end at one point,
// whatever its position, leaving in one direction: the least a link needs. It counts the switches
// of its highlight.
class StubNode : public ScNode {
public:
    static constexpr float kInputStep = 10.0f;

    explicit StubNode(ScOrientation orientation = ScOrientation::Right, float width = 100.0f, float height = 20.0f)
        : ScNode(orientation), _size(width, height) {}
    StubNode(GePoint2f pin, GeVector2f direction) : ScNode(ScOrientation::Right), _pin(pin), _direction(direction) {}

    void getSize(GeVector2f& out) const override { out = _size; }
    void drawDecorations(ScDrawContext&, float) override {}
    void drawHighlight(ScDrawContext&, float) override {}
    bool pickSocket(const GePoint2f&, bool, int&, ScPart&) override { return false; }
    GePoint2f getInputConnectionPoint(int index, int) const override {
        const GeVector2f step =
            getOrientation() == ScOrientation::Right ? GeVector2f(0.0f, -kInputStep) : GeVector2f(kInputStep, 0.0f);
        return getOutputConnectionPoint(0, 0) + step * static_cast<float>(index);
    }
    GePoint2f getOutputConnectionPoint(int, int) const override { return _pin ? *_pin : getPosition(); }
    GeVector2f getInputDirection(int index) const override {
        return _pin ? _direction : ScNode::getInputDirection(index);
    }
    GeVector2f getOutputDirection(int index) const override {
        return _pin ? _direction : ScNode::getOutputDirection(index);
    }
    void setHighlighted(bool on) override {
        ++_nbHighlightSwitches;
        ScNode::setHighlighted(on);
    }
    int getNbHighlightSwitches() const { return _nbHighlightSwitches; }

private:
    GeVector2f _size{100.0f, 20.0f};
    std::optional<GePoint2f> _pin;
    GeVector2f _direction;
    int _nbHighlightSwitches = 0;
};

} // namespace Zv

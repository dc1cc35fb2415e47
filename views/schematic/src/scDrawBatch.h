#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/geRectangle.h"
#include "platform/ui/uiResColor.h"

#include <vector>

namespace Zv {

class ScDrawContext;

// Lines and filled rectangles gathered in client vertex arrays and drawn with one call for each kind:
// how the scene draws what is too small on screen to show in detail. Its arrays are kept from one
// frame to the next, so drawing allocates only while they grow.
class ScDrawBatch {
public:
    void addLine(const GePoint2<float>& from, const GePoint2<float>& to, const UiResColor& color, float alpha);
    void addRect(const GeRectangle<float>& rect, const UiResColor& color, float alpha);
    bool isEmpty() const { return _lines.empty() && _rects.empty(); }
    // Draws the rectangles (plain mode), then the lines (smooth lines), and empties the batch.
    void flush(ScDrawContext& ctx);

private:
    struct Vertex {
        float x, y;
        float r, g, b, a;
    };
    static void draw(const std::vector<Vertex>& vertices, unsigned mode);

    std::vector<Vertex> _lines;
    std::vector<Vertex> _rects;
};

} // namespace Zv

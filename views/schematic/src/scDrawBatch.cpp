#include "views/schematic/src/scDrawBatch.h"

#include "views/schematic/src/scDrawContext.h"

#include <GL/gl.h>

#include <utility>

namespace Zv {

void ScDrawBatch::addLine(const GePoint2<float>& from, const GePoint2<float>& to, const UiResColor& color,
                          float alpha) {
    _lines.push_back({from.x, from.y, color.r, color.g, color.b, alpha});
    _lines.push_back({to.x, to.y, color.r, color.g, color.b, alpha});
}

void ScDrawBatch::addRect(const GeRectangle<float>& rect, const UiResColor& color, float alpha) {
    for (auto [x, y] :
         {std::pair{rect.xMin, rect.yMin}, {rect.xMax, rect.yMin}, {rect.xMax, rect.yMax}, {rect.xMin, rect.yMax}})
        _rects.push_back({x, y, color.r, color.g, color.b, alpha});
}

void ScDrawBatch::flush(ScDrawContext& ctx) {
    if (!_rects.empty()) {
        ctx.setState(ScDrawContext::Plain);
        draw(_rects, GL_QUADS);
        _rects.clear();
    }
    if (!_lines.empty()) {
        ctx.setState(ScDrawContext::SmoothLines);
        draw(_lines, GL_LINES);
        _lines.clear();
    }
}

void ScDrawBatch::draw(const std::vector<Vertex>& vertices, unsigned mode) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].x);
    glColorPointer(4, GL_FLOAT, sizeof(Vertex), &vertices[0].r);
    glDrawArrays(mode, 0, static_cast<GLsizei>(vertices.size()));
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

} // namespace Zv

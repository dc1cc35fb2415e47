#include "views/schematic/src/scConnectionSet.h"

#include "views/schematic/src/scDrawContext.h"

#include "platform/base/assertions.h"

#include <GL/gl.h>

namespace Zv {

void ScConnectionSet::checkIndex(int i) const {
    ZV_ASSERT(i >= 0 && i < getNbConnections());
}

void ScConnectionSet::drawInsertArrow(ScDrawContext& ctx, float alpha) const {
    ctx.setState(ScDrawContext::Plain);
    const ScRoundedBox& box = *getAnchorRBox();
    const EdgePos middle = box.getOffsetPos(getStartPosition(), getEndPosition(), 0.5f);
    const GePoint2<float> p = box.getPoint(middle);
    const GeVector2<float> n = box.getNormal(middle);
    const GePoint2<float> base = p + n * 2.0f, tip = base + n * 12.0f;
    const GeVector2<float> across = GeVector2<float>(-n.y, n.x) * 4.5f;
    ctx.setColor(TabsHighlit, alpha);
    glBegin(GL_TRIANGLES);
    glVertex2f(tip.x, tip.y);
    glVertex2f((base + across).x, (base + across).y);
    glVertex2f((base - across).x, (base - across).y);
    glEnd();
}

} // namespace Zv

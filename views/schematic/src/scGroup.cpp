#include "views/schematic/src/scGroup.h"

#include "platform/graph/piGroupNode.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/ui/wsFont.h"
#include "platform/ui/wsFontUtils.h"
#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scNodeIconRegistry.h"

#include <GL/gl.h>

#include <cmath>

namespace Zv {

ScGroup::ScGroup(const RCStrongPtr<PiGroupNode>& group, const RCStrongPtr<RCBase>& owner, const UiResColor& color,
                 int64_t tag)
    : _group(group), _owner(owner), _color(color), _tag(tag) {}

ScGroup::~ScGroup() = default;

void ScGroup::removeMember(const ScNode& node) {
    std::erase_if(_members, [&node](const RCStrongPtr<ScNode>& member) { return member.get() == &node; });
}

void ScGroup::updateBounds() {
    ScSceneIndex::boundsChanged();
    if (_members.empty()) {
        float x = 0.0f, y = 0.0f;
        PiSchematicInterfaceEx::getXYPosition(*_group, x, y);
        x += 0.5f;
        y += 0.5f;
        _rect = GeRectangle<float>(x - 68.0f, x + 68.0f, y - 28.0f, y + 28.0f);
        return;
    }
    GeRectangle<float> bounds;
    for (const auto& member : _members) {
        GeRectangle<float> memberBounds;
        member->getBoxBounds(memberBounds);
        bounds.unite(memberBounds);
    }
    _rect = bounds.grown(10.0f);
}

GeRectangle<float> ScGroup::getBounds() const {
    return {_rect.xMin, _rect.xMax, _rect.yMin, _rect.yMax + kTitleHeight};
}

bool ScGroup::pick(const GePoint2<float>& p) const {
    GeRectangle<float> bounds = getBounds();
    return p.x >= bounds.xMin && p.x < bounds.xMax && p.y >= bounds.yMin && p.y < bounds.yMax;
}

void ScGroup::draw(ScDrawContext& ctx) const {
    const float xMin = std::trunc(_rect.xMin), xMax = std::trunc(_rect.xMax);
    const float yMin = std::trunc(_rect.yMin), yMax = std::trunc(_rect.yMax);
    const float top = yMax + kTitleHeight;

    ctx.setState(ScDrawContext::SmoothShading);
    ctx.setColor(_color.r, _color.g, _color.b, 0.85f);
    glRectf(xMin, yMin, xMax, yMax);
    ctx.setColor(GroupBackground, 1.0f);
    glRectf(xMin, yMax, xMax, top);

    auto vertex = [&](int colorId, float x, float y) {
        ctx.setColor(colorId, 1.0f);
        glVertex2f(x, y);
    };
    glBegin(GL_POLYGON);
    vertex(GroupTopBlend, xMin, top);
    vertex(GroupTopBlend, xMax, top);
    vertex(GroupBackground, xMax, yMax + 15.75f);
    vertex(GroupBackground, xMin, yMax + 15.75f);
    glEnd();
    glBegin(GL_POLYGON);
    vertex(GroupBackground, xMin, yMax + 5.25f);
    vertex(GroupBackground, xMax, yMax + 5.25f);
    vertex(GroupBottomBlend, xMax, yMax);
    vertex(GroupBottomBlend, xMin, yMax);
    glEnd();

    ctx.setState(ScDrawContext::Plain);
    ctx.setColor(MenuBorder, 1.0f);
    glBegin(GL_LINES);
    glVertex2f(xMin, yMax);
    glVertex2f(xMax, yMax);
    glEnd();
    ctx.setColor(_selected ? Selected : MenuBorder, 1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(xMin, yMin);
    glVertex2f(xMin, top);
    glVertex2f(xMax, top);
    glVertex2f(xMax, yMin);
    glEnd();

    if (!ctx.getFont().isNull()) drawName(ctx, xMin, xMax, yMax);
    // Locked tools show the lock faded, a locked group in full.
    if (_lockState == PiLockMode::None) return;
    const float alpha = _lockState == PiLockMode::Group ? 1.0f : 0.4f;
    ScNodeIconRegistry::getInstance()
        .getIcon(kLockIcon, false)
        ->draw(ctx, xMax - 10.0f, yMax + 10.5f, 16.0f, 13.0f, alpha, {1.0f, 1.0f, 1.0f});
}

void ScGroup::drawName(ScDrawContext& ctx, float xMin, float xMax, float yMax) const {
    const ScDrawContext::TextFont text = ctx.getTextFont();
    LiString name = WsFontUtils::truncateAtTheEnd(*text.font, _group->getName(), (xMax - xMin - 4.0f) * ctx.getScale());
    ctx.setColor(_selected ? Selected : Unselected, 1.0f);
    text.font->drawStringScaled(name, (xMin + xMax) * 0.5f, yMax + 10.5f, WsFont::CENTER, WsFont::CENTER, text.scale);
}

} // namespace Zv

#include "views/schematic/src/scSocketMenu.h"

#include "platform/base/assertions.h"
#include "platform/ui/wsFont.h"
#include "views/schematic/src/scContext.h"
#include "views/schematic/src/scDrawContext.h"

#include <GL/gl.h>

#include <algorithm>

namespace Zv {

ScSocketMenu::ScSocketMenu(const RCStrongPtr<ScNode>& node, ScPart side, int socketIndex,
                           const std::vector<ScNode::SocketRecord>& entries, const GePoint2<float>& point,
                           const ScContext& ctx)
    : _node(node), _entries(entries), _side(side), _numSockets(static_cast<int>(entries.size())),
      _savedHighlight(node->isHighlighted()), _scale(ctx.getScale()) {
    ZV_ASSERT(_numSockets > 0);
    _node->setHighlighted(true);
    const WsFont& font = *ctx.getFont();
    GePoint2<float> p(point.x * _scale, point.y * _scale);
    _rowHeight = font.getAscent() + font.getDescent();
    _height = (_numSockets + 1) * _rowHeight;
    // The hovered socket's row lies at the pointer.
    _top = socketIndex < 0 ? _height * 0.5f + _rowHeight + p.y : (socketIndex + 0.5f) * _rowHeight + _rowHeight + p.y;
    float width = font.getStringWidth(_node->getName());
    for (const auto& entry : _entries) width = std::max(width, font.getStringWidth(entry.label));
    width -= 3.0f;
    _left = side == ScPart::Input ? p.x - 5.0f : p.x + 5.0f - width;
    _right = _left + width;
}

ScSocketMenu::~ScSocketMenu() {
    _node->setHighlighted(_savedHighlight);
}

bool ScSocketMenu::update(const GePoint2<float>& point) {
    GePoint2<float> q(point.x * _scale, point.y * _scale);
    float below = _top - q.y;
    setEntryHighlight(false);
    if (!(below > 0.0f && below < _height && q.x >= _left && q.x < _right)) return false;
    // The title row also yields the first entry.
    _currentRow = static_cast<int>((below - _rowHeight) * _numSockets / (_height - _rowHeight));
    setEntryHighlight(true);
    return true;
}

void ScSocketMenu::setEntryHighlight(bool on) {
    if (_currentRow >= 0) _entries[_currentRow].flag = on;
}

int ScSocketMenu::getCurrentSocket() const {
    return _currentRow < 0 ? -1 : _entries[_currentRow].index;
}

GeRectangle<float> ScSocketMenu::getBounds(float scale) const {
    return {_left / scale, _right / scale, (_top - _height) / scale, _top / scale};
}

void ScSocketMenu::draw(ScDrawContext& ctx) const {
    const WsFont& font = *ctx.getFont();
    glPushMatrix();
    glScalef(1.0f / _scale, 1.0f / _scale, 1.0f);
    ctx.setState(ScDrawContext::Plain);
    ctx.setColor(SocketMenuBackground, 1.0f);
    glRectf(_left, _top - _height, _right, _top);
    ctx.setColor(SocketMenuBorder, 1.0f);
    glBegin(GL_LINE_LOOP);
    glVertex2f(_left, _top - _height);
    glVertex2f(_left, _top);
    glVertex2f(_right, _top);
    glVertex2f(_right, _top - _height);
    glEnd();

    ctx.setColor(SocketMenuText, 1.0f);
    font.drawCenteredString(_node->getName(), (_left + _right) * 0.5f, _top - _rowHeight * 0.5f);
    const float baselineOffset = font.getDescent();
    for (int row = 0; row < _numSockets; ++row) {
        float rowBottom = _top - (row + 2) * _rowHeight;
        if (row == _currentRow && _entries[row].flag) {
            ctx.setColor(SocketMenuBorderSelected, 1.0f);
            glRectf(_left, rowBottom, _right, rowBottom + _rowHeight);
            ctx.setColor(SocketMenuText, 1.0f);
        }
        font.drawString(_entries[row].label, _left + 2.0f, rowBottom + baselineOffset);
    }
    glPopMatrix();
}

} // namespace Zv

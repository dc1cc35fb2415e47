#include "views/schematic/src/scDrawContext.h"

#include "platform/base/assertions.h"
#include "platform/ui/smContext.h"
#include "platform/ui/smStateObject.h"
#include "platform/ui/uiResTable.h"
#include "platform/ui/wsFont.h"

#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <string>

namespace Zv {
namespace {

// Keys of the colour ids, in id order.
const char* const kColorKeys[NbColorIds] = {
    "MenuBackground",
    "MenuBorder",
    "MenuText",
    "Background",
    "SocketMenuBackground",
    "SocketMenuBorderSelected",
    "SocketMenuBorder",
    "SocketMenuText",
    "Selected",
    "Unselected",
    "ChildSelected",
    "Tabs",
    "MaskingTab",
    "MarkedAnimationTab",
    "AnchorTab",
    "ExpressionTab",
    "AnimatedTab",
    "TabsHighlit",
    "TabsOutline",
    "IRDisabled",
    "IREnabled",
    "ProxyToggle",
    "ContextPointOutline",
    "TextureBackground",
    "EdgeRGBA",
    "EdgeRGB",
    "EdgeA",
    "GroupBackground",
    "GroupTopBlend",
    "GroupBottomBlend",
};

SmStateObject plainState() {
    SmStateObject state;
    state.enable(GL_SCISSOR_TEST)
        .disable(GL_DITHER)
        .enable(GL_BLEND)
        .blend(GL_FUNC_ADD, GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    return state;
}

std::array<SmStateObject, 4> makeStates() {
    std::array<SmStateObject, 4> states;
    states[ScDrawContext::Plain] = plainState();
    states[ScDrawContext::Plain].textureEnvironment(GL_TEXTURE0, false, GL_MODULATE);
    states[ScDrawContext::SmoothLines].inherit(states[ScDrawContext::Plain]).enable(GL_LINE_SMOOTH);
    states[ScDrawContext::SmoothShading].inherit(states[ScDrawContext::Plain]).shadeModel(GL_SMOOTH);
    states[ScDrawContext::Textured] = plainState();
    states[ScDrawContext::Textured].textureEnvironment(GL_TEXTURE0, true, GL_MODULATE);
    return states;
}

// Built once, then applied whole by every draw call that changes mode.
const std::array<SmStateObject, 4>& drawingStates() {
    static const std::array<SmStateObject, 4> states = makeStates();
    return states;
}

} // namespace

void ScDrawContext::prepareStates() {
    drawingStates();
}

ScDrawContext::ScDrawContext(UPtr<MfViewer> viewer, const RCShdPtr<WsFont>& font, const RCShdPtr<WsFont>& zoomedFont,
                             float scale, const ScColorTable& colors, float opacity)
    : ScContext(font, scale), _viewer(viewer), _colors(colors), _zoomedFont(zoomedFont), _opacity(opacity) {
    // Ids are not bounded by callers; a short table reads as black rather than out of range.
    _colors.resize(std::max<size_t>(_colors.size(), NbColorIds));
}

ScDrawContext::~ScDrawContext() = default;

ScColorTable ScDrawContext::readColorTable(const UiResTable& resources) {
    ScColorTable table(NbColorIds);
    auto read = [&](int id) {
        const UiResColor* color = resources.find<UiResColor>("SvSchematicDisplay", kColorKeys[id]);
        table[id] = color ? *color : UiResColor{};
    };
    // "Unselected" is read before "Selected".
    for (int id = 0; id < NbColorIds; ++id) read(id == Selected ? Unselected : id == Unselected ? Selected : id);
    return table;
}

ScColorTable ScDrawContext::readShippedColorTable() {
    return readColorTable(UiResTable::load(UiResTable::getResourcePath("schematic.xml")));
}

void ScDrawContext::beginFrame(const GeRectangle<float>& world, int width, int height, const ScColorTable& colors) {
    glViewport(0, 0, width, height);
    glScissor(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(world.xMin, world.xMax, world.yMin, world.yMax, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const UiResColor& background = colors[Background];
    glClearColor(background.r, background.g, background.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

ScDrawContext::TextFont ScDrawContext::getTextFont() const {
    if (!_zoomedFont.isNull()) return {_zoomedFont.get(), getScale()};
    return {getFont().get(), 1.0f};
}

void ScDrawContext::setState(int mode) {
    if (mode < Plain || mode > Textured) ZV_ABORT("unknown drawing mode " + std::to_string(mode));
    SmContext& context = SmContext::getCurrentContext();
    if (mode == Textured) {
        context.setActiveTexture(GL_TEXTURE0);
        issueColor({1.0f, 1.0f, 1.0f}, _opacity);
    }
    context.applyStateObject(drawingStates()[mode]);
}

void ScDrawContext::setColor(int id, float alphaFactor) {
    issueColor(_colors[id], alphaFactor * _opacity);
}

void ScDrawContext::setColor(float r, float g, float b, float alphaFactor) {
    issueColor({r, g, b}, alphaFactor * _opacity);
}

void ScDrawContext::issueColor(const UiResColor& color, float alpha) {
    _color = color;
    _alpha = alpha;
    glColor4f(color.r, color.g, color.b, alpha);
}

} // namespace Zv

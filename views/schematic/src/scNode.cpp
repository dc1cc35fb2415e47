#include "views/schematic/src/scNode.h"

#include "views/schematic/src/scConnectionSet.h"
#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scIcon.h"

#include "platform/base/assertions.h"
#include "platform/base/liStringUtil.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piNode.h"
#include "platform/graph/piNodeAnchorUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piTool.h"
#include "platform/graph/uiCompositionClient.h"
#include "platform/ui/wsFont.h"
#include "platform/ui/wsFontUtils.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

namespace Zv {
namespace {

// An output's channel kind not read yet.
constexpr int8_t kUnread = -1;

// Lines of the details block sit this far apart, and the block this far inside its backdrop.
constexpr float kDetailsLeading = 2.0f;
constexpr float kDetailsMargin = 4.0f;

const char* channelsName(int channels) {
    switch (channels) {
    case 1: return "Alpha";
    case 3: return "RGB";
    }
    return "RGBA";
}

// The first input whose image the node converts before working on it, or null.
const PiInput* findConvertedInput(const PiNode& node) {
    if (!PiImageModifier::isImageModifier(node)) return nullptr;
    for (const auto& input : node.getInputs())
        if (PiImageModifier::getConversionInfo(*input).mustConvert()) return input.get();
    return nullptr;
}

} // namespace

ScNode::ScNode(ScOrientation orientation) : _orientation(orientation) {
    ZV_ASSERT(UiCompositionClient::getNbContextPoints() <= static_cast<int>(kMaxContextPoints));
}

ScNode::~ScNode() = default;

void ScNode::getBounds(GeRectangle<float>& out, const ScContext&) const {
    getBoxBounds(out);
}

void ScNode::getBoxBounds(GeRectangle<float>& out) const {
    GeVector2<float> size;
    getSize(size);
    const GeVector2<float> half = size * 0.5f;
    out = GeRectangle<float>::spanning(_position - half, _position + half);
}

void ScNode::clearIcon() {
    _icon.reset();
    ScSceneIndex::boundsChanged();
}

void ScNode::setIcon(const IxTile& image) {
    _icon = makeRC<ScIcon>(image, false);
    ScSceneIndex::boundsChanged();
}

void ScNode::addInput(SocketRecord& socket) {
    socket.index = static_cast<int32_t>(_inputs.size());
    _inputs.push_back(socket);
    ScSceneIndex::boundsChanged();
}

void ScNode::addOutput(SocketRecord& socket) {
    socket.index = static_cast<int32_t>(_outputs.size());
    _outputs.push_back(socket);
    ScSceneIndex::boundsChanged();
}

void ScNode::clearSockets() {
    _inputs.clear();
    _outputs.clear();
    ScSceneIndex::boundsChanged();
}

void ScNode::setSocketFlag(ScPart side, size_t index, bool on) {
    if (side == ScPart::Input) {
        ZV_ASSERT(index < _inputs.size());
        _inputs[index].flag = on;
    } else {
        ZV_ASSERT(index < _outputs.size());
        _outputs[index].flag = on;
    }
}

void ScNode::setInputConverted(size_t index, bool converted) {
    ZV_ASSERT(index < _inputs.size());
    _inputs[index].converted = converted;
}

void ScNode::setColor(bool hasColor, const UiResColor& color) {
    _hasColor = hasColor;
    if (hasColor) _color = color;
}

void ScNode::draw(ScDrawContext& ctx) {
    constexpr float alpha = 1.0f;
    drawDecorations(ctx, alpha);
    // The highlight pass repaints the body, so the outline follows it.
    if (_highlighted) drawHighlight(ctx, alpha);
    ctx.setState(ScDrawContext::SmoothLines);
    ctx.setColor(_selected ? Selected : Unselected, alpha);
    drawOutline(ctx, alpha);
    // The outline shows the selection; the name keeps the menu text colour, which stays readable on
    // light user colours where the selection colour would not.
    ctx.setColor(MenuText, alpha);
    drawName(ctx);
}

void ScNode::drawName(ScDrawContext& ctx) {
    ctx.setState(ScDrawContext::Plain);
    GeRectangle<float> box;
    getBoxBounds(box);
    drawText(ctx, getContextPointPrefix() + _name, box, 1, 1);
}

GeVector2<float> ScNode::getFlowDirection() const {
    switch (_orientation) {
    case ScOrientation::Down: return {0.0f, -1.0f};
    case ScOrientation::Right: return {1.0f, 0.0f};
    case ScOrientation::Up: return {0.0f, 1.0f};
    }
    ZV_ABORT("unknown orientation " + std::to_string(toInt(_orientation)));
}

GeVector2<float> ScNode::getSocketDirection(const ScConnectionSet& set, int setIndex, bool isInput) const {
    const float w = set.getNormalWeight(setIndex);
    const GeVector2<float> along = set.getConnectionNormal(setIndex) * w, flow = getFlowDirection() * (1.0f - w);
    return isInput ? along - flow : along + flow;
}

// Processing link.

void ScNode::setProcessingNode(const RCStrongPtr<PiNode>& node) {
    _processing = ProcessingLink();
    _processing.node = node;
}

int ScNode::getOutputChannelKind(int output) const {
    if (_processing.node.isNull()) return 0;
    const auto& outputs = _processing.node->getOutputs();
    std::vector<int8_t>& kinds = _processing.channelKinds;
    if (kinds.empty()) kinds.assign(outputs.size(), kUnread);
    if (output < 0 || static_cast<size_t>(output) >= kinds.size()) return 0;
    if (kinds[output] == kUnread) {
        const int channels = output < static_cast<int>(outputs.size())
                                 ? PiSchematicInterfaceEx::getImageFormat(*outputs[output]).channels
                                 : 0;
        kinds[output] = static_cast<int8_t>(channels);
    }
    return kinds[output];
}

void ScNode::invalidateOutputChannelKind(int output) {
    if (output >= 0 && static_cast<size_t>(output) < _processing.channelKinds.size())
        _processing.channelKinds[output] = kUnread;
}

// Context points.

void ScNode::setContextPoint(int contextPointTag, bool on) {
    ZV_ASSERT(contextPointTag >= 0 && contextPointTag < UiCompositionClient::getNbContextPoints());
    if (_contextPoints[contextPointTag] == on) return;
    _contextPoints[contextPointTag] = on;
    _contextPointCount += on ? 1 : -1;
    ZV_ASSERT(_contextPointCount >= 0 && _contextPointCount <= UiCompositionClient::getNbContextPoints());
}

bool ScNode::hasContextPoint(int contextPointTag) const {
    return contextPointTag >= 0 && contextPointTag < UiCompositionClient::getNbContextPoints() &&
           _contextPoints[contextPointTag];
}

LiString ScNode::getContextPointPrefix() const {
    if (_contextPointCount == 0) return {};
    std::string prefix = "(C";
    for (int tag = 0; tag < UiCompositionClient::getNbContextPoints(); ++tag)
        if (_contextPoints[tag]) prefix += std::to_string(tag + 1);
    return prefix + ") ";
}

// Text.

void ScNode::drawText(ScDrawContext& ctx, const LiString& text, const GeRectangle<float>& rect, int hAlign,
                      int vAlign) const {
    if (ctx.getFont().isNull()) return;
    if (rect.getHeight() < ctx.getFont()->getAscent() + ctx.getFont()->getDescent()) return;
    if (hAlign < 0 || hAlign > 2 || vAlign < 0 || vAlign > 2) ZV_ABORT("unknown text alignment");
    const float x = rect.xMin + 0.5f * static_cast<float>(hAlign) * rect.getWidth();
    const float y = rect.yMin + 0.5f * static_cast<float>(vAlign) * rect.getHeight();
    const ScDrawContext::TextFont font = ctx.getTextFont();
    const LiString shown = WsFontUtils::truncateAtTheEnd(*font.font, text, rect.getWidth() * ctx.getScale());
    font.font->drawStringScaled(shown, x, y - 0.5f, WsFont::Alignment(hAlign), WsFont::Alignment(vAlign), font.scale);
}

std::vector<LiString> ScNode::getDetailsLines() const {
    std::vector<LiString> lines;
    if (_processing.node.isNull()) {
        lines.push_back(_name);
        return lines;
    }
    const PiNode& node = *_processing.node;
    lines.push_back(_name + " (" + node.getToolRef().getToolName() + ")");
    const int nbOutputs = node.getNbOutputs();
    if (nbOutputs > 0) {
        const PiImageFormat format = PiSchematicInterfaceEx::getImageFormat(*node.getOutputs()[0]);
        LiString line = LiString(channelsName(format.channels)) + ", " + LiStringUtil::convertNb(nbOutputs) +
                        " stream" + (nbOutputs > 1 ? "s" : "");
        const PiInput* converted = findConvertedInput(node);
        if (converted) line += " converted";
        lines.push_back(line);
        if (converted) {
            const PiConversionInfo info = PiImageModifier::getConversionInfo(*converted);
            lines.push_back(LiString("    from ") + channelsName(info.nativeFormat.channels) + " to " +
                            channelsName(info.workFormat.channels));
        }
    }
    lines.push_back("Anchors:");
    for (const PiNodeAnchor& anchor : PiNodeAnchorUtils::getAnchors(node)) lines.push_back("    " + anchor.name);
    return lines;
}

void ScNode::drawDetails(ScDrawContext& ctx) {
    if (ctx.getFont().isNull()) return;
    const WsFont& font = *ctx.getFont();
    const std::vector<LiString> lines = getDetailsLines();
    const float lineHeight = font.getAscent() + font.getDescent() + kDetailsLeading;
    float width = 0.0f;
    for (const LiString& line : lines) width = std::max(width, font.getStringWidth(line));
    const float height = lineHeight * static_cast<float>(lines.size());
    const float left = _position.x - width * 0.5f, top = _position.y + height * 0.5f;
    ctx.setState(ScDrawContext::Plain);
    ctx.setColor(MenuBackground, 0.85f);
    glRectf(left - kDetailsMargin, top - height - kDetailsMargin, left + width + kDetailsMargin, top + kDetailsMargin);
    ctx.setColor(MenuText, 1.0f);
    for (size_t i = 0; i < lines.size(); ++i) {
        const float y = top - lineHeight * static_cast<float>(i + 1);
        drawText(ctx, lines[i], {left, left + width + 1.0f, y, y + lineHeight}, 0, 1);
    }
}

} // namespace Zv

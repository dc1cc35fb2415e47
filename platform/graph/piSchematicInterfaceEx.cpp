#include "platform/graph/piSchematicInterfaceEx.h"

#include "platform/base/assertions.h"

namespace Zv {
namespace {

void set(const PiSchematicInterfaceEx::Node& node, PiValueKind kind, const PiValueData& data) {
    node->getGraph()->setValue(node, kind, {}, data);
}

} // namespace

bool PiSchematicInterfaceEx::getXYPosition(const PiNode& node, float& x, float& y) {
    PiValueData position = node.getValue(PiValueKind::Position);
    x = static_cast<float>(position.v[0]);
    y = static_cast<float>(position.v[1]);
    return position.isSet;
}

void PiSchematicInterfaceEx::setXYPosition(const Node& node, float x, float y) {
    set(node, PiValueKind::Position, PiValueData::of(x, y));
}

void PiSchematicInterfaceEx::removeXYPosition(const Node& node) {
    set(node, PiValueKind::Position, {});
}

bool PiSchematicInterfaceEx::hasNodeColor(const PiNode& node) {
    return node.getValue(PiValueKind::NodeColor).isSet;
}

PiSchematicInterfaceEx::Color PiSchematicInterfaceEx::getNodeColor(const PiNode& node) {
    const auto& rgb = node.getValue(PiValueKind::NodeColor).v;
    return {static_cast<float>(rgb[0]), static_cast<float>(rgb[1]), static_cast<float>(rgb[2])};
}

void PiSchematicInterfaceEx::setNodeColor(const Node& node, const Color& color) {
    set(node, PiValueKind::NodeColor, PiValueData::of(color[0], color[1], color[2]));
}

void PiSchematicInterfaceEx::removeNodeColor(const Node& node) {
    set(node, PiValueKind::NodeColor, {});
}

bool PiSchematicInterfaceEx::isVisualGroup(const PiNode& node) {
    return node.getValue(PiValueKind::VisualGroup).isSet;
}

void PiSchematicInterfaceEx::setVisualGroup(const Node& node, bool on) {
    ZV_ASSERT(!on || dynamic_cast<PiGroupNode*>(node.get()) != nullptr);
    set(node, PiValueKind::VisualGroup, on ? PiValueData::of(1) : PiValueData());
}

PiLockMode PiSchematicInterfaceEx::getVisualGroupLockMode(const PiNode& node) {
    // Values are checked against kMaxLockMode where they come in.
    return static_cast<PiLockMode>(node.getValue(PiValueKind::VisualGroupLock).v[0]);
}

void PiSchematicInterfaceEx::setVisualGroupLock(const Node& node, PiLockMode mode) {
    set(node, PiValueKind::VisualGroupLock,
        mode != PiLockMode::None ? PiValueData::of(static_cast<int>(mode)) : PiValueData());
}

void PiSchematicInterfaceEx::removeVisualGroupLock(const Node& node) {
    set(node, PiValueKind::VisualGroupLock, {});
}

bool PiSchematicInterfaceEx::isThumbnailStateSet(const PiNode& node, bool& state) {
    PiValueData thumbnail = node.getValue(PiValueKind::Thumbnail);
    state = thumbnail.isSet && thumbnail.v[0] != 0;
    return thumbnail.isSet;
}

void PiSchematicInterfaceEx::enableThumbnail(const Node& node, bool on) {
    set(node, PiValueKind::Thumbnail, PiValueData::of(on));
}

PiImageFormat PiSchematicInterfaceEx::getImageFormat(const PiOutput& output) {
    return {output.getChannels()};
}

CbRegistration PiSchematicInterfaceEx::addRefreshRequestCb(const PiNode& node,
                                                           RCStrongPtr<PiGraph::RefreshHandler> handler) {
    return node.getGraph()->addRefreshRequestCb(node, std::move(handler));
}

} // namespace Zv

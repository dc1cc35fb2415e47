#include "views/schematic/src/scSelectTool.h"

#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/svModelEdge.h"

#include "platform/graph/piGroupNode.h"
#include "platform/graph/piKeyframingUtil.h"
#include "platform/graph/piSnItemConst.h"
#include "platform/graph/snSelection.h"
#include "platform/ui/mfEventPredicates.h"
#include "platform/ui/vwUtils.h"

namespace Zv {
namespace {

constexpr EvKeyCode kKeyframeKey = EvKeyCode::A + 10; // 'k'

bool covers(const GeRectangle<float>& band, const GePoint2<float>& p) {
    return band.xMin <= p.x && p.x < band.xMax && band.yMin <= p.y && p.y < band.yMax;
}

void addNode(SnSelection::Items& items, const RCStrongPtr<PiNode>& node) {
    if (!node.isNull()) items.push_back(PiSnItemConst<PiNode>::create(node));
}

// A link stands for its output and, when it still has one, its input.
void addEdge(SnSelection::Items& items, const ScEdge& edge) {
    auto* model = dynamic_cast<const SvModelEdge*>(&edge);
    if (model == nullptr) return;
    if (!model->getOutput().isNull()) items.push_back(PiSnItemConst<PiOutput>::create(model->getOutput()));
    if (!model->getInput().isNull()) items.push_back(PiSnItemConst<PiInput>::create(model->getInput()));
}

} // namespace

ScSelectTool::ScSelectTool()
    : MfSelectTool(SelectMode::Multiple),
      // The band's first corner is kept in scene units, so it stays on its scene point by itself.
      _autoPan("ScSelectTool", {}, 0.0) {}

ScSelectTool::~ScSelectTool() = default;

void ScSelectTool::initiateManipulation(EvDeviceEvent& event) {
    if (ScViewer* viewer = ScViewer::getEventViewer(event)) {
        // Fitting would move the band under the pointer, and laying out would move what it covers.
        _savedAutoZoom = viewer->getOptions().autoZoom;
        _savedAutoCleanup = viewer->getOptions().autoCleanup;
        viewer->setAutoZoom(false);
        viewer->setAutoCleanup(false);
    }
    MfSelectTool::initiateManipulation(event);
}

void ScSelectTool::monitorManipulation(EvDeviceEvent& event) {
    if (ScViewer* viewer = ScViewer::getEventViewer(event)) _autoPan.follow(*viewer, event.getCoord());
    MfSelectTool::monitorManipulation(event);
}

void ScSelectTool::finalizeManipulation(EvDeviceEvent& event) {
    _autoPan.stop();
    ScViewer* viewer = ScViewer::getEventViewer(event);
    // The options come back even when applying the band fails.
    try {
        MfSelectTool::finalizeManipulation(event);
    } catch (...) {
        restoreOptions(viewer);
        throw;
    }
    restoreOptions(viewer);
    if (viewer != nullptr && _savedAutoCleanup) viewer->cleanUp();
}

void ScSelectTool::restoreOptions(ScViewer* viewer) const {
    if (viewer == nullptr) return;
    if (_savedAutoZoom) viewer->setAutoZoom(true);
    if (_savedAutoCleanup) viewer->setAutoCleanup(true);
}

bool ScSelectTool::handleFeedback(EvDeviceEvent& event) {
    ScViewer* viewer = ScViewer::getEventViewer(event);
    if (viewer == nullptr || event.getButtonsHeld() != 0) return false;
    viewer->hover(event.getCoord());
    return true;
}

RCShdPtr<SnSelection> ScSelectTool::getPickedSelection(EvDeviceEvent& event) {
    SnSelection::Items items;
    if (ScViewer* viewer = ScViewer::getEventViewer(event)) {
        const ScViewer::Pick picked = viewer->pickAtWindow(event.getCoord());
        if (!picked.node.isNull()) addNode(items, picked.node->getProcessingNode());
        else if (!picked.edge.isNull()) addEdge(items, *picked.edge);
        else if (!picked.group.isNull()) addNode(items, picked.group->getGroup());
    }
    return SnSelection::create(std::move(items));
}

RCShdPtr<SnSelection> ScSelectTool::getBandSelection(EvDeviceEvent& event, const GeRectangle<float>& band) {
    SnSelection::Items items;
    ScViewer* viewer = ScViewer::getEventViewer(event);
    if (viewer == nullptr) return SnSelection::create();
    const GeRectangle<float> area = VwUtils::windowToWorldOrtho(viewer->getView(), band);
    const ScGraph& scene = *viewer->getScene();
    // Only the points count: a band grazing a box does not take its node.
    const auto& nodes = scene.getNodes();
    for (auto it = nodes.rbegin(); it != nodes.rend(); ++it)
        if (covers(area, (*it)->getPosition())) addNode(items, (*it)->getProcessingNode());
    for (const auto& edge : scene.getEdges())
        if (covers(area, edge->getMidpoint())) addEdge(items, *edge);
    for (const auto& group : scene.getGroups())
        if (covers(area, group->getTitleCenter())) addNode(items, group->getGroup());
    return SnSelection::create(std::move(items));
}

void ScSelectTool::applySelection(EvDeviceEvent& event, const SnSelection& items) {
    MfSelectTool::applySelection(event, items);
    if (!event.getKeyboardState().isKeyDown(kKeyframeKey)) return;
    for (const auto& item : items) {
        auto* nodeItem = dynamic_cast<const PiSnItemConst<PiNode>*>(item.get());
        if (nodeItem == nullptr || !nodeItem->isValid()) continue;
        const RCStrongPtr<PiNode> node(const_cast<PiNode*>(nodeItem->get().get()));
        if (PiKeyframingUtil::hasMarkedAttributes(*node)) PiKeyframingUtil::unmarkTool(node);
        else PiKeyframingUtil::markTool(node, nodeItem->getPath());
    }
}

} // namespace Zv

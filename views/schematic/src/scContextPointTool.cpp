#include "views/schematic/src/scContextPointTool.h"

#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/scViewerClient.h"

#include "platform/graph/uiCompositionClient.h"
#include "platform/ui/mfEventPredicates.h"

#include <memory>
#include <vector>

namespace Zv {
namespace {

// The digit '1' sets context point 0.
constexpr EvKeyCode kFirstContextPointKey = EvKeyCode::Digit0 + 1;

std::unique_ptr<std::vector<MfEventPredicates::Predicate>> gKeys;

} // namespace

ScContextPointTool::ScContextPointTool() = default;

ScContextPointTool::~ScContextPointTool() = default;

void ScContextPointTool::createKeyPredicates() {
    gKeys = std::make_unique<std::vector<MfEventPredicates::Predicate>>();
    for (int i = 0; i < UiCompositionClient::getNbContextPoints(); ++i)
        gKeys->push_back(MfEventPredicates::isKeyDown(kFirstContextPointKey + i));
}

void ScContextPointTool::releaseKeyPredicates() {
    gKeys.reset();
}

bool ScContextPointTool::handleEvent(EvEvent& event) {
    auto* device = dynamic_cast<EvDeviceEvent*>(&event);
    ScViewer* viewer = device ? ScViewer::getEventViewer(*device) : nullptr;
    if (viewer == nullptr || gKeys == nullptr) return false;
    for (size_t i = 0; i < gKeys->size(); ++i) {
        if (!(*gKeys)[i]->evaluate(*device)) continue;
        const ScViewer::Pick picked = viewer->pickAtWindow(device->getCoord());
        const bool onNode = !picked.node.isNull() && picked.node->hasProcessingNode();
        viewer->getClient().setContextPoint(static_cast<int>(i),
                                            onNode ? picked.node->getProcessingNode() : RCStrongPtr<PiNode>());
        return true;
    }
    return false;
}

} // namespace Zv

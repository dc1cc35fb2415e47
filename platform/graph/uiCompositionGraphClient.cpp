#include "platform/graph/uiCompositionGraphClient.h"

#include "platform/graph/uiComposition.h"

namespace Zv {

UiCompositionGraphClient::UiCompositionGraphClient(UiComposition& composition) : UiCompositionClient(composition) {
    if (RCStrongPtr<PiGraph> graph = composition.getGraph()) graph->attachObserver(this);
}

UiCompositionGraphClient::~UiCompositionGraphClient() {
    if (RCStrongPtr<PiGraph> graph = getComposition().getGraph()) graph->detachObserver(this);
}

RCStrongPtr<PiGraph> UiCompositionGraphClient::getCompositionGraph() const {
    return getComposition().getGraph();
}

int UiCompositionGraphClient::getMode() const {
    return getComposition().getMode();
}

RCShdPtr<SnSelection> UiCompositionGraphClient::getSelection() const {
    return getComposition().getSelection();
}

UiWorkspace* UiCompositionGraphClient::getWorkspace() const {
    return getComposition().getWorkspace();
}

RCStrongPtr<PiNode> UiCompositionGraphClient::getNode() const {
    RCStrongPtr<PiGraph> graph = getCompositionGraph();
    return graph.isNull() ? RCStrongPtr<PiNode>() : graph->getCurrentNode();
}

} // namespace Zv

#include "platform/graph/uiComposition.h"

#include "platform/base/assertions.h"
#include "platform/base/cbMethod.h"
#include "platform/graph/omGraphHint.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/uiCompositionGraphClient.h"

#include <algorithm>

namespace Zv {
namespace {

RCStrongPtr<PiSnItem<PiNode>> itemOf(const RCStrongPtr<PiNode>& node) {
    return node.isNull() ? RCStrongPtr<PiSnItem<PiNode>>() : PiSnItemUtil::create(node);
}

} // namespace

UiComposition::UiComposition() : _contextPoints(UiCompositionClient::getNbContextPoints()) {}

UiComposition::~UiComposition() {
    if (_graph) _graph->detachObserver(this);
}

std::vector<UiCompositionGraphClient*> UiComposition::getGraphClients() const {
    std::vector<UiCompositionGraphClient*> graphClients;
    for (UiCompositionClient* client : _clients)
        if (auto* graphClient = dynamic_cast<UiCompositionGraphClient*>(client)) graphClients.push_back(graphClient);
    return graphClients;
}

void UiComposition::setGraph(const RCStrongPtr<PiGraph>& graph) {
    if (graph == _graph) return;
    std::vector<UiCompositionGraphClient*> graphClients = getGraphClients();
    _callbacks.releaseAll();
    if (_graph) {
        _graph->detachObserver(this);
        for (auto* client : graphClients) _graph->detachObserver(client);
    }
    _graph = graph;
    std::fill(_contextPoints.begin(), _contextPoints.end(), RCStrongPtr<PiNode>());
    if (_graph) {
        _graph->attachObserver(this);
        for (auto* client : graphClients) _graph->attachObserver(client);
        _callbacks.add(_graph->getSelection()->addChangedCb(
            makeRC<CbMethod<UiComposition, const SnSelection&>>(this, &UiComposition::selectionChangedCb)));
    }
    for (auto* client : graphClients) client->currentGraphChanged(_graph);
}

RCShdPtr<SnSelection> UiComposition::getSelection() const {
    return _graph ? _graph->getSelection() : SnSelection::create();
}

void UiComposition::rename(const LiString& name) {
    ZV_ASSERT(!_graph.isNull());
    _graph->setName(name);
    for (UiCompositionClient* client : std::vector(_clients)) client->compositionRenamed();
}

void UiComposition::setCurrentNode(const RCStrongPtr<PiNode>& node) {
    ZV_ASSERT(!_graph.isNull());
    _graph->setCurrentNode(node);
    for (auto* client : getGraphClients()) client->newNodeSet(itemOf(node));
}

void UiComposition::setContextPoint(int tag, const RCStrongPtr<PiNode>& node) {
    ZV_ASSERT(tag >= 0 && tag < UiCompositionClient::getNbContextPoints());
    RCStrongPtr<PiNode> former = std::exchange(_contextPoints[tag], node);
    if (former == node) return;
    for (UiCompositionClient* client : std::vector(_clients))
        client->contextPointChanged(tag, itemOf(former), itemOf(node));
}

RCStrongPtr<PiNode> UiComposition::getContextPoint(int tag) const {
    ZV_ASSERT(tag >= 0 && tag < UiCompositionClient::getNbContextPoints());
    return _contextPoints[tag];
}

void UiComposition::placeNewNode(const RCStrongPtr<PiNode>& node) {
    for (auto* client : getGraphClients()) client->nodePlacement(itemOf(node));
}

void UiComposition::attachClient(UiCompositionClient* client) {
    _clients.push_back(client);
}

void UiComposition::detachClient(UiCompositionClient* client) {
    std::erase(_clients, client);
}

void UiComposition::update(const ObHints& hints) {
    for (const auto& hint : hints.getContainer())
        if (auto* removed = dynamic_cast<OmGraphHint::NodeRemoved*>(hint.get()))
            for (auto* client : getGraphClients()) client->nodeRemoved(removed->getNode()->getId());
}

void UiComposition::selectionChangedCb(const SnSelection& selection) {
    for (auto* client : getGraphClients()) client->selectionChanged(selection);
}

} // namespace Zv

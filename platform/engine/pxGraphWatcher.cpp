#include "platform/engine/pxGraphWatcher.h"

#include "platform/base/assertions.h"
#include "platform/base/obHints.h"
#include "platform/engine/pxRequestMgr.h"
#include "platform/graph/omGraphHint.h"
#include "platform/graph/piNodeUtils.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

namespace Zv {
namespace {

std::vector<std::unique_ptr<PxGraphWatcher>>& watchers() {
    static std::vector<std::unique_ptr<PxGraphWatcher>> all;
    return all;
}

bool changesImages(const PiValue& value) {
    switch (value.getKind()) {
    case PiValueKind::Text:
    case PiValueKind::Mute: return true;
    case PiValueKind::Stored: return value.getName() != PiNodeUtils::C_VALUE;
    default: return false;
    }
}

void addNode(std::unordered_set<int>& ids, const PiSocket* socket) {
    if (socket && socket->getNodePtr()) ids.insert(socket->getNodePtr()->getId());
}

// The nodes whose own computation the batch changed.
std::unordered_set<int> findChangedNodes(const ObHints& hints) {
    std::unordered_set<int> ids;
    for (const RCStrongPtr<ObHint>& hint : hints.getContainer()) {
        if (auto* value = dynamic_cast<const OmGraphHint::ValueChanged*>(hint.get())) {
            if (changesImages(*value->getValue())) ids.insert(value->getNode()->getId());
        } else if (auto* output = dynamic_cast<const OmGraphHint::OutputChanged*>(hint.get())) {
            addNode(ids, output->getOutput().get());
        } else if (auto* link = dynamic_cast<const OmGraphHint::LinkHint*>(hint.get())) {
            addNode(ids, link->getInput().get());
        } else if (auto* socket = dynamic_cast<const OmGraphHint::SocketHint*>(hint.get())) {
            addNode(ids, socket->getSocket().get());
        } else if (auto* node = dynamic_cast<const OmGraphHint::NodeHint*>(hint.get())) {
            if (!dynamic_cast<const OmGraphHint::NodeNameChanged*>(node)) ids.insert(node->getNode()->getId());
        }
    }
    return ids;
}

} // namespace

PxGraphWatcher::PxGraphWatcher(const RCStrongPtr<PiGraph>& graph) : _graph(graph), _graphAddress(graph.get()) {
    graph->attachObserver(this);
}

PxGraphWatcher::~PxGraphWatcher() {
    if (RCStrongPtr<PiGraph> graph = _graph.lock()) graph->detachObserver(this);
}

void PxGraphWatcher::watch(const RCStrongPtr<PxImageNode>& node) {
    ZV_ASSERT(!PxRequestMgr::getInstance().isWorkerThreadCurrent());
    RCStrongPtr<PiGraph> graph = node->getGraph();
    if (!graph) return;
    auto& all = watchers();
    // Watchers go here, never while a graph reports to them: a graph that died leaves its watcher
    // behind, and its address may come back for a new graph.
    std::erase_if(all, [](const auto& watcher) { return watcher->_nodes.empty() || watcher->_graph.isNull(); });
    auto found = std::find_if(all.begin(), all.end(),
                              [&](const auto& watcher) { return watcher->_graphAddress == graph.get(); });
    if (found == all.end()) found = all.insert(all.end(), std::unique_ptr<PxGraphWatcher>(new PxGraphWatcher(graph)));
    auto& nodes = (*found)->_nodes;
    if (std::find(nodes.begin(), nodes.end(), node) == nodes.end()) nodes.push_back(node);
}

void PxGraphWatcher::unwatchIfUnused(const PxImageNode& node) {
    ZV_ASSERT(!PxRequestMgr::getInstance().isWorkerThreadCurrent());
    if (node.getNbInvalidateCbs() > 0) return;
    auto& all = watchers();
    for (auto& watcher : all)
        std::erase_if(watcher->_nodes, [&](const RCStrongPtr<PxImageNode>& held) { return held.get() == &node; });
}

void PxGraphWatcher::update(const ObHints& hints) {
    if (_nodes.empty()) return;
    std::unordered_set<int> changed = findChangedNodes(hints);
    if (changed.empty()) return;
    std::vector<RCStrongPtr<PxImageNode>> nodes = _nodes; // callbacks may stop watching
    for (const RCStrongPtr<PxImageNode>& node : nodes) {
        if (!node->dependsOn(changed)) continue;
        node->invalidate({node.get(), PxValidityInterval::always(), !node->getNode()});
    }
}

} // namespace Zv

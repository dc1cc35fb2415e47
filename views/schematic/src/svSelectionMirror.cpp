#include "views/schematic/src/svSelectionMirror.h"

#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/svSceneBuilder.h"

#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piSnItemConst.h"
#include "platform/graph/snSelection.h"

namespace Zv {

SvSelectionMirror::SvSelectionMirror(const SvSceneBuilder& built, ScGraph& scene) : _built(built), _scene(scene) {}

void SvSelectionMirror::applyToScene(const SnSelection& selection, bool select, std::set<int>* collected) const {
    if (select) {
        for (const auto& node : _scene.getNodes()) node->setSelected(false);
        for (const auto& group : _scene.getGroups()) group->setSelected(false);
        for (const auto& edge : _scene.getEdges()) edge->setSelected(false);
    }
    for (const auto& item : selection) {
        auto* nodeItem = dynamic_cast<const PiSnItemConst<PiNode>*>(item.get());
        if (!nodeItem || !nodeItem->isValid()) continue;
        const PiNode& node = *nodeItem->get();
        if (dynamic_cast<const PiGroupNode*>(&node) && PiSchematicInterfaceEx::isVisualGroup(node)) {
            if (RCShdPtr<ScGroup> group = _built.findGroup(node.getId())) {
                if (select) group->setSelected(true);
                if (collected) collected->insert(node.getId());
            }
            continue;
        }
        RCStrongPtr<ScNode> sceneNode = _built.findNode(node);
        if (sceneNode.isNull()) continue;
        if (select) sceneNode->setSelected(true);
        if (collected) collected->insert(node.getId());
    }
    if (!select) return;
    for (const auto& item : selection) {
        auto* inputItem = dynamic_cast<const PiSnItemConst<PiInput>*>(item.get());
        if (!inputItem || !inputItem->isValid()) continue;
        if (RCStrongPtr<SvModelEdge> edge = _built.findEdge(*inputItem->get())) edge->setSelected(true);
    }
}

void SvSelectionMirror::applyToModel(SnSelection& selection) const {
    SnSelection::Items items;
    for (const auto& node : _scene.getNodes())
        if (node->isSelected() && !node->getProcessingNode().isNull())
            items.push_back(PiSnItemConst<PiNode>::create(node->getProcessingNode()));
    selection.replaceAll(items);
}

std::set<int> SvSelectionMirror::getSceneSelection() const {
    std::set<int> ids;
    for (const auto& [id, node] : _built.getNodeMap())
        if (node->isSelected()) ids.insert(id);
    for (const auto& group : _scene.getGroups())
        if (group->isSelected()) ids.insert(group->getGroup()->getId());
    return ids;
}

} // namespace Zv

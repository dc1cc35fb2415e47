#include "views/schematic/src/svDisplayActions.h"

#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svSchematicDisplay.h"

#include "platform/base/assertions.h"
#include "platform/base/liStringUtil.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piIsOutputNode.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/snItemConvert.h"
#include "platform/graph/uiComposition.h"
#include "platform/graph/uiCompositionClient.h"
#include "platform/ui/actAction.h"
#include "platform/ui/actRegistry.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiHotkeyRegistry.h"

#include <memory>
#include <unordered_set>

namespace Zv {
namespace {

std::unique_ptr<std::vector<ActAction*>> gRegistered;

RCStrongPtr<SnItem> handleOf(const SnItem& target) {
    return RCStrongPtr<SnItem>(const_cast<SnItem*>(&target));
}

// An action on the node a selection item names (a socket item names its node), in a schematic view.
// Target is the item kind the action converts its target to.
template <class Target>
class NodeAction : public ActAction {
public:
    using TargetType = Target;

    // An action bound to a hotkey of the schematic domain shows its key; the others a fixed text.
    NodeAction(LiString name, LiString group, const char* hotkey, LiString shortcut = {})
        : _name(std::move(name)), _group(std::move(group)), _shortcut(std::move(shortcut)),
          _hotkey(hotkey ? UiApplication::getInstance().getHotkeyRegistry().getEntry(UiHotkeyRegistry::SchematicDomain,
                                                                                     hotkey)
                         : UiHotkeyRegistry::NoEntry) {}

    LiString getName() const override { return _name; }
    LiString getGroup() const override { return _group; }
    // Computed when asked, so a key the user rebinds shows at once.
    LiString getDisplayString() const override {
        return _hotkey == UiHotkeyRegistry::NoEntry
                   ? _shortcut
                   : UiApplication::getInstance().getHotkeyRegistry().toString(_hotkey);
    }
    bool isApplicable(const SnItem& target, UiView& view) const override {
        auto* display = dynamic_cast<SvSchematicDisplay*>(&view);
        const RCStrongPtr<PiNode> node = toNode(target);
        return display && !node.isNull() && node->isLive() && appliesTo(node, *display);
    }
    void execute(const SnItem& target, UiView& view) override {
        ZV_ASSERT(SnItemConvert<TargetType>::test(handleOf(target)));
        run(toNode(target), dynamic_cast<SvSchematicDisplay&>(view));
    }

protected:
    static RCStrongPtr<PiNode> toNode(const SnItem& target) {
        const RCStrongPtr<TargetType> item = SnItemConvert<TargetType>::convert(handleOf(target));
        return item.isNull() ? RCStrongPtr<PiNode>() : RCStrongPtr<PiNode>(const_cast<PiNode*>(item->get().get()));
    }
    virtual bool appliesTo(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) const { return true; }
    virtual void run(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) = 0;

private:
    LiString _name;
    LiString _group;
    LiString _shortcut;
    int _hotkey;
};

using ChangingNodeAction = NodeAction<PiSnItem<PiNode>>;
using ReadingNodeAction = NodeAction<PiSnItemConst<PiNode>>;

bool isShown(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) {
    return !display.getBrowser()->findNode(*node).isNull();
}

class EditGroupNodeAction : public ReadingNodeAction {
public:
    EditGroupNodeAction() : ReadingNodeAction("Edit", "Group", nullptr, "Dbl-Click") {}

protected:
    bool appliesTo(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) const override {
        return dynamic_cast<PiGroupNode*>(node.get()) && isShown(node, display);
    }
    void run(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) override {
        display.getBrowser()->editGroupNode(rcCheckedCast<PiGroupNode>(node));
    }
};

bool isCollapsed(const PiNode& node) {
    return PiNodeUtils::hasStoredValue(node, PiNodeUtils::C_VALUE, PiNodeUtils::COLLAPSED);
}

// Collapsing and expanding share their name and hotkey: a node offers the one that applies.
class CollapseNodeAction : public ChangingNodeAction {
public:
    explicit CollapseNodeAction(bool collapse)
        : ChangingNodeAction("Expand|Collapse", {}, "Expand|Collapse"), _collapse(collapse) {}

protected:
    bool appliesTo(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) const override {
        if (display.getAccessLevel() != SvAccessLevel::Editing) return false;
        if (!_collapse) return isCollapsed(*node);
        const RCStrongPtr<ScNode> shown = display.getBrowser()->findNode(*node);
        return !shown.isNull() && shown->canCollapse() && !isCollapsed(*node);
    }
    void run(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) override { display.toggleCollapse({node}); }

private:
    bool _collapse;
};

// The node and every node that feeds it, directly or not.
class SelectUpstreamNodesAction : public ReadingNodeAction {
public:
    SelectUpstreamNodesAction() : ReadingNodeAction("Select Upstream", {}, nullptr, "X+Click") {}

protected:
    void run(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) override {
        std::vector<RCStrongPtr<PiNode>> found{node};
        std::unordered_set<const PiNode*> seen{node.get()};
        for (size_t next = 0; next < found.size(); ++next)
            for (const auto& input : found[next]->getInputs()) {
                if (!input->isConnected()) continue;
                RCStrongPtr<PiNode> source = input->getOutput()->getNode();
                if (seen.insert(source.get()).second) found.push_back(source);
            }
        display.selectNodes(found);
    }
};

class ToggleImageShowAction : public ChangingNodeAction {
public:
    ToggleImageShowAction() : ChangingNodeAction("Thumbnail", {}, "Thumbnail") {}

protected:
    bool appliesTo(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) const override {
        return display.getAccessLevel() == SvAccessLevel::Editing && !PiIsOutputNode::test(*node);
    }
    void run(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) override {
        display.toggleImageShown({node});
    }
};

// Sets context point index (1 for the first) on the node, or removes it when the node holds it.
class ContextPointAction : public ReadingNodeAction {
public:
    explicit ContextPointAction(int index)
        : ReadingNodeAction("Context " + LiStringUtil::convertNb(index), {}, nullptr,
                            LiStringUtil::convertNb(index) + "+Click"),
          _index(index) {}

    bool isSetOn(const SnItem& target, UiView& view) const {
        auto* display = dynamic_cast<SvSchematicDisplay*>(&view);
        const RCStrongPtr<PiNode> node = toNode(target);
        return display && !node.isNull() && display->getComposition().getContextPoint(_index - 1) == node;
    }

protected:
    void run(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) override {
        const bool holds = display.getComposition().getContextPoint(_index - 1) == node;
        display.setContextPoint(_index - 1, holds ? RCStrongPtr<PiNode>() : node);
    }

private:
    int _index;
};

void registerAction(std::unique_ptr<ActAction> action) {
    gRegistered->push_back(action.get());
    UiApplication::getInstance().getActRegistry().registerAction(std::move(action), 0);
}

} // namespace

void SvDisplayActions::registerAll() {
    gRegistered = std::make_unique<std::vector<ActAction*>>();
    registerAction(std::make_unique<EditGroupNodeAction>());
    registerAction(std::make_unique<CollapseNodeAction>(true));
    registerAction(std::make_unique<CollapseNodeAction>(false));
    registerAction(std::make_unique<SelectUpstreamNodesAction>());
    registerAction(std::make_unique<ToggleImageShowAction>());
    for (int i = 1; i <= UiCompositionClient::getNbContextPoints(); ++i)
        registerAction(std::make_unique<ContextPointAction>(i));
}

void SvDisplayActions::unregisterAll() {
    if (!gRegistered) return;
    ActRegistry& registry = UiApplication::getInstance().getActRegistry();
    for (ActAction* action : *gRegistered) registry.unregisterAction(*action);
    gRegistered.reset();
}

const std::vector<ActAction*>& SvDisplayActions::getRegistered() {
    static const std::vector<ActAction*> none;
    return gRegistered ? *gRegistered : none;
}

bool SvDisplayActions::isContextPointAction(const ActAction& action) {
    return dynamic_cast<const ContextPointAction*>(&action) != nullptr;
}

LiString SvDisplayActions::getMenuText(const ActAction& action, const SnItem& target, UiView& view) {
    auto* contextPoint = dynamic_cast<const ContextPointAction*>(&action);
    if (!contextPoint) return action.getName();
    return action.getName() + (contextPoint->isSetOn(target, view) ? " (Remove)" : " (Set)");
}

} // namespace Zv

#include "views/schematic/src/svDisplayActions.h"

#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svSchematicDisplay.h"

#include "platform/base/assertions.h"
#include "platform/base/liStringUtil.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piInput.h"
#include "platform/graph/piIsBoundaryNode.h"
#include "platform/graph/piIsOutputNode.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piOutput.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/snItemConvert.h"
#include "platform/graph/uiComposition.h"
#include "platform/graph/uiCompositionClient.h"
#include "platform/ui/actAction.h"
#include "platform/ui/actRegistry.h"
#include "platform/ui/drClipboard.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiHotkeyRegistry.h"

#include <memory>
#include <type_traits>
#include <unordered_set>

namespace Zv {
namespace {

std::unique_ptr<std::vector<ActAction*>> gRegistered;

RCStrongPtr<SnItem> handleOf(const SnItem& target) {
    return RCStrongPtr<SnItem>(const_cast<SnItem*>(&target));
}

// An action on the node or socket a selection item names, in a schematic view. Item is the item kind
// the action converts its target to, Object what that item holds.
template <class Object, class Item>
class TypedAction : public ActAction {
public:
    using TargetType = Item;

    // An action bound to a hotkey shows its key; the others a fixed text.
    TypedAction(LiString name, LiString group, int hotkey, LiString shortcut = {})
        : _name(std::move(name)), _group(std::move(group)), _shortcut(std::move(shortcut)), _hotkey(hotkey) {}

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
        const RCStrongPtr<Object> object = toObject(target);
        return display && !object.isNull() && object->isLive() && appliesTo(object, *display);
    }
    void execute(const SnItem& target, UiView& view) override {
        ZV_ASSERT(SnItemConvert<TargetType>::test(handleOf(target)));
        run(toObject(target), dynamic_cast<SvSchematicDisplay&>(view));
    }

protected:
    static RCStrongPtr<Object> toObject(const SnItem& target) {
        const RCStrongPtr<TargetType> item = SnItemConvert<TargetType>::convert(handleOf(target));
        return item.isNull() ? RCStrongPtr<Object>() : RCStrongPtr<Object>(const_cast<Object*>(item->get().get()));
    }
    virtual bool appliesTo(const RCStrongPtr<Object>& object, SvSchematicDisplay& display) const { return true; }
    virtual void run(const RCStrongPtr<Object>& object, SvSchematicDisplay& display) = 0;

private:
    LiString _name;
    LiString _group;
    LiString _shortcut;
    int _hotkey;
};

int schematicHotkey(const char* name) {
    return UiApplication::getInstance().getHotkeyRegistry().getEntry(UiHotkeyRegistry::SchematicDomain, name);
}

int sharedHotkey(const char* name) {
    return UiApplication::getInstance().getHotkeyRegistry().getSharedEntry(name);
}

template <class Item>
using NodeAction = TypedAction<PiNode, Item>;
using ChangingNodeAction = NodeAction<PiSnItem<PiNode>>;
using ReadingNodeAction = NodeAction<PiSnItemConst<PiNode>>;
using InputAction = TypedAction<PiInput, PiSnItem<PiInput>>;

bool isEditing(const SvSchematicDisplay& display) {
    return display.getAccessLevel() == SvAccessLevel::Editing;
}

bool isShown(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) {
    return !display.getBrowser()->findNode(*node).isNull();
}

class EditGroupNodeAction : public ReadingNodeAction {
public:
    EditGroupNodeAction() : ReadingNodeAction("Edit", "Group", UiHotkeyRegistry::NoEntry, "Dbl-Click") {}

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
        : ChangingNodeAction("Expand|Collapse", {}, schematicHotkey("Expand|Collapse")), _collapse(collapse) {}

protected:
    bool appliesTo(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) const override {
        if (!isEditing(display)) return false;
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
    SelectUpstreamNodesAction() : ReadingNodeAction("Select Upstream", {}, UiHotkeyRegistry::NoEntry, "X+Click") {}

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
    ToggleImageShowAction() : ChangingNodeAction("Thumbnail", {}, schematicHotkey("Thumbnail")) {}

protected:
    bool appliesTo(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) const override {
        return isEditing(display) && !PiIsOutputNode::test(*node);
    }
    void run(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) override {
        display.toggleImageShown({node});
    }
};

// The colour dialog opens over the node; the colour picked goes to the node, or to the whole selection
// when the node is part of it.
class ColorNodeAction : public ChangingNodeAction {
public:
    ColorNodeAction() : ChangingNodeAction("Color", {}, UiHotkeyRegistry::NoEntry) {}

protected:
    bool appliesTo(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) const override {
        return isEditing(display);
    }
    void run(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) override { display.chooseColor(node); }
};

class ClearColorNodeAction : public ChangingNodeAction {
public:
    ClearColorNodeAction() : ChangingNodeAction("Clear Color", {}, UiHotkeyRegistry::NoEntry) {}

protected:
    bool appliesTo(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) const override {
        return isEditing(display) && PiSchematicInterfaceEx::hasNodeColor(*node);
    }
    void run(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) override {
        display.getBrowser()->getEditor().clearColor(node);
    }
};

// Copy, cut and paste act on the selection, as their keys do.
class CopyNodeAction : public ReadingNodeAction {
public:
    CopyNodeAction() : ReadingNodeAction("Copy", {}, sharedHotkey(UiHotkeyRegistry::Copy)) {}

protected:
    bool appliesTo(const RCStrongPtr<PiNode>& node, SvSchematicDisplay&) const override {
        return !PiIsBoundaryNode::test(*node);
    }
    void run(const RCStrongPtr<PiNode>&, SvSchematicDisplay& display) override { display.copy(); }
};

class CutNodeAction : public ChangingNodeAction {
public:
    CutNodeAction() : ChangingNodeAction("Cut", {}, sharedHotkey(UiHotkeyRegistry::Cut)) {}

protected:
    bool appliesTo(const RCStrongPtr<PiNode>& node, SvSchematicDisplay& display) const override {
        return isEditing(display) && !PiIsBoundaryNode::test(*node);
    }
    void run(const RCStrongPtr<PiNode>&, SvSchematicDisplay& display) override { display.cut(); }
};

class PasteNodeAction : public ChangingNodeAction {
public:
    PasteNodeAction() : ChangingNodeAction("Paste", {}, sharedHotkey(UiHotkeyRegistry::Paste)) {}

protected:
    bool appliesTo(const RCStrongPtr<PiNode>&, SvSchematicDisplay& display) const override {
        return isEditing(display) && UiApplication::getInstance().getClipboard().hasContent();
    }
    void run(const RCStrongPtr<PiNode>&, SvSchematicDisplay& display) override { display.paste(); }
};

// A socket of a node inside the group shown gets a connection to a new socket of that group.
template <class Socket>
class CreateConnectionAction : public TypedAction<Socket, PiSnItem<Socket>> {
    static constexpr bool kInput = std::is_same_v<Socket, PiInput>;

public:
    CreateConnectionAction()
        : TypedAction<Socket, PiSnItem<Socket>>(kInput ? "New Input Connection" : "New Output Connection", {},
                                                UiHotkeyRegistry::NoEntry) {}

protected:
    bool appliesTo(const RCStrongPtr<Socket>&, SvSchematicDisplay& display) const override {
        return isEditing(display) && display.isInsideGroup();
    }
    void run(const RCStrongPtr<Socket>& socket, SvSchematicDisplay& display) override {
        if constexpr (kInput) display.newInputConnection(socket);
        else display.newOutputConnection(socket);
    }
};

using CreateInputConnectionAction = CreateConnectionAction<PiInput>;
using CreateOutputConnectionAction = CreateConnectionAction<PiOutput>;

// The first two inputs of a node (front and back of a composite) exchange what feeds them.
class SwapConnectionsAction : public InputAction {
public:
    SwapConnectionsAction() : InputAction("Swap Connections", {}, schematicHotkey("Swap Connections")) {}

protected:
    bool appliesTo(const RCStrongPtr<PiInput>& input, SvSchematicDisplay& display) const override {
        const RCStrongPtr<PiInput> partner = getPartner(*input);
        return isEditing(display) && !partner.isNull() && (input->isConnected() || partner->isConnected());
    }
    void run(const RCStrongPtr<PiInput>& input, SvSchematicDisplay& display) override {
        display.swapConnections(input, getPartner(*input));
    }

private:
    // The other of the node's first two inputs, or null.
    static RCStrongPtr<PiInput> getPartner(const PiInput& input) {
        const PiNode& node = *input.getNodePtr();
        if (node.getNbInputs() < 2) return {};
        if (node.getInput(0).get() == &input) return node.getInput(1);
        if (node.getInput(1).get() == &input) return node.getInput(0);
        return {};
    }
};

// Sets context point index (1 for the first) on the node, or removes it when the node holds it.
class ContextPointAction : public ReadingNodeAction {
public:
    explicit ContextPointAction(int index)
        : ReadingNodeAction("Context " + LiStringUtil::convertNb(index), {}, UiHotkeyRegistry::NoEntry,
                            LiStringUtil::convertNb(index) + "+Click"),
          _index(index) {}

    bool isSetOn(const SnItem& target, UiView& view) const {
        auto* display = dynamic_cast<SvSchematicDisplay*>(&view);
        const RCStrongPtr<PiNode> node = toObject(target);
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
    registerAction(std::make_unique<ColorNodeAction>());
    registerAction(std::make_unique<ClearColorNodeAction>());
    registerAction(std::make_unique<CollapseNodeAction>(true));
    registerAction(std::make_unique<CollapseNodeAction>(false));
    registerAction(std::make_unique<CopyNodeAction>());
    registerAction(std::make_unique<CutNodeAction>());
    registerAction(std::make_unique<PasteNodeAction>());
    registerAction(std::make_unique<CreateInputConnectionAction>());
    registerAction(std::make_unique<CreateOutputConnectionAction>());
    registerAction(std::make_unique<SelectUpstreamNodesAction>());
    registerAction(std::make_unique<ToggleImageShowAction>());
    registerAction(std::make_unique<SwapConnectionsAction>());
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

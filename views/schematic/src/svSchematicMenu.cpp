#include "views/schematic/src/svSchematicMenu.h"

#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/svDisplayActions.h"
#include "views/schematic/src/svSchematicDisplay.h"

#include "platform/base/cbMethod.h"
#include "platform/graph/omCompositionActions.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piInput.h"
#include "platform/graph/piOutput.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/uiComposition.h"
#include "platform/ui/actAction.h"
#include "platform/ui/actRegistry.h"
#include "platform/ui/drClipboard.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiPopupMenu.h"

#include <functional>
#include <map>

namespace Zv {
namespace {

using Menu = UiPopupMenu;

RCShdPtr<Menu::Handler> handler(std::function<void()> work) {
    return makeRC<CbFunction<int>>([work = std::move(work)](int) { work(); });
}

LiString hotkeyText(const char* name) {
    const UiHotkeyRegistry& registry = UiApplication::getInstance().getHotkeyRegistry();
    return registry.toString(registry.getEntry(UiHotkeyRegistry::SchematicDomain, name));
}

// The actions that apply to the target: ungrouped ones first, then one sub-menu per group, then the
// context points; a separator closes each block.
void appendActions(Menu& menu, SvSchematicDisplay& display, const RCStrongPtr<SnItem>& target) {
    std::vector<ActAction*> plain, contextPoints;
    std::vector<std::pair<LiString, std::vector<ActAction*>>> groups;
    for (ActAction* action : UiApplication::getInstance().getActRegistry().getActions(*target, display)) {
        if (SvDisplayActions::isContextPointAction(*action)) {
            contextPoints.push_back(action);
        } else if (action->getGroup().isEmpty()) {
            plain.push_back(action);
        } else {
            auto group = std::find_if(groups.begin(), groups.end(),
                                      [&](const auto& g) { return g.first == action->getGroup(); });
            if (group == groups.end()) group = groups.insert(groups.end(), {action->getGroup(), {}});
            group->second.push_back(action);
        }
    }
    RCShdPtr<SvSchematicDisplay> keep(&display);
    auto append = [&](Menu& into, ActAction* action) {
        into.appendText(SvDisplayActions::getMenuText(*action, *target, display),
                        handler([keep, action, target] { action->execute(*target, *keep); }), 0, true,
                        action->getDisplayString());
    };
    for (ActAction* action : plain) append(menu, action);
    for (const auto& [name, actions] : groups) {
        Menu& sub = menu.appendMenu(name);
        for (ActAction* action : actions) append(sub, action);
    }
    if (!plain.empty() || !groups.empty()) menu.appendSeparator();
    if (contextPoints.empty()) return;
    Menu& sub = menu.appendMenu("Context Points");
    for (ActAction* action : contextPoints) append(sub, action);
    menu.appendSeparator();
}

// The composition's own entries for a node, acting on the selection when the node is part of it.
void appendCompositionEntries(Menu& menu, SvSchematicDisplay& display, const RCStrongPtr<PiNode>& node) {
    const RCStrongPtr<SnItem> item = PiSnItemUtil::create(node);
    const RCShdPtr<SnSelection> selection =
        display.isSelected(*node) ? display.getComposition().getSelection() : RCShdPtr<SnSelection>();
    auto entry = [&](const char* text, const LiString& shortcut,
                     bool (*execute)(const OmCompositionActions::Item&, const OmCompositionActions::Selection&)) {
        menu.appendText(text, handler([item, selection, execute] { execute(item, selection); }), 0, true, shortcut);
    };
    entry("Remove Node", OmCompositionActions::getRemoveNodeDisplayString(),
          &OmCompositionActions::executeRemoveNodeAction);
    entry("Reset", OmCompositionActions::getResetNodeDisplayString(), &OmCompositionActions::executeResetNodeAction);
    if (PiImageModifier::isImageModifier(*node)) {
        if (PiImageModifier::isMuted(*node))
            entry("Unmute", OmCompositionActions::getUnmuteNodeDisplayString(),
                  &OmCompositionActions::executeUnmuteNodeAction);
        else
            entry("Mute", OmCompositionActions::getMuteNodeDisplayString(),
                  &OmCompositionActions::executeMuteNodeAction);
    }
    entry("Group Nodes", OmCompositionActions::getGroupNodesDisplayString(),
          &OmCompositionActions::executeGroupNodesAction);
    menu.appendSeparator();
}

// The socket of a picked tab, or null.
RCStrongPtr<SnItem> socketItem(const ScViewer::Pick& picked) {
    const RCStrongPtr<PiNode>& node = picked.node->getProcessingNode();
    const int index = picked.tabIndex;
    if (picked.partCode == ScPart::Input && index < node->getNbInputs())
        return PiSnItem<PiInput>::create(node->getInput(index));
    if (picked.partCode == ScPart::Output && index < node->getNbOutputs())
        return PiSnItem<PiOutput>::create(node->getOutput(index));
    return {};
}

} // namespace

RCShdPtr<UiPopupMenu> SvSchematicMenu::buildItemMenu(SvSchematicDisplay& display, const ScViewer::Pick& picked) {
    const RCStrongPtr<PiNode>& node = picked.node->getProcessingNode();
    if (node.isNull()) return {};
    if (picked.isSocketTab()) {
        const RCStrongPtr<SnItem> socket = socketItem(picked);
        if (socket.isNull()) return {};
        auto menu = makeRC<UiPopupMenu>(node->getName());
        appendActions(*menu, display, socket);
        return menu;
    }
    auto menu = makeRC<UiPopupMenu>(node->getName());
    if (display.getAccessLevel() == SvAccessLevel::Editing) appendCompositionEntries(*menu, display, node);
    appendActions(*menu, display, PiSnItemUtil::create(node));
    return menu;
}

RCShdPtr<UiPopupMenu> SvSchematicMenu::build(SvSchematicDisplay& display, const GePoint2<float>& windowPoint) {
    auto menu = makeRC<UiPopupMenu>("Schematic Menu");
    const std::vector<RCStrongPtr<PiNode>> selectedNodes = display.getSelectedNodes();
    if (!selectedNodes.empty()) appendActions(*menu, display, PiSnItemUtil::create(selectedNodes.front()));
    RCShdPtr<SvSchematicDisplay> keep(&display);
    const bool selected = !selectedNodes.empty();
    menu->appendText("Layout All", handler([keep] { keep->layoutAll(); }), 0,
                     !display.getViewer().getOptions().autoCleanup, hotkeyText("Layout All"));
    if (selected)
        menu->appendText("Layout Selected", handler([keep] { keep->layoutSelected(); }), 0,
                         !display.getViewer().getOptions().autoCleanup, hotkeyText("Layout Selected"));
    if (display.isInsideGroup())
        menu->appendText("Exit Group", handler([keep] { keep->exitGroup(); }), 0, true, "Dbl-Click");
    UiApplication& application = UiApplication::getInstance();
    const bool editing = display.getAccessLevel() == SvAccessLevel::Editing;
    const GePoint2<float> at = display.getViewer().toScene(windowPoint);
    if (editing) menu->appendText("New Group", handler([keep, at] { keep->newGroup(at); }), 0);
    if (editing && application.getClipboard().hasContent()) {
        const UiHotkeyRegistry& registry = application.getHotkeyRegistry();
        menu->appendText("Paste", handler([keep, at] { keep->pasteAt(at); }), 0, true,
                         registry.toString(registry.getSharedEntry(UiHotkeyRegistry::Paste)));
    }
    menu->appendText("Reset Zoom/Pan", handler([keep] { keep->resetUserZoomPan(); }), 0, true,
                     UiViewer::getResetDisplayString());
    menu->appendText("Select All", handler([keep] { keep->selectAll(); }), 0, true, hotkeyText("Select All"));
    menu->appendText("Zoom Selected", handler([keep] { keep->zoomSelected(); }), 0, selected);
    menu->appendSeparator();
    display.getViewer().buildLayoutMenu(*menu);
    return menu;
}

} // namespace Zv

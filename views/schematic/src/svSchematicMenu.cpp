#include "views/schematic/src/svSchematicMenu.h"

#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/svDisplayActions.h"
#include "views/schematic/src/svSchematicDisplay.h"

#include "platform/base/cbMethod.h"
#include "platform/graph/piSnItemUtil.h"
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

// The actions that apply to the first selected node: ungrouped ones first, then one sub-menu per
// group, then the context points; a separator closes each block.
void appendActions(Menu& menu, SvSchematicDisplay& display) {
    const std::vector<RCStrongPtr<PiNode>> selected = display.getSelectedNodes();
    if (selected.empty()) return;
    const RCStrongPtr<SnItem> target = PiSnItemUtil::create(selected.front());
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

} // namespace

RCShdPtr<UiPopupMenu> SvSchematicMenu::build(SvSchematicDisplay& display, const GePoint2<float>& windowPoint) {
    auto menu = makeRC<UiPopupMenu>("Schematic Menu");
    appendActions(*menu, display);
    RCShdPtr<SvSchematicDisplay> keep(&display);
    const bool selected = !display.getSelectedNodes().empty();
    menu->appendText("Layout All", handler([keep] { keep->layoutAll(); }), 0,
                     !display.getViewer().getOptions().autoCleanup, hotkeyText("Layout All"));
    if (selected)
        menu->appendText("Layout Selected", handler([keep] { keep->layoutSelected(); }), 0,
                         !display.getViewer().getOptions().autoCleanup, hotkeyText("Layout Selected"));
    if (display.isInsideGroup())
        menu->appendText("Exit Group", handler([keep] { keep->exitGroup(); }), 0, true, "Dbl-Click");
    UiApplication& application = UiApplication::getInstance();
    if (display.getAccessLevel() == SvAccessLevel::Editing && application.getClipboard().hasContent()) {
        const GePoint2<float> at = display.getViewer().toScene(windowPoint);
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

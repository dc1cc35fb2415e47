#pragma once

#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiResTable.h"
#include "platform/ui/uiWidget.h"

// Samples that both the toolkit's tests and the window backend's build on.
namespace Zv::ToolkitSamples {

// The widget named name under root, as a W; null when there is none or it is another kind.
template <class W>
RCShdPtr<W> find(const RCShdPtr<UiWidget>& root, const char* name) {
    RCShdPtr<W> widget;
    widget.dynamicAssign(root->findWidget(name));
    return widget;
}

// An editor panel: a label "Title", a text field "Field", and a tab "Pages" holding a page "Time"
// with the toggle "Loop" (on) and the option menu "Kind" (A, B; B selected).
inline UiResTable editorPanel() {
    return UiResTable::parse(R"(<resources>
  <container name="Editor">
    <label name="Title" text="Name"/>
    <textField name="Field" text="anchor"/>
    <tab name="Pages">
      <container name="TimePage" title="Time"><toggle name="Loop" text="Loop" value="true"/></container>
      <menu name="Kind" text="Kind" selected="1"><item text="A"/><item text="B"/></menu>
    </tab>
  </container>
</resources>)",
                             "editor.xml");
}

// "Layout All" (id 1, shortcut L), a "Group" sub-menu of "Lock" (2) and a disabled "Unlock" (3),
// a separator, and "Cut & Paste" (4).
inline RCShdPtr<UiPopupMenu> contextMenu(const RCShdPtr<UiPopupMenu::Handler>& handler) {
    auto menu = makeRC<UiPopupMenu>("Schematic Menu");
    menu->appendText("Layout All", handler, 1, true, "L");
    UiPopupMenu& group = menu->appendMenu("Group");
    group.appendText("Lock", handler, 2);
    group.appendText("Unlock", handler, 3, false);
    menu->appendSeparator();
    menu->appendText("Cut & Paste", handler, 4);
    return menu;
}

} // namespace Zv::ToolkitSamples

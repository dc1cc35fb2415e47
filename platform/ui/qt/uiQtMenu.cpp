#include "platform/ui/qt/uiQtMenu.h"

#include "platform/ui/uiPopupMenu.h"

#include <QMenu>

namespace Zv {
namespace {

// Qt reads '&' as a mnemonic mark.
QString label(const LiString& text) {
    return QString::fromStdString(text.str()).replace('&', "&&");
}

void fill(QMenu& qtMenu, const UiPopupMenu& menu, const RCShdPtr<UiPopupMenu>& root) {
    using Kind = UiPopupMenu::Entry::Kind;
    for (const UiPopupMenu::Entry& entry : menu.getEntries()) {
        if (entry.kind == Kind::Separator) {
            qtMenu.addSeparator();
        } else if (entry.kind == Kind::SubMenu) {
            QMenu* subMenu = qtMenu.addMenu(label(entry.text));
            subMenu->setEnabled(entry.enabled);
            fill(*subMenu, *entry.subMenu, root);
        } else {
            const QString shortcut = QString::fromStdString(entry.shortcut.str());
            QAction* action =
                qtMenu.addAction(shortcut.isEmpty() ? label(entry.text) : label(entry.text) + '\t' + shortcut);
            action->setEnabled(entry.enabled);
            // The root handle keeps the entry alive until the menu is gone.
            const UiPopupMenu::Entry* chosen = &entry;
            QObject::connect(action, &QAction::triggered, action, [root, chosen] { UiPopupMenu::activate(*chosen); });
        }
    }
}

} // namespace

QMenu* UiQtMenu::build(const RCShdPtr<UiPopupMenu>& menu, QWidget* parent) {
    auto* qtMenu = new QMenu(parent);
    fill(*qtMenu, *menu, menu);
    return qtMenu;
}

} // namespace Zv

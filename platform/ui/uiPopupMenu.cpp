#include "platform/ui/uiPopupMenu.h"

#include "platform/base/exBase.h"
#include "platform/ui/uiApplication.h"

namespace Zv {

void UiPopupMenu::appendText(const LiString& text, RCShdPtr<Handler> handler, int id, bool enabled,
                             const LiString& shortcut) {
    Entry entry;
    entry.text = text;
    entry.shortcut = shortcut;
    entry.handler = std::move(handler);
    entry.id = id;
    entry.enabled = enabled;
    _entries.push_back(std::move(entry));
}

UiPopupMenu& UiPopupMenu::appendMenu(const LiString& text) {
    Entry entry;
    entry.kind = Entry::Kind::SubMenu;
    entry.text = text;
    entry.subMenu = makeRC<UiPopupMenu>(text);
    _entries.push_back(entry);
    return *entry.subMenu;
}

void UiPopupMenu::appendSeparator() {
    Entry entry;
    entry.kind = Entry::Kind::Separator;
    _entries.push_back(std::move(entry));
}

std::vector<UiPopupMenu::Row> UiPopupMenu::getRows() const {
    std::vector<Row> rows;
    collectRows({}, rows);
    return rows;
}

void UiPopupMenu::collectRows(const LiString& prefix, std::vector<Row>& rows) const {
    for (const Entry& entry : _entries) {
        if (entry.kind == Entry::Kind::Separator) {
            rows.push_back({{}, &entry});
            continue;
        }
        const LiString path = prefix + entry.text;
        rows.push_back({path, &entry});
        if (entry.kind == Entry::Kind::SubMenu) entry.subMenu->collectRows(path + "/", rows);
    }
}

const UiPopupMenu::Entry* UiPopupMenu::findEntry(const LiString& path) const {
    for (const Row& row : getRows())
        if (row.entry->kind != Entry::Kind::Separator && row.path == path) return row.entry;
    return nullptr;
}

const UiPopupMenu::Entry& UiPopupMenu::getChoosableEntry(const LiString& path) const {
    const Entry* entry = findEntry(path);
    if (entry == nullptr) throw ExBadInput(__FILE__, __LINE__, "the menu has no entry \"" + path.str() + "\"");
    if (entry->kind != Entry::Kind::Text)
        throw ExBadInput(__FILE__, __LINE__, "\"" + path.str() + "\" is a sub-menu, not an entry");
    if (!entry->enabled) throw ExBadInput(__FILE__, __LINE__, "the menu entry \"" + path.str() + "\" is disabled");
    return *entry;
}

void UiPopupMenu::activate(const Entry& entry) {
    if (entry.kind != Entry::Kind::Text || !entry.enabled || entry.handler.isNull()) return;
    // The handler may rebuild the menu the entry lives in.
    RCShdPtr<Handler> handler = entry.handler;
    handler->call(entry.id);
}

void UiPopupMenu::popup(UiDrawArea& area, const GePoint2<float>& point) {
    UiApplication::getInstance().showPopupMenu(RCShdPtr<UiPopupMenu>(this), area, point);
}

} // namespace Zv

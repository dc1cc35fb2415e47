#pragma once

#include "platform/base/cbHandler.h"
#include "platform/base/gePoint2.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"

#include <vector>

namespace Zv {

class UiDrawArea;

// A context menu: text entries with a handler, an id, an enabled flag and a shortcut text shown
// beside them; sub-menus; separators. Entries are named by paths, sub-menu texts joined with '/'
// ("Group/Lock").
class UiPopupMenu : public RCBase {
public:
    using Handler = CbHandler<int>;
    struct Entry {
        // What a menu row is.
        enum class Kind : int {
            Text = 0,      // runs its handler with its id when chosen
            SubMenu = 1,   // opens another menu
            Separator = 2, // a line between groups of entries
        };
        Kind kind = Kind::Text;
        LiString text;
        LiString shortcut;
        RCShdPtr<Handler> handler;
        int id = 0;
        bool enabled = true;
        RCShdPtr<UiPopupMenu> subMenu;
    };
    // One row of the whole menu tree, sub-menus before their entries.
    struct Row {
        LiString path; // empty for a separator
        const Entry* entry;
    };

    explicit UiPopupMenu(LiString title = {}) : _title(std::move(title)) {}

    const LiString& getTitle() const { return _title; }
    void appendText(const LiString& text, RCShdPtr<Handler> handler, int id, bool enabled = true,
                    const LiString& shortcut = {});
    // The new, empty sub-menu.
    UiPopupMenu& appendMenu(const LiString& text);
    void appendSeparator();
    const std::vector<Entry>& getEntries() const { return _entries; }
    int getNbEntries() const { return static_cast<int>(_entries.size()); }
    std::vector<Row> getRows() const;

    // The entry at a path, or null.
    const Entry* findEntry(const LiString& path) const;
    // The text entry at a path that can be chosen; ExBadInput saying why when the path names no
    // entry, a sub-menu or a disabled entry.
    const Entry& getChoosableEntry(const LiString& path) const;
    // Runs the handler of the choosable entry at a path.
    void choose(const LiString& path) const { activate(getChoosableEntry(path)); }
    // Runs the handler of an entry of this menu tree; the backend calls it when the user chooses it.
    static void activate(const Entry& entry);

    // Shows the menu at a point of the area's window pixels; the choice arrives later.
    void popup(UiDrawArea& area, const GePoint2<float>& point);

private:
    void collectRows(const LiString& prefix, std::vector<Row>& rows) const;

    LiString _title;
    std::vector<Entry> _entries;
};

} // namespace Zv

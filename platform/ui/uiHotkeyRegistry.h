#pragma once

#include "platform/base/liString.h"
#include "platform/ui/evKeyboardState.h"
#include "platform/ui/uiKeyBinding.h"

#include <string>
#include <vector>

namespace Zv {

class StgUserSettings;

// Hotkey entries by domain and name, each bound to a key. An entry's id is stable for the run.
// The shipped bindings come from a hotkeys file:
//   <hotkeys>
//     <domain name="Shared"><hotkey name="Copy" key="Ctrl+C"/></domain>
//   </hotkeys>
// and the user's settings may bind entries to other keys.
class UiHotkeyRegistry {
public:
    static constexpr const char* SharedDomain = "Shared";       // cut, copy, paste, delete, reset
    static constexpr const char* ViewerDomain = "Viewer";       // fit, reset zoom/pan, stored layouts
    static constexpr const char* SchematicDomain = "Schematic"; // the schematic view's own
    // The shared entries' names.
    static constexpr const char* Cut = "Cut";
    static constexpr const char* Copy = "Copy";
    static constexpr const char* Paste = "Paste";
    static constexpr const char* Delete = "Delete";
    static constexpr const char* Reset = "Reset";
    static constexpr int NoEntry = 0;

    // hotkeys.xml among the resources.
    static std::string getDefaultsPath();

    // Replaces every entry by those of a hotkeys file; ExBadInput names the file, the line and the
    // reason, and leaves the registry as it was.
    void loadDefaults(const std::string& path);
    void parseDefaults(const std::string& text, const std::string& sourceName);
    // Restores the shipped bindings, then applies the user's. A binding of an entry that does not
    // exist gives one warning and none of the user's bindings is applied.
    void applyUserBindings(const StgUserSettings& settings);

    // NoEntry when there is none.
    int findEntry(const LiString& domain, const LiString& name) const;
    // Asserts that the entry exists.
    int getEntry(const LiString& domain, const LiString& name) const;
    int getSharedEntry(const char* name) const { return getEntry(SharedDomain, name); }
    int getNbEntries() const { return static_cast<int>(_entries.size()); }
    const LiString& getDomain(int entry) const;
    const LiString& getName(int entry) const;
    const UiKeyBinding& getBinding(int entry) const;
    void setBinding(int entry, const UiKeyBinding& binding);
    // The key text shown in menus ("Ctrl+C"); empty for an unbound entry.
    LiString toString(int entry) const;

    // Entries bound to exactly this key and these modifiers, in entry order.
    std::vector<int> findEntries(EvKeyCode key, EvModifier modifiers) const;
    // The entry's key is down with at least its modifiers.
    bool isHeld(int entry, const EvKeyboardState& keyboard) const;

private:
    struct Entry {
        LiString domain;
        LiString name;
        UiKeyBinding shipped;
        UiKeyBinding binding;
    };
    const Entry& get(int entry) const;

    std::vector<Entry> _entries; // id = index + 1
};

} // namespace Zv

#pragma once

#include "platform/base/liString.h"
#include "platform/base/obSubject.h"
#include "platform/ui/uiKeyBinding.h"

#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace Zv {

class ObObserver;

// The user's settings: typed values by key and hotkey bindings, kept in an XML file:
//   <settings version="1">
//     <bool key="Schematic/AutoCleanup" value="1"/>
//     <int key="ContextPoints" value="4"/>
//     <number key="PointerFocusDuration" value="0.4"/>
//     <text key="Font" value="DejaVu Sans"/>
//     <hotkey domain="Schematic" name="Layout All" key="Shift+L"/>
//   </settings>
// A value that is missing, or of another type than asked, reads as the caller's default. Every
// change is announced to the observers with a StgUserSettingsHint naming the key.
class StgUserSettings {
public:
    using Value = std::variant<bool, long long, double, LiString>;
    struct HotkeyBinding {
        LiString domain;
        LiString name;
        UiKeyBinding binding;
        int line = 0; // in the file it was read from; 0 when set by the program
    };

    // $XDG_CONFIG_HOME/schematic, else $HOME/.config/schematic.
    static std::string getConfigDirectory();
    // "settings.xml" in the configuration folder.
    static std::string getDefaultPath();
    // Writes a file of the configuration folder (the default file when path is empty), creating the
    // folder on first use.
    static void writeConfigFile(const std::string& path, const std::string& defaultPath, std::string_view content);

    StgUserSettings();
    ~StgUserSettings();

    // Replaces the settings by a file's. A missing file gives the defaults; a malformed one gives
    // them too, with one warning naming the file, the line and the reason.
    void load(const std::string& path);
    // Writes the file last loaded (the default path when none), creating its folder.
    void save() const;
    const std::string& getPath() const { return _path; }

    bool getBool(const LiString& key, bool fallback) const;
    int getInt(const LiString& key, int fallback) const;
    // Integers read as numbers too.
    double getNumber(const LiString& key, double fallback) const;
    LiString getText(const LiString& key, const LiString& fallback) const;
    void setBool(const LiString& key, bool value);
    void setInt(const LiString& key, int value);
    void setNumber(const LiString& key, double value);
    void setText(const LiString& key, const LiString& value);

    const std::vector<HotkeyBinding>& getHotkeyBindings() const { return _hotkeys; }
    // Announced under the key "Hotkeys".
    void setHotkeyBinding(const LiString& domain, const LiString& name, const UiKeyBinding& binding);

    void attachObserver(ObObserver* observer) { _subject.attach(observer); }
    void detachObserver(ObObserver* observer) { _subject.detach(observer); }

private:
    template <class T>
    const T* find(const LiString& key) const {
        auto it = _values.find(key);
        return it == _values.end() ? nullptr : std::get_if<T>(&it->second);
    }
    void set(const LiString& key, Value value);
    void notify(const LiString& key);

    std::string _path;
    std::map<LiString, Value> _values;
    std::vector<HotkeyBinding> _hotkeys;
    ObSubject _subject;
};

} // namespace Zv

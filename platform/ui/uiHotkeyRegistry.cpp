#include "platform/ui/uiHotkeyRegistry.h"

#include "platform/base/assertions.h"
#include "platform/base/fileUtil.h"
#include "platform/base/xmlInput.h"
#include "platform/ui/msgWarning.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/uiResTable.h"

namespace Zv {

std::string UiHotkeyRegistry::getDefaultsPath() {
    return UiResTable::getResourcePath("hotkeys.xml");
}

void UiHotkeyRegistry::loadDefaults(const std::string& path) {
    parseDefaults(FileUtil::readFile(path), path);
}

void UiHotkeyRegistry::parseDefaults(const std::string& text, const std::string& sourceName) {
    const XmlInput input(text, sourceName);
    std::vector<Entry> entries;
    for (const pugi::xml_node& domain : input.getElements(input.expectRoot("hotkeys"))) {
        if (std::string(domain.name()) != "domain") input.fail(domain, "expected <domain name=\"...\">");
        const LiString domainName = input.getText(domain, "name");
        for (const pugi::xml_node& hotkey : input.getElements(domain)) {
            if (std::string(hotkey.name()) != "hotkey")
                input.fail(hotkey, "expected <hotkey name=\"...\" key=\"...\"/>");
            const LiString name = input.getText(hotkey, "name");
            const std::optional<UiKeyBinding> binding = UiKeyBinding::parse(input.getText(hotkey, "key"));
            if (!binding) input.fail(hotkey, "\"" + input.getText(hotkey, "key") + "\" is not a key");
            for (const Entry& entry : entries)
                if (entry.domain == domainName && entry.name == name)
                    input.fail(hotkey,
                               "hotkey \"" + name.str() + "\" appears twice in domain \"" + domainName.str() + "\"");
            entries.push_back({domainName, name, *binding, *binding});
        }
    }
    _entries = std::move(entries);
}

void UiHotkeyRegistry::applyUserBindings(const StgUserSettings& settings) {
    for (Entry& entry : _entries) entry.binding = entry.shipped;
    for (const StgUserSettings::HotkeyBinding& user : settings.getHotkeyBindings()) {
        if (findEntry(user.domain, user.name) != NoEntry) continue;
        const std::string where =
            user.line > 0 ? settings.getPath() + ":" + std::to_string(user.line) : "user settings";
        MsgWarning(where + ": there is no hotkey \"" + user.name.str() + "\" in domain \"" + user.domain.str() +
                   "\"; the shipped hotkeys are used")
            .display();
        return;
    }
    for (const StgUserSettings::HotkeyBinding& user : settings.getHotkeyBindings())
        setBinding(findEntry(user.domain, user.name), user.binding);
}

int UiHotkeyRegistry::findEntry(const LiString& domain, const LiString& name) const {
    for (size_t i = 0; i < _entries.size(); ++i)
        if (_entries[i].domain == domain && _entries[i].name == name) return static_cast<int>(i) + 1;
    return NoEntry;
}

int UiHotkeyRegistry::getEntry(const LiString& domain, const LiString& name) const {
    const int entry = findEntry(domain, name);
    ZV_ASSERT(entry != NoEntry);
    return entry;
}

const UiHotkeyRegistry::Entry& UiHotkeyRegistry::get(int entry) const {
    ZV_ASSERT(entry >= 1 && entry <= static_cast<int>(_entries.size()));
    return _entries[entry - 1];
}

const LiString& UiHotkeyRegistry::getDomain(int entry) const {
    return get(entry).domain;
}

const LiString& UiHotkeyRegistry::getName(int entry) const {
    return get(entry).name;
}

const UiKeyBinding& UiHotkeyRegistry::getBinding(int entry) const {
    return get(entry).binding;
}

void UiHotkeyRegistry::setBinding(int entry, const UiKeyBinding& binding) {
    get(entry);
    _entries[entry - 1].binding = binding;
}

LiString UiHotkeyRegistry::toString(int entry) const {
    return get(entry).binding.toString();
}

std::vector<int> UiHotkeyRegistry::findEntries(EvKeyCode key, EvModifier modifiers) const {
    std::vector<int> found;
    for (size_t i = 0; i < _entries.size(); ++i)
        if (_entries[i].binding.isBound() && _entries[i].binding == UiKeyBinding{key, modifiers})
            found.push_back(static_cast<int>(i) + 1);
    return found;
}

bool UiHotkeyRegistry::isHeld(int entry, const EvKeyboardState& keyboard) const {
    const UiKeyBinding& binding = get(entry).binding;
    return binding.isBound() && keyboard.isKeyDown(binding.key) && keyboard.isKeyModifierOn(binding.modifiers);
}

} // namespace Zv

#include "platform/ui/stgUserSettings.h"

#include "platform/base/exBase.h"
#include "platform/base/fileUtil.h"
#include "platform/base/liStringUtil.h"
#include "platform/base/obHints.h"
#include "platform/base/xmlInput.h"
#include "platform/base/xmlWriter.h"
#include "platform/ui/msgWarning.h"
#include "platform/ui/stgUserSettingsHint.h"

#include <cstdlib>
#include <filesystem>
#include <set>

namespace Zv {
namespace {

struct Parsed {
    std::map<LiString, StgUserSettings::Value> values;
    std::vector<StgUserSettings::HotkeyBinding> hotkeys;
};

Parsed parse(const XmlInput& input) {
    const pugi::xml_node root = input.expectRoot("settings");
    if (root.attribute("version") && input.getText(root, "version") != "1")
        input.fail(root, "settings version \"" + input.getText(root, "version") + "\" is not 1");
    Parsed parsed;
    std::set<std::pair<LiString, LiString>> hotkeyNames;
    for (const pugi::xml_node& node : input.getElements(root)) {
        const std::string kind = node.name();
        if (kind == "hotkey") {
            StgUserSettings::HotkeyBinding hotkey{
                input.getText(node, "domain"), input.getText(node, "name"), {}, input.getLine(node)};
            const std::optional<UiKeyBinding> binding = UiKeyBinding::parse(input.getText(node, "key"));
            if (!binding) input.fail(node, "\"" + input.getText(node, "key") + "\" is not a key");
            hotkey.binding = *binding;
            if (!hotkeyNames.emplace(hotkey.domain, hotkey.name).second)
                input.fail(node, "hotkey \"" + hotkey.name.str() + "\" is bound twice");
            parsed.hotkeys.push_back(std::move(hotkey));
            continue;
        }
        const LiString key = input.getText(node, "key");
        StgUserSettings::Value value;
        if (kind == "bool") value = input.getBool(node, "value");
        else if (kind == "int") value = input.getInt(node, "value");
        else if (kind == "number") value = input.getNumber(node, "value");
        else if (kind == "text") value = LiString(input.getText(node, "value"));
        else input.fail(node, "unknown setting <" + kind + ">");
        if (!parsed.values.emplace(key, value).second) input.fail(node, "setting \"" + key.str() + "\" appears twice");
    }
    return parsed;
}

// The element a value is written as, and its text.
std::pair<const char*, LiString> describe(const StgUserSettings::Value& value) {
    if (const bool* b = std::get_if<bool>(&value)) return {"bool", *b ? "1" : "0"};
    if (const long long* i = std::get_if<long long>(&value)) return {"int", LiStringUtil::convertNb(*i)};
    if (const double* d = std::get_if<double>(&value)) return {"number", LiStringUtil::convertNb(*d)};
    return {"text", std::get<LiString>(value)};
}

} // namespace

std::string StgUserSettings::getConfigDirectory() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    if (config && *config) return std::string(config) + "/schematic";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : ".") + "/.config/schematic";
}

std::string StgUserSettings::getDefaultPath() {
    return getConfigDirectory() + "/settings.xml";
}

void StgUserSettings::writeConfigFile(const std::string& path, const std::string& defaultPath,
                                      std::string_view content) {
    const std::string target = path.empty() ? defaultPath : path;
    std::filesystem::create_directories(std::filesystem::path(target).parent_path());
    FileUtil::writeFileAtomically(target, content);
}

StgUserSettings::StgUserSettings() = default;

StgUserSettings::~StgUserSettings() = default;

void StgUserSettings::load(const std::string& path) {
    _path = path;
    _values.clear();
    _hotkeys.clear();
    if (std::filesystem::exists(path)) {
        try {
            Parsed parsed = parse(XmlInput::load(path));
            _values = std::move(parsed.values);
            _hotkeys = std::move(parsed.hotkeys);
        } catch (const ExBadInput& e) {
            MsgWarning(e.getMessage() + "; the default settings are used").display();
        }
    }
    notify({});
}

void StgUserSettings::save() const {
    XmlWriter writer;
    writer.startElement("settings").attribute("version", 1);
    for (const auto& [key, value] : _values) {
        const auto [element, text] = describe(value);
        writer.startElement(element).attribute("key", key).attribute("value", text).endElement();
    }
    for (const HotkeyBinding& hotkey : _hotkeys) {
        writer.startElement("hotkey").attribute("domain", hotkey.domain).attribute("name", hotkey.name);
        writer.attribute("key", hotkey.binding.toString()).endElement();
    }
    writer.endElement();
    writeConfigFile(_path, getDefaultPath(), writer.str());
}

bool StgUserSettings::getBool(const LiString& key, bool fallback) const {
    const bool* value = find<bool>(key);
    return value ? *value : fallback;
}

int StgUserSettings::getInt(const LiString& key, int fallback) const {
    const long long* value = find<long long>(key);
    return value ? static_cast<int>(*value) : fallback;
}

double StgUserSettings::getNumber(const LiString& key, double fallback) const {
    if (const double* value = find<double>(key)) return *value;
    const long long* integer = find<long long>(key);
    return integer ? static_cast<double>(*integer) : fallback;
}

LiString StgUserSettings::getText(const LiString& key, const LiString& fallback) const {
    const LiString* value = find<LiString>(key);
    return value ? *value : fallback;
}

void StgUserSettings::setBool(const LiString& key, bool value) {
    set(key, value);
}

void StgUserSettings::setInt(const LiString& key, int value) {
    set(key, static_cast<long long>(value));
}

void StgUserSettings::setNumber(const LiString& key, double value) {
    set(key, value);
}

void StgUserSettings::setText(const LiString& key, const LiString& value) {
    set(key, value);
}

void StgUserSettings::setHotkeyBinding(const LiString& domain, const LiString& name, const UiKeyBinding& binding) {
    for (HotkeyBinding& hotkey : _hotkeys)
        if (hotkey.domain == domain && hotkey.name == name) {
            hotkey.binding = binding;
            hotkey.line = 0;
            notify("Hotkeys");
            return;
        }
    _hotkeys.push_back({domain, name, binding, 0});
    notify("Hotkeys");
}

void StgUserSettings::set(const LiString& key, Value value) {
    _values.insert_or_assign(key, std::move(value));
    notify(key);
}

void StgUserSettings::notify(const LiString& key) {
    ObHints hints;
    hints.add(makeRC<StgUserSettingsHint>(key));
    _subject.notify(hints);
}

} // namespace Zv

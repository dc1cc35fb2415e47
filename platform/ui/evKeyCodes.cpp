#include "platform/ui/evKeyCodes.h"

#include "platform/base/liStringUtil.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>

namespace Zv {
namespace {

struct NamedKey {
    EvKeyCode code;
    const char* name;
    const char* display;
};

constexpr std::array kNamedKeys{
    NamedKey{EvKeyCode::Escape, "escape", "Esc"},
    NamedKey{EvKeyCode::Tab, "tab", "Tab"},
    NamedKey{EvKeyCode::Backspace, "backspace", "Backspace"},
    NamedKey{EvKeyCode::Return, "return", "Return"},
    NamedKey{EvKeyCode::Insert, "insert", "Ins"},
    NamedKey{EvKeyCode::Delete, "delete", "Del"},
    NamedKey{EvKeyCode::Home, "home", "Home"},
    NamedKey{EvKeyCode::End, "end", "End"},
    NamedKey{EvKeyCode::PageUp, "pageup", "PgUp"},
    NamedKey{EvKeyCode::PageDown, "pagedown", "PgDown"},
    NamedKey{EvKeyCode::Left, "left", "Left"},
    NamedKey{EvKeyCode::Up, "up", "Up"},
    NamedKey{EvKeyCode::Right, "right", "Right"},
    NamedKey{EvKeyCode::Down, "down", "Down"},
    NamedKey{EvKeyCode::Minus, "-", "-"},
    NamedKey{EvKeyCode::Equal, "=", "="},
    NamedKey{EvKeyCode::Comma, ",", ","},
    NamedKey{EvKeyCode::Period, ".", "."},
    NamedKey{EvKeyCode::Slash, "/", "/"},
    NamedKey{EvKeyCode::Space, "space", "Space"},
    NamedKey{EvKeyCode::Shift, "shift", "Shift"},
    NamedKey{EvKeyCode::Control, "ctrl", "Ctrl"},
    NamedKey{EvKeyCode::Alt, "alt", "Alt"},
};

int codeOf(EvKeyCode code) {
    return static_cast<int>(code);
}

bool inRange(EvKeyCode code, EvKeyCode first, EvKeyCode last) {
    return codeOf(code) >= codeOf(first) && codeOf(code) <= codeOf(last);
}

std::string lowered(const LiString& text) {
    std::string result = text.str();
    std::transform(result.begin(), result.end(), result.begin(), [](unsigned char c) { return std::tolower(c); });
    return result;
}

} // namespace

std::optional<EvKeyCode> EvKeyCodes::fromName(const LiString& name) {
    const std::string key = lowered(name);
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'z') return EvKeyCode::A + (key[0] - 'a');
    if (key.size() == 1 && key[0] >= '0' && key[0] <= '9') return EvKeyCode::Digit0 + (key[0] - '0');
    if (key.size() >= 2 && key[0] == 'f') {
        const auto number = LiStringUtil::parseInt(LiString(key.substr(1)));
        if (number && *number >= 1 && *number <= 12) return EvKeyCode::F1 + static_cast<int>(*number - 1);
    }
    if (key.starts_with("code:")) {
        const auto number = LiStringUtil::parseInt(LiString(key.substr(5)));
        if (number && *number > 0 && *number < NbCodes) return static_cast<EvKeyCode>(*number);
        return std::nullopt;
    }
    // Menus' key texts read back too ("Del", "PgUp").
    for (const NamedKey& named : kNamedKeys)
        if (key == named.name || key == lowered(named.display)) return named.code;
    if (key == "control") return EvKeyCode::Control;
    return std::nullopt;
}

LiString EvKeyCodes::getName(EvKeyCode code) {
    if (inRange(code, EvKeyCode::A, EvKeyCode::Z))
        return LiString(std::string(1, char('a' + codeOf(code) - codeOf(EvKeyCode::A))));
    if (inRange(code, EvKeyCode::Digit0, EvKeyCode::Digit9))
        return LiString(std::string(1, char('0' + codeOf(code) - codeOf(EvKeyCode::Digit0))));
    if (inRange(code, EvKeyCode::F1, EvKeyCode::F12))
        return "f" + LiStringUtil::convertNb(codeOf(code) - codeOf(EvKeyCode::F1) + 1);
    for (const NamedKey& named : kNamedKeys)
        if (code == named.code) return named.name;
    return "code:" + LiStringUtil::convertNb(codeOf(code));
}

LiString EvKeyCodes::getDisplayText(EvKeyCode code) {
    if (inRange(code, EvKeyCode::A, EvKeyCode::Z))
        return LiString(std::string(1, char('A' + codeOf(code) - codeOf(EvKeyCode::A))));
    if (inRange(code, EvKeyCode::F1, EvKeyCode::F12))
        return "F" + LiStringUtil::convertNb(codeOf(code) - codeOf(EvKeyCode::F1) + 1);
    for (const NamedKey& named : kNamedKeys)
        if (code == named.code) return named.display;
    return getName(code);
}

EvModifier EvKeyCodes::getModifierOfKey(EvKeyCode code) {
    switch (code) {
    case EvKeyCode::Shift: return EvModifier::Shift;
    case EvKeyCode::Control: return EvModifier::Ctrl;
    case EvKeyCode::Alt: return EvModifier::Alt;
    default: return EvModifier::None;
    }
}

} // namespace Zv

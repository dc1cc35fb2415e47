#include "platform/ui/uiKeyBinding.h"

#include <array>

namespace Zv {
namespace {

struct NamedModifier {
    EvModifier modifier;
    const char* text;
};

constexpr std::array kModifiers{NamedModifier{EvModifier::Ctrl, "Ctrl"}, NamedModifier{EvModifier::Alt, "Alt"},
                                NamedModifier{EvModifier::Shift, "Shift"}};

} // namespace

LiString UiKeyBinding::toString() const {
    if (!isBound()) return {};
    LiString text;
    for (const NamedModifier& named : kModifiers)
        if (hasModifiers(modifiers, named.modifier)) text += LiString(named.text) + "+";
    return text + EvKeyCodes::getDisplayText(key);
}

std::optional<UiKeyBinding> UiKeyBinding::parse(const LiString& text) {
    if (text.isEmpty()) return UiKeyBinding();
    const std::vector<LiString> parts = text.split("+");
    UiKeyBinding binding;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const std::optional<EvKeyCode> modifierKey = EvKeyCodes::fromName(parts[i]);
        const EvModifier modifier = modifierKey ? EvKeyCodes::getModifierOfKey(*modifierKey) : EvModifier::None;
        if (modifier == EvModifier::None) return std::nullopt;
        binding.modifiers = binding.modifiers | modifier;
    }
    const std::optional<EvKeyCode> key = EvKeyCodes::fromName(parts.back());
    if (!key || EvKeyCodes::getModifierOfKey(*key) != EvModifier::None) return std::nullopt;
    binding.key = *key;
    return binding;
}

} // namespace Zv

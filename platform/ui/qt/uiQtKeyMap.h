#pragma once

#include "platform/ui/evKeyCodes.h"

#include <Qt>

#include <optional>

namespace Zv {

// Qt's keys and modifiers in the toolkit's codes.
class UiQtKeyMap {
public:
    // Nothing for a key the toolkit has no code for. A shifted digit or punctuation key of the US
    // layout reads as the key itself, as hotkeys name it ("Shift+1"): Qt names the symbol typed.
    static std::optional<EvKeyCode> toKeyCode(int qtKey);
    static EvModifier toModifiers(Qt::KeyboardModifiers modifiers);
};

} // namespace Zv

#include "platform/ui/qt/uiQtKeyMap.h"

#include <array>
#include <utility>

namespace Zv {
namespace {

using KeyPair = std::pair<int, EvKeyCode>;

constexpr std::array kNamedKeys{
    KeyPair{Qt::Key_Escape, EvKeyCode::Escape},
    KeyPair{Qt::Key_Tab, EvKeyCode::Tab},
    KeyPair{Qt::Key_Backtab, EvKeyCode::Tab},
    KeyPair{Qt::Key_Backspace, EvKeyCode::Backspace},
    KeyPair{Qt::Key_Return, EvKeyCode::Return},
    KeyPair{Qt::Key_Enter, EvKeyCode::Return},
    KeyPair{Qt::Key_Insert, EvKeyCode::Insert},
    KeyPair{Qt::Key_Delete, EvKeyCode::Delete},
    KeyPair{Qt::Key_Home, EvKeyCode::Home},
    KeyPair{Qt::Key_End, EvKeyCode::End},
    KeyPair{Qt::Key_PageUp, EvKeyCode::PageUp},
    KeyPair{Qt::Key_PageDown, EvKeyCode::PageDown},
    KeyPair{Qt::Key_Left, EvKeyCode::Left},
    KeyPair{Qt::Key_Up, EvKeyCode::Up},
    KeyPair{Qt::Key_Right, EvKeyCode::Right},
    KeyPair{Qt::Key_Down, EvKeyCode::Down},
    KeyPair{Qt::Key_Minus, EvKeyCode::Minus},
    KeyPair{Qt::Key_Equal, EvKeyCode::Equal},
    KeyPair{Qt::Key_Comma, EvKeyCode::Comma},
    KeyPair{Qt::Key_Period, EvKeyCode::Period},
    KeyPair{Qt::Key_Slash, EvKeyCode::Slash},
    KeyPair{Qt::Key_Space, EvKeyCode::Space},
    KeyPair{Qt::Key_Shift, EvKeyCode::Shift},
    KeyPair{Qt::Key_Control, EvKeyCode::Control},
    KeyPair{Qt::Key_Alt, EvKeyCode::Alt},
    // What Shift makes of the digit and punctuation keys on a US keyboard.
    KeyPair{Qt::Key_ParenRight, EvKeyCode::Digit0},
    KeyPair{Qt::Key_Exclam, EvKeyCode::Digit0 + 1},
    KeyPair{Qt::Key_At, EvKeyCode::Digit0 + 2},
    KeyPair{Qt::Key_NumberSign, EvKeyCode::Digit0 + 3},
    KeyPair{Qt::Key_Dollar, EvKeyCode::Digit0 + 4},
    KeyPair{Qt::Key_Percent, EvKeyCode::Digit0 + 5},
    KeyPair{Qt::Key_AsciiCircum, EvKeyCode::Digit0 + 6},
    KeyPair{Qt::Key_Ampersand, EvKeyCode::Digit0 + 7},
    KeyPair{Qt::Key_Asterisk, EvKeyCode::Digit0 + 8},
    KeyPair{Qt::Key_ParenLeft, EvKeyCode::Digit9},
    KeyPair{Qt::Key_Underscore, EvKeyCode::Minus},
    KeyPair{Qt::Key_Plus, EvKeyCode::Equal},
    KeyPair{Qt::Key_Less, EvKeyCode::Comma},
    KeyPair{Qt::Key_Greater, EvKeyCode::Period},
    KeyPair{Qt::Key_Question, EvKeyCode::Slash},
};

} // namespace

std::optional<EvKeyCode> UiQtKeyMap::toKeyCode(int qtKey) {
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return EvKeyCode::A + (qtKey - Qt::Key_A);
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) return EvKeyCode::Digit0 + (qtKey - Qt::Key_0);
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) return EvKeyCode::F1 + (qtKey - Qt::Key_F1);
    for (const auto& [key, code] : kNamedKeys)
        if (key == qtKey) return code;
    return std::nullopt;
}

EvModifier UiQtKeyMap::toModifiers(Qt::KeyboardModifiers modifiers) {
    EvModifier held = EvModifier::None;
    if (modifiers.testFlag(Qt::ShiftModifier)) held = held | EvModifier::Shift;
    if (modifiers.testFlag(Qt::ControlModifier)) held = held | EvModifier::Ctrl;
    if (modifiers.testFlag(Qt::AltModifier)) held = held | EvModifier::Alt;
    return held;
}

} // namespace Zv

#include "platform/ui/mfEventPredicates.h"

#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/evPointerMoveEvent.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiHotkeyRegistry.h"

#include <functional>
#include <utility>

namespace Zv {
namespace {

class FunctionPredicate : public MfEventPredicate {
public:
    explicit FunctionPredicate(std::function<bool(const EvEvent&)> test) : _test(std::move(test)) {}
    bool evaluate(const EvEvent& event) const override { return _test(event); }

private:
    std::function<bool(const EvEvent&)> _test;
};

MfEventPredicates::Predicate make(std::function<bool(const EvEvent&)> test) {
    return makeRC<FunctionPredicate>(std::move(test));
}

// A test of device events; other events fail it.
template <class Event = EvDeviceEvent, class Test>
MfEventPredicates::Predicate onDevice(Test test) {
    return make([test](const EvEvent& event) {
        const auto* device = dynamic_cast<const Event*>(&event);
        return device != nullptr && test(*device);
    });
}

} // namespace

MfEventPredicates::Predicate MfEventPredicates::isKeyModifierOn(EvModifier mask) {
    return onDevice([mask](const EvDeviceEvent& e) { return e.getKeyboardState().isKeyModifierOn(mask); });
}

MfEventPredicates::Predicate MfEventPredicates::isKeyDown(EvKeyCode key) {
    return onDevice([key](const EvDeviceEvent& e) { return e.getKeyboardState().isKeyDown(key); });
}

MfEventPredicates::Predicate MfEventPredicates::isPointerMove() {
    return onDevice<EvPointerMoveEvent>([](const EvPointerMoveEvent&) { return true; });
}

MfEventPredicates::Predicate MfEventPredicates::isButtonPress(EvButton button) {
    return onDevice<EvPointerButtonEvent>(
        [button](const EvPointerButtonEvent& e) { return e.isPress() && e.getTriggerButton() == button; });
}

MfEventPredicates::Predicate MfEventPredicates::isButtonRelease(EvButton button) {
    return onDevice<EvPointerButtonEvent>(
        [button](const EvPointerButtonEvent& e) { return !e.isPress() && e.getTriggerButton() == button; });
}

MfEventPredicates::Predicate MfEventPredicates::isHotkeyHeld(int entry) {
    return onDevice([entry](const EvDeviceEvent& e) {
        return UiApplication::getInstance().getHotkeyRegistry().isHeld(entry, e.getKeyboardState());
    });
}

MfEventPredicates::Predicate MfEventPredicates::isSelectionXor() {
    return isKeyModifierOn(EvModifier::Ctrl);
}

MfEventPredicates::Predicate MfEventPredicates::isSelectionUnion() {
    return isKeyModifierOn(EvModifier::Shift);
}

MfEventPredicates::Predicate MfEventPredicates::both(Predicate a, Predicate b) {
    return make([a, b](const EvEvent& e) { return a->evaluate(e) && b->evaluate(e); });
}

MfEventPredicates::Predicate MfEventPredicates::either(Predicate a, Predicate b) {
    return make([a, b](const EvEvent& e) { return a->evaluate(e) || b->evaluate(e); });
}

MfEventPredicates::Predicate MfEventPredicates::negate(Predicate a) {
    return make([a](const EvEvent& e) { return !a->evaluate(e); });
}

} // namespace Zv

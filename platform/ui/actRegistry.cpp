#include "platform/ui/actRegistry.h"

#include "platform/base/assertions.h"

namespace Zv {

LiString ActAction::getCompositeName() const {
    return getGroup().isEmpty() ? getName() : getGroup() + "/" + getName();
}

ActRegistry::ActRegistry() = default;

ActRegistry::~ActRegistry() = default;

void ActRegistry::registerAction(std::unique_ptr<ActAction> action, int dynamicState) {
    ZV_ASSERT(action != nullptr);
    _actions.push_back({std::move(action), dynamicState});
}

std::unique_ptr<ActAction> ActRegistry::unregisterAction(const ActAction& action) {
    const int index = indexOf(action);
    if (index < 0) return nullptr;
    std::unique_ptr<ActAction> taken = std::move(_actions[index].action);
    _actions.erase(_actions.begin() + index);
    return taken;
}

std::vector<ActAction*> ActRegistry::getActions(const SnItem& target, UiView& view) const {
    std::vector<ActAction*> applicable;
    for (const Registered& registered : _actions)
        if (registered.action->isApplicable(target, view)) applicable.push_back(registered.action.get());
    return applicable;
}

int ActRegistry::getDynamicState(const ActAction& action) const {
    const int index = indexOf(action);
    ZV_ASSERT(index >= 0);
    return _actions[index].dynamicState;
}

int ActRegistry::indexOf(const ActAction& action) const {
    for (size_t i = 0; i < _actions.size(); ++i)
        if (_actions[i].action.get() == &action) return static_cast<int>(i);
    return -1;
}

} // namespace Zv

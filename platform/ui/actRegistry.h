#pragma once

#include "platform/ui/actAction.h"

#include <memory>
#include <vector>

namespace Zv {

// Owns the registered actions, in registration order.
class ActRegistry {
public:
    ActRegistry();
    ~ActRegistry();
    ActRegistry(const ActRegistry&) = delete;
    ActRegistry& operator=(const ActRegistry&) = delete;

    // The dynamic state is kept with the action for whoever registered it.
    void registerAction(std::unique_ptr<ActAction> action, int dynamicState = 0);
    // Gives the action back; null when it was not registered.
    std::unique_ptr<ActAction> unregisterAction(const ActAction& action);
    // The registered actions applicable to the item, in registration order.
    std::vector<ActAction*> getActions(const SnItem& target, UiView& view) const;
    int getNbActions() const { return static_cast<int>(_actions.size()); }
    int getDynamicState(const ActAction& action) const;

private:
    int indexOf(const ActAction& action) const;

    struct Registered {
        std::unique_ptr<ActAction> action;
        int dynamicState;
    };
    std::vector<Registered> _actions;
};

} // namespace Zv

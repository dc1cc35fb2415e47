#pragma once

#include "platform/base/cbHandler.h"
#include "platform/base/cbRegistration.h"
#include "platform/base/rcStrongPtr.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace Zv {

// The subject side of callbacks: registered handlers are called in registration order.
// Removal during a call is safe: a removed handler is not called any more.
template <class... Args>
class CbList {
public:
    CbList() : _state(std::make_shared<State>()) {}
    CbList(const CbList&) = delete;
    CbList& operator=(const CbList&) = delete;

    // Registers a handler; the registration removes it when released.
    CbRegistration add(RCStrongPtr<CbHandler<Args...>> handler) {
        int id = ++_state->lastId;
        _state->entries.push_back({id, std::move(handler)});
        std::weak_ptr<State> weak = _state;
        return CbRegistration([weak, id] {
            if (auto state = weak.lock()) state->remove(id);
        });
    }

    void call(Args... args) const {
        std::shared_ptr<State> keep = _state;
        std::vector<Entry> snapshot = keep->entries;
        for (const Entry& entry : snapshot)
            if (keep->has(entry.id)) entry.handler->call(args...);
    }

    size_t getNbHandlers() const { return _state->entries.size(); }

private:
    struct Entry {
        int id;
        RCStrongPtr<CbHandler<Args...>> handler;
    };
    struct State {
        std::vector<Entry> entries;
        int lastId = 0;
        void remove(int id) {
            std::erase_if(entries, [id](const Entry& e) { return e.id == id; });
        }
        bool has(int id) const {
            return std::any_of(entries.begin(), entries.end(), [id](const Entry& e) { return e.id == id; });
        }
    };
    std::shared_ptr<State> _state;
};

} // namespace Zv

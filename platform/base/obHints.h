#pragma once

#include "platform/base/obHint.h"
#include "platform/base/rcStrongPtr.h"

#include <vector>

namespace Zv {

// A batch of hints, in the order the changes happened.
class ObHints {
public:
    using Container = std::vector<RCStrongPtr<ObHint>>;

    const Container& getContainer() const { return _hints; }
    void add(RCStrongPtr<ObHint> hint) { _hints.push_back(std::move(hint)); }
    bool isEmpty() const { return _hints.empty(); }
    size_t getNbHints() const { return _hints.size(); }

    // The first hint of kind H, or null.
    template <class H>
    RCStrongPtr<H> pickHint() const {
        for (const auto& hint : _hints)
            if (auto* picked = dynamic_cast<H*>(hint.get())) return RCStrongPtr<H>(picked);
        return {};
    }

private:
    Container _hints;
};

} // namespace Zv

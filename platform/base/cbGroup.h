#pragma once

#include "platform/base/cbRegistration.h"

#include <cstddef>
#include <vector>

namespace Zv {

// Callback registrations of one owner, released together (at the latest when the owner dies).
class CbGroup {
public:
    CbGroup() = default;
    CbGroup(const CbGroup&) = delete;
    CbGroup& operator=(const CbGroup&) = delete;
    ~CbGroup() { releaseAll(); }

    void add(CbRegistration registration) { _registrations.push_back(std::move(registration)); }
    void releaseAll() {
        // Released last to first, so later registrations that depend on earlier ones go first.
        while (!_registrations.empty()) _registrations.pop_back();
    }
    size_t getNbRegistrations() const { return _registrations.size(); }

private:
    std::vector<CbRegistration> _registrations;
};

} // namespace Zv

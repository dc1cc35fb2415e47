#pragma once

#include <functional>
#include <utility>

namespace Zv {

// Owns one callback registration; releasing it (or destroying it) unregisters the callback.
class CbRegistration {
public:
    CbRegistration() = default;
    explicit CbRegistration(std::function<void()> remove) : _remove(std::move(remove)) {}
    CbRegistration(CbRegistration&& other) noexcept : _remove(std::exchange(other._remove, nullptr)) {}
    CbRegistration& operator=(CbRegistration&& other) noexcept {
        if (this != &other) {
            release();
            _remove = std::exchange(other._remove, nullptr);
        }
        return *this;
    }
    ~CbRegistration() { release(); }

    void release() {
        if (auto remove = std::exchange(_remove, nullptr)) remove();
    }
    bool isActive() const { return static_cast<bool>(_remove); }

private:
    std::function<void()> _remove;
};

} // namespace Zv

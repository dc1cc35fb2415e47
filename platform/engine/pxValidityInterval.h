#pragma once

#include <limits>

namespace Zv {

// The times over which a result stays the same: [start, end).
struct PxValidityInterval {
    double start = -std::numeric_limits<double>::infinity();
    double end = std::numeric_limits<double>::infinity();

    static PxValidityInterval always() { return {}; }
    bool contains(double time) const { return time >= start && time < end; }
    bool isAlways() const { return *this == always(); }
    bool operator==(const PxValidityInterval&) const = default;
};

} // namespace Zv

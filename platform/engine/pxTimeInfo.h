#pragma once

#include <cmath>

namespace Zv {

// The time a request is computed for, in frames.
struct PxTimeInfo {
    double time = 0;

    // The frame a file sequence shows at this time.
    int getFrame() const { return static_cast<int>(std::floor(time + 0.5)); }
};

} // namespace Zv

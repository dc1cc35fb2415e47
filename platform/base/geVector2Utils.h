#pragma once

#include "platform/base/gePoint2.h"

#include <algorithm>

namespace Zv {

class GeVector2Utils {
public:
    // Squared distance from p to the segment [a, b]; a degenerate segment is its end point.
    template <class T>
    static T distanceSquaredFromPointToLineSegment(const GePoint2<T>& p, const GePoint2<T>& a, const GePoint2<T>& b) {
        GeVector2<T> ab = b - a;
        T lengthSquared = ab.lengthSquared();
        if (lengthSquared <= T(0)) return p.distanceSquared(a);
        T t = std::clamp((p - a).dot(ab) / lengthSquared, T(0), T(1));
        return p.distanceSquared(a + ab * t);
    }
};

} // namespace Zv

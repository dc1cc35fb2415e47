#pragma once

#include "platform/base/gePoint2.h"

#include <algorithm>

namespace Zv {

// Axis-aligned rectangle; empty when a minimum is not below its maximum.
template <class T>
struct GeRectangle {
    T xMin{};
    T xMax{};
    T yMin{};
    T yMax{};

    constexpr GeRectangle() = default;
    constexpr GeRectangle(T x0, T x1, T y0, T y1) : xMin(x0), xMax(x1), yMin(y0), yMax(y1) {}
    // The rectangle spanning two corners in any order.
    static constexpr GeRectangle spanning(const GePoint2<T>& a, const GePoint2<T>& b) {
        return {std::min(a.x, b.x), std::max(a.x, b.x), std::min(a.y, b.y), std::max(a.y, b.y)};
    }

    constexpr bool isEmpty() const { return !(xMin < xMax) || !(yMin < yMax); }
    constexpr T getWidth() const { return xMax - xMin; }
    constexpr T getHeight() const { return yMax - yMin; }
    constexpr GePoint2<T> getCenter() const { return {(xMin + xMax) / T(2), (yMin + yMax) / T(2)}; }
    constexpr bool operator==(const GeRectangle&) const = default;

    // Closed on every side.
    constexpr bool contains(const GePoint2<T>& p) const {
        return p.x >= xMin && p.x <= xMax && p.y >= yMin && p.y <= yMax;
    }
    constexpr bool intersects(const GeRectangle& r) const {
        return !isEmpty() && !r.isEmpty() && r.xMin <= xMax && r.xMax >= xMin && r.yMin <= yMax && r.yMax >= yMin;
    }
    constexpr GeRectangle grown(T d) const { return {xMin - d, xMax + d, yMin - d, yMax + d}; }
    constexpr GeRectangle translated(const GeVector2<T>& v) const {
        return {xMin + v.x, xMax + v.x, yMin + v.y, yMax + v.y};
    }

    // Union that skips empty rectangles.
    GeRectangle& unite(const GeRectangle& r) {
        if (r.isEmpty()) return *this;
        if (isEmpty()) return *this = r;
        xMin = std::min(xMin, r.xMin);
        xMax = std::max(xMax, r.xMax);
        yMin = std::min(yMin, r.yMin);
        yMax = std::max(yMax, r.yMax);
        return *this;
    }
    GeRectangle& operator|=(const GeRectangle& r) { return unite(r); }
    GeRectangle operator|(const GeRectangle& r) const { return GeRectangle(*this).unite(r); }
};

using GeRectanglef = GeRectangle<float>;

} // namespace Zv

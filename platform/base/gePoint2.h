#pragma once

#include "platform/base/geVector2.h"

namespace Zv {

template <class T>
struct GePoint2 {
    T x{};
    T y{};

    constexpr GePoint2() = default;
    constexpr GePoint2(T px, T py) : x(px), y(py) {}

    constexpr GePoint2 operator+(const GeVector2<T>& v) const { return {x + v.x, y + v.y}; }
    constexpr GePoint2 operator-(const GeVector2<T>& v) const { return {x - v.x, y - v.y}; }
    constexpr GeVector2<T> operator-(const GePoint2& p) const { return {x - p.x, y - p.y}; }
    GePoint2& operator+=(const GeVector2<T>& v) { return *this = *this + v; }
    GePoint2& operator-=(const GeVector2<T>& v) { return *this = *this - v; }
    constexpr bool operator==(const GePoint2&) const = default;

    constexpr GeVector2<T> toVector() const { return {x, y}; }
    constexpr T distanceSquared(const GePoint2& p) const { return (*this - p).lengthSquared(); }
    T distance(const GePoint2& p) const { return (*this - p).length(); }
    // The point a fraction t of the way to p.
    constexpr GePoint2 lerp(const GePoint2& p, T t) const { return {x + (p.x - x) * t, y + (p.y - y) * t}; }
};

using GePoint2f = GePoint2<float>;

} // namespace Zv

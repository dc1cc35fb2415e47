#pragma once

#include <cmath>

namespace Zv {

template <class T>
struct GeVector2 {
    T x{};
    T y{};

    constexpr GeVector2() = default;
    constexpr GeVector2(T vx, T vy) : x(vx), y(vy) {}

    constexpr GeVector2 operator+(const GeVector2& v) const { return {x + v.x, y + v.y}; }
    constexpr GeVector2 operator-(const GeVector2& v) const { return {x - v.x, y - v.y}; }
    constexpr GeVector2 operator-() const { return {-x, -y}; }
    constexpr GeVector2 operator*(T s) const { return {x * s, y * s}; }
    constexpr GeVector2 operator/(T s) const { return {x / s, y / s}; }
    GeVector2& operator+=(const GeVector2& v) { return *this = *this + v; }
    GeVector2& operator-=(const GeVector2& v) { return *this = *this - v; }
    GeVector2& operator*=(T s) { return *this = *this * s; }
    constexpr bool operator==(const GeVector2&) const = default;

    constexpr T dot(const GeVector2& v) const { return x * v.x + y * v.y; }
    constexpr T cross(const GeVector2& v) const { return x * v.y - y * v.x; }
    constexpr T lengthSquared() const { return dot(*this); }
    T length() const { return std::sqrt(lengthSquared()); }
    // Unit vector of the same direction; the zero vector stays zero.
    GeVector2 normalized() const {
        T len = length();
        return len > T(0) ? *this / len : *this;
    }
    // Turned a quarter clockwise in a y-up frame.
    constexpr GeVector2 perpendicularCW() const { return {y, -x}; }
};

using GeVector2f = GeVector2<float>;

} // namespace Zv

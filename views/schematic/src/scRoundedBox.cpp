#include "views/schematic/src/scRoundedBox.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <ostream>

namespace Zv {
namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float kHalfPi = kPi / 2.0f;

const char* sectionName(ScRoundedBox::SubSectionType s) {
    static const char* const names[] = {"Upper", "UpperRight", "Right", "LowerRight",
                                        "Lower", "LowerLeft",  "Left",  "UpperLeft"};
    return names[s];
}

} // namespace

float ScRoundedBox::getSubSectionLength(SubSectionType section) const {
    const float r = _cornerRadius;
    if (isCorner(section)) return 1.5707964f * r;
    if (section == Upper || section == Lower) return _rect.getWidth() - 2.0f * r;
    return _rect.getHeight() - 2.0f * r;
}

float ScRoundedBox::getArcLength() const {
    return 2.0f * _rect.getWidth() + 2.0f * _rect.getHeight() - 1.7168145f * _cornerRadius;
}

float ScRoundedBox::getArcLength(const EdgePos& a, const EdgePos& b) const {
    const SubSectionType sa = a.getSection(), sb = b.getSection();
    const float pa = a.getCwPercentPos(), pb = b.getCwPercentPos();
    if (sa == sb && pb > pa) return getSubSectionLength(sa) * (pb - pa);
    float length = getSubSectionLength(sa) * (1.0f - pa);
    for (SubSectionType s = nextSection(sa); s != sb; s = nextSection(s)) length += getSubSectionLength(s);
    return length + getSubSectionLength(sb) * pb;
}

ScRoundedBox::EdgePos ScRoundedBox::getOffsetPosCW(const EdgePos& p, float distance) const {
    const float perimeter = getArcLength();
    // Without a finite perimeter or a finite step there is nowhere to go; the walk below would never end.
    if (!(perimeter > 0.0f) || !std::isfinite(perimeter) || !std::isfinite(distance)) return p;
    // Whole turns lead back where they started, so at most one turn is walked.
    if (distance < 0.0f || distance >= perimeter) distance = std::fmod(distance, perimeter);
    if (distance < 0.0f) distance += perimeter;
    SubSectionType s = p.getSection();
    float x = p.getCwPercentPos() * getSubSectionLength(s) + distance;
    for (float length = getSubSectionLength(s); x >= length; length = getSubSectionLength(s)) {
        x -= length;
        s = nextSection(s);
    }
    return EdgePos(s, x / getSubSectionLength(s));
}

ScRoundedBox::EdgePos ScRoundedBox::getOffsetPos(const EdgePos& a, const EdgePos& b, float t) const {
    return getOffsetPosCW(a, t * getArcLength(a, b));
}

GePoint2<float> ScRoundedBox::getPoint(const EdgePos& e) const {
    const float r = _cornerRadius, p = e.getCwPercentPos();
    const float a = p * kHalfPi;
    const GeRectangle<float>& b = _rect;
    switch (e.getSection()) {
    case Upper: return {b.xMin + r + p * (b.getWidth() - 2.0f * r), b.yMax};
    case UpperRight: return {b.xMax - r + r * std::sin(a), b.yMax - r + r * std::cos(a)};
    case Right: return {b.xMax, b.yMax - r - p * (b.getHeight() - 2.0f * r)};
    case LowerRight: return {b.xMax - r + r * std::cos(a), b.yMin + r - r * std::sin(a)};
    case Lower: return {b.xMax - r - p * (b.getWidth() - 2.0f * r), b.yMin};
    case LowerLeft: return {b.xMin + r - r * std::sin(a), b.yMin + r - r * std::cos(a)};
    case Left: return {b.xMin, b.yMin + r + p * (b.getHeight() - 2.0f * r)};
    case UpperLeft: return {b.xMin + r - r * std::cos(a), b.yMax - r + r * std::sin(a)};
    }
    ZV_ABORT("unknown section");
}

GePoint2<float> ScRoundedBox::getPoint(const EdgePos& a, const EdgePos& b, float t) const {
    return getPoint(getOffsetPos(a, b, t));
}

float ScRoundedBox::getAngle(const EdgePos& e) {
    const SubSectionType s = e.getSection();
    const float quarter = static_cast<float>(s / 2) * kHalfPi;
    return isCorner(s) ? quarter + e.getCwPercentPos() * kHalfPi : quarter;
}

GeVector2<float> ScRoundedBox::getNormal(const EdgePos& e) const {
    const float theta = getAngle(e);
    const GeVector2<float> n(std::sin(theta), std::cos(theta));
    const float len = n.length();
    ZV_ASSERT(len > 0);
    return n / len;
}

GeVector2<float> ScRoundedBox::getNormal(const EdgePos& a, const EdgePos& b, float t) const {
    return getNormal(getOffsetPos(a, b, t));
}

ScRoundedBox ScRoundedBox::expanded(float d) const {
    const GeRectangle<float> grown = _rect.grown(d);
    const float halfShorter = std::min(grown.getWidth(), grown.getHeight()) / 2.0f;
    // A box shrunk past its corners keeps square corners rather than a negative radius.
    return ScRoundedBox(grown, std::max(0.0f, std::min(_cornerRadius + d, halfShorter)));
}

bool ScRoundedBox::contains(const GePoint2<float>& p) const {
    const GeRectangle<float>& b = _rect;
    const float r = _cornerRadius;
    if (!(b.xMin <= p.x && p.x < b.xMax && b.yMin <= p.y && p.y < b.yMax)) return false;
    if (b.xMin + r <= p.x && p.x < std::max(b.xMin + r, b.xMax - r)) return true;
    if (b.yMin + r <= p.y && p.y < std::max(b.yMin + r, b.yMax - r)) return true;
    const float cx = p.x < b.xMin + r ? b.xMin + r : b.xMax - r;
    const float cy = p.y < b.yMin + r ? b.yMin + r : b.yMax - r;
    return p.distanceSquared({cx, cy}) < r * r;
}

void ScRoundedBox::dump(std::ostream& out) const {
    out << "( " << _rect.xMin << ", " << _rect.xMax << ", " << _rect.yMin << ", " << _rect.yMax << " )"
        << ", cornerRad: " << _cornerRadius;
}

void ScRoundedBox::EdgePos::dump(std::ostream& out) const {
    out << sectionName(getSection()) << " " << getCwPercentPos() * 100.0f << "%";
}

bool isEqual(const ScRoundedBox::EdgePos& a, const ScRoundedBox::EdgePos& b, float tolerance) {
    const auto sa = a.getSection(), sb = b.getSection();
    const float pa = a.getCwPercentPos(), pb = b.getCwPercentPos();
    if (sa == sb) return std::abs(pa - pb) <= tolerance;
    if (sa == ScRoundedBox::nextSection(sb)) return std::abs(pa + 1.0f - pb) <= tolerance;
    if (sa == ScRoundedBox::previousSection(sb)) return std::abs(pa - (pb + 1.0f)) <= tolerance;
    return false;
}

} // namespace Zv

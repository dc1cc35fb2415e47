#include "tests/support/failedAssertion.h"
#include "views/schematic/src/scRoundedBox.h"

#include "platform/base/exBase.h"

#include <gtest/gtest.h>

#include <limits>
#include <numbers>
#include <sstream>

using namespace Zv;
using Pos = ScRoundedBox::EdgePos;
using S = ScRoundedBox::SubSectionType;

namespace {

// A default node: 105 x 25 with radius 12.5, so the Right and Left sides have no length.
ScRoundedBox pill() {
    return ScRoundedBox({0.0f, 105.0f, 0.0f, 25.0f}, 12.5f);
}
ScRoundedBox box() {
    return ScRoundedBox({10.0f, 110.0f, 20.0f, 60.0f}, 8.0f);
}

void expectNear(const GePoint2f& a, const GePoint2f& b, float tol = 1e-4f) {
    EXPECT_NEAR(a.x, b.x, tol);
    EXPECT_NEAR(a.y, b.y, tol);
}

std::string dumped(const Pos& p) {
    std::ostringstream out;
    p.dump(out);
    return out.str();
}

} // namespace

TEST(RoundedBox, LengthsAddUpToThePerimeterFormula) {
    ScRoundedBox b = box();
    float sum = 0.0f;
    for (int s = 0; s < 8; ++s) sum += b.getSubSectionLength(S(s));
    EXPECT_NEAR(sum, b.getArcLength(), 1e-3f);
    EXPECT_FLOAT_EQ(b.getArcLength(), 2 * 100.0f + 2 * 40.0f + (2 * std::numbers::pi_v<float> - 8) * 8.0f);
    EXPECT_FLOAT_EQ(pill().getSubSectionLength(S::Right), 0.0f);
}

TEST(RoundedBox, ArcLengthIsClockwiseAndAPositionToItselfIsTheWholeWayRound) {
    ScRoundedBox b = box();
    EXPECT_FLOAT_EQ(b.getArcLength({S::Upper, 0.2f}, {S::Upper, 0.7f}), 0.5f * 84.0f);
    EXPECT_NEAR(b.getArcLength({S::Upper, 0.5f}, {S::Upper, 0.5f}), b.getArcLength(), 1e-3f);
    EXPECT_NEAR(b.getArcLength({S::Upper, 0.7f}, {S::Upper, 0.2f}), b.getArcLength() - 0.5f * 84.0f, 1e-3f);
    // From the upper-left corner's middle to the upper-right's: half a corner, the top, half a corner.
    EXPECT_NEAR(b.getArcLength({S::UpperLeft, 0.5f}, {S::UpperRight, 0.5f}), 84.0f + 1.5707964f * 8.0f, 1e-3f);
}

TEST(RoundedBox, OffsetStepsOverEmptySectionsAndRoundTripsByThePerimeter) {
    ScRoundedBox p = pill();
    // From the end of the top side into the right corner, over the empty Right side, into the lower corner.
    const float corner = p.getSubSectionLength(S::UpperRight);
    Pos q = p.getOffsetPosCW({S::UpperRight, 0.0f}, corner);
    EXPECT_EQ(q.getSection(), S::LowerRight);
    EXPECT_FLOAT_EQ(q.getCwPercentPos(), 0.0f);
    // A fraction of 1.0 is normalised to the next non-empty section.
    EXPECT_EQ(p.getOffsetPosCW({S::UpperRight, 1.0f}, 0.0f).getSection(), S::LowerRight);

    for (ScRoundedBox b : {p, box()}) {
        Pos back = b.getOffsetPosCW({S::Upper, 0.5f}, -b.getArcLength());
        EXPECT_EQ(back.getSection(), S::Upper);
        EXPECT_FLOAT_EQ(back.getCwPercentPos(), 0.5f);
        Pos round = b.getOffsetPosCW({S::Upper, 0.5f}, b.getArcLength());
        EXPECT_TRUE(isEqual(round, {S::Upper, 0.5f}, 1e-4f));
    }
    // A negative step goes counter-clockwise.
    Pos ccw = box().getOffsetPosCW({S::Upper, 0.5f}, -21.0f);
    EXPECT_EQ(ccw.getSection(), S::Upper);
    EXPECT_NEAR(ccw.getCwPercentPos(), 0.25f, 1e-4f);
    Pos mid = box().getOffsetPos({S::Upper, 0.0f}, {S::Upper, 1.0f}, 0.5f);
    EXPECT_NEAR(mid.getCwPercentPos(), 0.5f, 1e-5f);
}

// Whole turns are skipped, and a walk with no finite length or on a box with no finite outline stays put:
// any of them would otherwise never end.
TEST(RoundedBox, WalksGoAtMostOnceRound) {
    const ScRoundedBox b = box();
    const Pos p(S::Upper, 0.5f);
    EXPECT_TRUE(isEqual(b.getOffsetPosCW(p, 1000.0f * b.getArcLength() + 21.0f), {S::Upper, 0.75f}, 1e-3f));
    const Pos far = b.getOffsetPosCW(p, -1e30f);
    EXPECT_TRUE(far.getCwPercentPos() <= 1.0f);
    const float inf = std::numeric_limits<float>::infinity();
    for (float step : {inf, -inf, std::numeric_limits<float>::quiet_NaN()}) EXPECT_EQ(b.getOffsetPosCW(p, step), p);
    EXPECT_EQ(ScRoundedBox({-3e38f, 3e38f, 0.0f, 10.0f}, 2.0f).getOffsetPos(p, {S::Lower, 0.5f}, 0.5f), p);
}

TEST(RoundedBox, PointsAndNormalsFollowTheOutline) {
    ScRoundedBox b = box();
    expectNear(b.getPoint({S::Upper, 0.0f}), {18.0f, 60.0f});
    expectNear(b.getPoint({S::Upper, 1.0f}), {102.0f, 60.0f});
    expectNear(b.getPoint({S::UpperRight, 1.0f}), b.getPoint({S::Right, 0.0f}));
    expectNear(b.getPoint({S::LowerRight, 1.0f}), b.getPoint({S::Lower, 0.0f}));
    expectNear(b.getPoint({S::LowerLeft, 1.0f}), b.getPoint({S::Left, 0.0f}));
    expectNear(b.getPoint({S::UpperLeft, 1.0f}), b.getPoint({S::Upper, 0.0f}));
    expectNear(b.getPoint({S::Right, 0.5f}), {110.0f, 40.0f});
    expectNear(b.getPoint({S::Lower, 0.25f}), {81.0f, 20.0f});
    const float h = std::sqrt(0.5f);
    expectNear(b.getPoint({S::UpperRight, 0.5f}), {102.0f + 8 * h, 52.0f + 8 * h});
    expectNear(b.getPoint({S::LowerLeft, 0.5f}), {18.0f - 8 * h, 28.0f - 8 * h});

    auto n = [&](Pos e) {
        GeVector2f v = b.getNormal(e);
        return GePoint2f(v.x, v.y);
    };
    expectNear(n({S::Upper, 0.3f}), {0, 1});
    expectNear(n({S::Right, 0.3f}), {1, 0});
    expectNear(n({S::Lower, 0.3f}), {0, -1});
    expectNear(n({S::Left, 0.3f}), {-1, 0});
    expectNear(n({S::LowerRight, 0.5f}), {h, -h});
    expectNear(n({S::UpperLeft, 0.5f}), {-h, h});
}

TEST(RoundedBox, ExpandedCapsTheRadiusAtHalfTheShorterSide) {
    ScRoundedBox grown = box().expanded(3.0f);
    EXPECT_EQ(grown.getRect(), GeRectanglef(7.0f, 113.0f, 17.0f, 63.0f));
    EXPECT_FLOAT_EQ(grown.getCornerRadius(), 11.0f);
    EXPECT_FLOAT_EQ(pill().expanded(6.0f).getCornerRadius(), 18.5f);
    EXPECT_FLOAT_EQ(ScRoundedBox({0, 100, 0, 10}, 5.0f).expanded(-2.0f).getCornerRadius(), 3.0f);
    EXPECT_FLOAT_EQ(ScRoundedBox({0, 100, 0, 10}, 40.0f).expanded(1.0f).getCornerRadius(), 6.0f);
}

TEST(RoundedBox, ContainsIsHalfOpenAndRespectsTheCornerDiscs) {
    ScRoundedBox b = box();
    EXPECT_TRUE(b.contains({60.0f, 20.0f}));
    EXPECT_FALSE(b.contains({60.0f, 60.0f}));
    EXPECT_TRUE(b.contains({10.0f, 40.0f}));
    EXPECT_FALSE(b.contains({110.0f, 40.0f}));
    EXPECT_TRUE(b.contains({109.99f, 40.0f}));
    EXPECT_FALSE(b.contains({10.5f, 20.5f}));  // cut off by the lower-left rounding
    EXPECT_TRUE(b.contains({13.0f, 25.0f}));   // inside the lower-left disc
    EXPECT_FALSE(b.contains({109.0f, 59.0f})); // cut off by the upper-right rounding
    ScRoundedBox square({0, 10, 0, 10}, 0.0f);
    EXPECT_TRUE(square.contains({0.0f, 0.0f}));
    EXPECT_FALSE(square.contains({10.0f, 5.0f}));
    EXPECT_FALSE(square.contains({5.0f, 10.0f}));
}

TEST(RoundedBox, IsEqualWorksInSectionFractionsAcrossNeighbours) {
    EXPECT_TRUE(isEqual({S::Right, 0.02f}, {S::UpperRight, 0.99f}, 0.05f));
    EXPECT_TRUE(isEqual({S::UpperRight, 0.99f}, {S::Right, 0.02f}, 0.05f));
    EXPECT_TRUE(isEqual({S::Upper, 0.01f}, {S::UpperLeft, 0.98f}, 0.05f)); // wraps from 7 to 0
    EXPECT_FALSE(isEqual({S::Right, 0.04f}, {S::UpperRight, 0.98f}, 0.05f));
    EXPECT_FALSE(isEqual({S::Right, 0.0f}, {S::Upper, 1.0f}, 0.5f)); // two sections apart
    EXPECT_TRUE(isEqual({S::Lower, 0.3f}, {S::Lower, 0.33f}, 0.05f));
}

TEST(RoundedBox, NegativeFractionIsAnAssertionAndDumpsAreReadable) {
    EXPECT_EQ(TestSupport::failedAssertion([] { box().getPoint({S::Upper, -0.1f}); }), "_cwPercentPos >= 0.0f");
    EXPECT_EQ(dumped({S::LowerLeft, 0.25f}), "LowerLeft 25%");
    std::ostringstream out;
    box().dump(out);
    EXPECT_EQ(out.str(), "( 10, 110, 20, 60 ), cornerRad: 8");
}

#include "platform/base/geRectangle.h"
#include "platform/base/geVector2Utils.h"
#include "platform/base/liStringUtil.h"

#include <gtest/gtest.h>

using namespace Zv;

TEST(GeRectangle, EmptinessAndUnionSkipEmptyRectangles) {
    GeRectanglef a(0, 2, 0, 1);
    EXPECT_FALSE(a.isEmpty());
    EXPECT_TRUE(GeRectanglef(1, 1, 0, 5).isEmpty()) << "a min equal to its max is empty";
    EXPECT_TRUE(GeRectanglef(0, 5, 3, 2).isEmpty());

    GeRectanglef far(100, 100, -50, 50); // empty, far away: must not stretch the union
    EXPECT_EQ(a | far, a);
    EXPECT_EQ(GeRectanglef() | a, a);
    GeRectanglef u = a;
    u |= GeRectanglef(-1, 0.5f, 0.5f, 4);
    EXPECT_EQ(u, GeRectanglef(-1, 2, 0, 4));
    EXPECT_TRUE(GeRectanglef::spanning({3, 4}, {1, -2}) == GeRectanglef(1, 3, -2, 4));
}

TEST(GeVector2Utils, DistanceToSegmentClampsToEnds) {
    GePoint2f a(0, 0), b(10, 0);
    EXPECT_FLOAT_EQ(GeVector2Utils::distanceSquaredFromPointToLineSegment(GePoint2f(5, 3), a, b), 9.0f);
    EXPECT_FLOAT_EQ(GeVector2Utils::distanceSquaredFromPointToLineSegment(GePoint2f(-3, 4), a, b), 25.0f);
    EXPECT_FLOAT_EQ(GeVector2Utils::distanceSquaredFromPointToLineSegment(GePoint2f(13, -4), a, b), 25.0f);
    EXPECT_FLOAT_EQ(GeVector2Utils::distanceSquaredFromPointToLineSegment(GePoint2f(1, 1), a, a), 2.0f);
}

TEST(LiString, Utf8CountsAndNumbers) {
    LiString name("Flou\xC3\xA9 \xE2\x82\xAC"); // "Floué €"
    EXPECT_EQ(name.getNbChars(), 7u);
    EXPECT_EQ(name.leftChars(5), LiString("Flou\xC3\xA9"));
    EXPECT_EQ(LiString("a,,b").split(","), (std::vector<LiString>{"a", "", "b"}));

    EXPECT_EQ(LiStringUtil::convertNb(42), "42");
    EXPECT_EQ(LiStringUtil::convertNb(size_t(7)), "7");
    EXPECT_EQ(LiStringUtil::convertNb(0.1), "0.1");
    EXPECT_EQ(LiStringUtil::convertNb(2.0 / 3.0, 3), "0.667");
    EXPECT_EQ(LiStringUtil::convertNb(-0.0004, 3), "0.000");
    EXPECT_EQ(LiStringUtil::convertNb(-0.0006, 3), "-0.001");
    EXPECT_EQ(LiStringUtil::parseInt("12"), 12);
    EXPECT_FALSE(LiStringUtil::parseInt("12x").has_value());
    EXPECT_FALSE(LiStringUtil::parseFloat("").has_value());
    EXPECT_DOUBLE_EQ(*LiStringUtil::parseFloat("-1.5"), -1.5);
}

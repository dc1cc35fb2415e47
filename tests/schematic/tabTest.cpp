#include "tests/support/glRecorder.h"
#include "tests/support/sceneTestSupport.h"
#include "views/schematic/src/scBubbleTab.h"
#include "views/schematic/src/scRoundedTab.h"
#include "views/schematic/src/scSquareTab.h"

#include <gtest/gtest.h>

using namespace Zv;
using namespace Zv::SceneTest;
using Pos = ScRoundedBox::EdgePos;
using S = ScRoundedBox::SubSectionType;

namespace {

ScRoundedBox box{{0.0f, 100.0f, 0.0f, 40.0f}, 8.0f};

} // namespace

TEST(Tabs, SubSectionsSplitAtSectionBoundaries) {
    ScRoundedTab within({S::Upper, 0.2f}, {S::Upper, 0.7f}, &box);
    EXPECT_EQ(dumped(within), "RoundedTab( Upper 20%-Upper 70% )");

    ScRoundedTab around({S::Upper, 0.7f}, {S::Upper, 0.2f}, &box);
    ASSERT_EQ(around.getSubSections().size(), 9u);
    EXPECT_EQ(around.getSubSections().front()->getFrom(), Pos(S::Upper, 0.7f));
    EXPECT_EQ(around.getSubSections()[4]->getFrom(), Pos(S::Lower, 0.0f));
    EXPECT_EQ(around.getSubSections().back()->getTo(), Pos(S::Upper, 0.2f));

    ScSquareTab corner({S::UpperLeft, 0.5f}, {S::Right, 0.0f}, &box);
    EXPECT_EQ(dumped(corner),
              "SquareTab( UpperLeft 50%-UpperLeft 100%, Upper 0%-Upper 100%, UpperRight 0%-UpperRight 100% )");
    EXPECT_NE(dynamic_cast<const SquareCornerTabSubSection*>(corner.getSubSections()[0].get()), nullptr);
    EXPECT_NE(dynamic_cast<const StraightTabSubSection*>(corner.getSubSections()[1].get()), nullptr);

    // A bubble is one piece whatever it spans; a tab without a box has none and stays stale.
    EXPECT_EQ(ScBubbleTab({S::UpperLeft, 0.5f}, {S::Right, 0.5f}, &box).getSubSections().size(), 1u);
    ScRoundedTab loose({S::Upper, 0.2f}, {S::Upper, 0.7f}, nullptr);
    EXPECT_EQ(dumped(loose), "RoundedTab( none )");
    loose.setAnchorRBox(&box);
    EXPECT_EQ(loose.getSubSections().size(), 1u);
}

TEST(Tabs, HitTestsStayOutsideTheBoxAndFollowTheBand) {
    ScRoundedTab top({S::UpperLeft, 0.0f}, {S::UpperRight, 1.0f}, &box);
    ScSquareTab square({S::UpperLeft, 0.0f}, {S::UpperRight, 1.0f}, &box);
    for (const ScBasicTab* tab : {static_cast<const ScBasicTab*>(&top), static_cast<const ScBasicTab*>(&square)}) {
        EXPECT_TRUE(tab->contains({50.0f, 43.0f}));
        EXPECT_FALSE(tab->contains({50.0f, 39.0f})) << "inside the box";
        EXPECT_FALSE(tab->contains({50.0f, 46.5f})) << "beyond the band";
        EXPECT_FALSE(tab->contains({2.0f, 2.0f})) << "lower corner";
    }
    // Just outside the rounded corner: in both tabs; at the square outer corner: only in the square one.
    EXPECT_TRUE(top.contains({1.0f, 36.0f}));
    EXPECT_FALSE(top.contains({-5.5f, 45.5f}));
    EXPECT_TRUE(square.contains({-5.5f, 45.5f}));
    // No point of the box's own area is inside, even where the band's rectangle overlaps it.
    ScRoundedTab all({S::Upper, 0.5f}, {S::Upper, 0.5f}, &box);
    for (float x = 0.5f; x < 100.0f; x += 3.0f)
        for (float y = 0.5f; y < 40.0f; y += 3.0f)
            if (box.contains({x, y})) {
                EXPECT_FALSE(all.contains({x, y})) << x << ", " << y;
            }

    GeRectanglef normal, wide;
    top.setBorderWidth(15.0f);
    top.getBounds(normal, false);
    top.getBounds(wide, true);
    EXPECT_FLOAT_EQ(normal.yMax, 46.0f);
    EXPECT_FLOAT_EQ(wide.yMax, 55.0f);
    EXPECT_TRUE(top.contains({50.0f, 53.0f}));
}

TEST(Tabs, BubbleOnOneSideKeepsItsEndsAndTakesANewWidthOnRebuild) {
    ScBubbleTab bubble({S::Upper, 0.25f}, {S::Upper, 0.75f}, &box);
    GeRectanglef bounds;
    bubble.getBounds(bounds, false);
    EXPECT_FLOAT_EQ(bounds.xMin, box.getPoint({S::Upper, 0.25f}).x);
    EXPECT_FLOAT_EQ(bounds.yMin, 40.0f);
    EXPECT_TRUE(bubble.contains({50.0f, 50.0f}));
    EXPECT_FALSE(bubble.contains({50.0f, 39.0f}));

    bubble.setBorderWidth(12.0f);
    EXPECT_FLOAT_EQ(bubble.getSubSections()[0]->getBorderWidth(), 6.0f);
    bubble.setStartPos({S::Upper, 0.25f});
    EXPECT_FLOAT_EQ(bubble.getSubSections()[0]->getBorderWidth(), 12.0f);
}

TEST(Tabs, DrawFillsThenSeparatesNeighboursWithABackgroundStartCap) {
    GlRecorder::reset();
    ScDrawContext ctx = makeContext(0.5f);
    ScRoundedTab tab({S::Upper, 0.2f}, {S::Upper, 0.7f}, &box);
    tab.draw(ctx, 0.8f);
    const auto& prims = GlRecorder::getPrimitives();
    ASSERT_EQ(prims.size(), 5u); // fill, outer edge, inner edge, start cap, end cap
    EXPECT_TRUE(prims[0].isRect);
    EXPECT_EQ(colorId(prims[0].vertices[0].color.r), Tabs);
    EXPECT_FLOAT_EQ(prims[0].vertices[0].color.a, 0.4f);
    EXPECT_FALSE(prims[0].state.isEnabled(GL_LINE_SMOOTH));
    EXPECT_TRUE(prims[1].state.isEnabled(GL_LINE_SMOOTH));
    EXPECT_EQ(colorId(prims[3].vertices[0].color.r), Background);
    EXPECT_FLOAT_EQ(prims[3].vertices[0].color.a, 0.4f);
    EXPECT_EQ(colorId(prims[4].vertices[0].color.r), Tabs);

    GlRecorder::reset();
    tab.setCapsHidden(0, 1);
    ctx.setColor(TabsHighlit, 1.0f);
    tab.drawOutline(ctx);
    ASSERT_EQ(GlRecorder::getPrimitives().size(), 3u);
    EXPECT_EQ(colorId(GlRecorder::getPrimitives()[2].vertices[0].color.r), TabsHighlit) << "outline keeps its colour";
}

TEST(Tabs, CornerArcsFollowTheZoomStepAndEndExactly) {
    GlRecorder::reset();
    ScDrawContext ctx = makeContext();
    ScRoundedTab corner({S::UpperRight, 0.0f}, {S::UpperRight, 1.0f}, &box);
    corner.draw(ctx, 1.0f);
    const auto strips = GlRecorder::getPrimitives(GL_QUAD_STRIP);
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_EQ(strips[0].vertices.size(), 2u * 17u); // 0, 0.1 ... 1.5, then pi/2
    const auto& last = strips[0].vertices.back();
    EXPECT_NEAR(last.x, 100.0f + 6.0f, 1e-4f);
    EXPECT_NEAR(last.y, 32.0f, 1e-4f);
}

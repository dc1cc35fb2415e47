#include "tests/support/failedAssertion.h"
#include "tests/support/glRecorder.h"
#include "tests/support/nodeTestSupport.h"
#include "tests/support/sceneTestSupport.h"
#include "views/schematic/src/scBasicConnections.h"
#include "views/schematic/src/scFanConnectionSet.h"

#include "platform/base/exBase.h"

#include <gtest/gtest.h>

#include <functional>
#include <numbers>

using namespace Zv;
using namespace Zv::SceneTest;
using Zv::TestSupport::failedAssertion;
using Pos = ScRoundedBox::EdgePos;
using S = ScRoundedBox::SubSectionType;

namespace {

ScRoundedBox box{{0.0f, 105.0f, 0.0f, 25.0f}, 8.0f};

} // namespace

TEST(ConnectionSets, RoundedTabsAreContiguousAndEqualOnTheGrownBox) {
    ScRoundedConnectionSet set({S::UpperLeft, 0.5f}, {S::UpperRight, 0.5f}, &box);
    set.setNbConnections(4);
    const ScRoundedBox middle = box.expanded(3.0f);
    const float expected = middle.getArcLength({S::UpperLeft, 0.5f}, {S::UpperRight, 0.5f}) / 4.0f;
    for (int i = 0; i < 4; ++i) {
        EXPECT_NEAR(middle.getArcLength(set.getTab(i).getStartPos(), set.getTab(i).getEndPos()), expected, 1e-3f);
        if (i > 0) {
            EXPECT_EQ(set.getTab(i).getStartPos(), set.getTab(i - 1).getEndPos());
        }
    }
    EXPECT_TRUE(isEqual(set.getTab(3).getEndPos(), {S::UpperRight, 0.5f}, 1e-3f));
    // Connection points sit 6 units out, in the middle of each tab; normals point up on the top side.
    const GePoint2f p1 = set.getConnectionPoint(1);
    EXPECT_NEAR(p1.y, 31.0f, 1e-3f);
    EXPECT_NEAR(set.getConnectionNormal(1).y, 1.0f, 1e-5f);
    EXPECT_NEAR(set.getConnectionNormal(0).y, 1.0f, 1e-5f) << "tab 0 starts on the corner, its middle is on the top";
    EXPECT_FLOAT_EQ(set.getNormalWeight(1), 0.25f);
    EXPECT_EQ(dumped(set), "RoundedConnectionSet( UpperLeft 50%, UpperRight 50% )");
}

TEST(ConnectionSets, SquareTabsMapStraightDistancesOntoTheOutline) {
    ScSquareConnectionSet one({S::UpperLeft, 0.5f}, {S::UpperRight, 0.5f}, &box);
    one.setNbConnections(1);
    EXPECT_EQ(one.getTab(0).getStartPos(), Pos(S::UpperLeft, 0.5f));
    EXPECT_EQ(one.getTab(0).getEndPos(), Pos(S::UpperRight, 0.5f));

    // rc = 8 + 6 = 14, side 89, total 117; three tabs end at d = 39 and 78.
    ScSquareConnectionSet three({S::UpperLeft, 0.5f}, {S::UpperRight, 0.5f}, &box);
    three.setNbConnections(3);
    EXPECT_EQ(three.getTab(0).getEndPos().getSection(), S::Upper);
    EXPECT_NEAR(three.getTab(0).getEndPos().getCwPercentPos(), 25.0f / 89.0f, 1e-5f);
    EXPECT_NEAR(three.getTab(1).getEndPos().getCwPercentPos(), 64.0f / 89.0f, 1e-5f);
    EXPECT_EQ(three.getTab(2).getStartPos(), three.getTab(1).getEndPos());
    // Points spread evenly over the side of the square box 6 units out.
    EXPECT_NEAR(three.getConnectionPoint(0).x, -6.0f + 117.0f / 6.0f, 1e-3f);
    EXPECT_NEAR(three.getConnectionPoint(2).y, 31.0f, 1e-4f);

    // On a square box rc is the width alone, and the first tab still starts in the degenerate corner.
    ScRoundedBox sharp({0.0f, 60.0f, 0.0f, 20.0f}, 0.0f);
    ScSquareConnectionSet onSharp({S::UpperLeft, 0.5f}, {S::UpperRight, 0.5f}, &sharp);
    onSharp.setNbConnections(12); // total 72, d = 6 reaches the end of the start corner
    EXPECT_EQ(onSharp.getTab(0).getStartPos(), Pos(S::UpperLeft, 0.5f));
    EXPECT_EQ(onSharp.getTab(0).getEndPos(), Pos(S::Upper, 0.0f));
    EXPECT_NEAR(onSharp.getTab(1).getEndPos().getCwPercentPos(), 6.0f / 60.0f, 1e-5f);
}

TEST(ConnectionSets, MaskingTabIsChosenByPositionAndDrawnInItsColour) {
    ScRoundedConnectionSetWithMasking first(ScOrientation::Right, {S::Lower, 0.0f}, {S::Lower, 1.0f}, &box);
    first.setNbConnections(3);
    ScDrawContext ctx = makeContext();
    GlRecorder::reset();
    first.draw(ctx, 1.0f);
    const auto fills = GlRecorder::getPrimitives(GL_QUADS);
    ASSERT_EQ(fills.size(), 3u);
    EXPECT_EQ(colorId(fills[0].vertices[0].color.r), MaskingTab);
    EXPECT_EQ(colorId(fills[1].vertices[0].color.r), Tabs);
    EXPECT_EQ(colorId(fills[2].vertices[0].color.r), Tabs);

    ScRoundedConnectionSetWithMasking last(ScOrientation::Down, {S::Lower, 0.0f}, {S::Lower, 1.0f}, &box);
    last.setNbConnections(3);
    EXPECT_EQ(last.getTab(2).getColorIndex(), MaskingTab);
    last.setMarked(2, true);
    last.setHighlighted(0, true);
    EXPECT_EQ(last.getTab(2).getColorIndex(), TabsOutline);
    EXPECT_EQ(last.getTab(0).getColorIndex(), TabsHighlit);
    last.setNbConnections(3);
    EXPECT_FALSE(last.isHighlighted(0)) << "a rebuild drops tab flags";

    last.setNbConnections(1);
    EXPECT_EQ(failedAssertion([&] { last.update(); }), "getNbConnections() >= 2");
    ScRoundedConnectionSet loose({S::Lower, 0.0f}, {S::Lower, 1.0f}, nullptr);
    loose.setNbConnections(2);
    EXPECT_EQ(failedAssertion([&] { loose.update(); }), "!getAnchorRBox().isNull()");
}

TEST(ConnectionSets, PickWidensOnlyWhenEnlarged) {
    ScRoundedConnectionSet set({S::Upper, 0.0f}, {S::Upper, 1.0f}, &box);
    set.setNbConnections(2);
    EXPECT_EQ(set.pick({20.0f, 28.0f}, false), 0);
    EXPECT_EQ(set.pick({80.0f, 28.0f}, false), 1);
    EXPECT_EQ(set.pick({80.0f, 34.0f}, false), -1);
    EXPECT_EQ(set.pick({80.0f, 34.0f}, true), 1);
    EXPECT_FALSE(set.contains({80.0f, 34.0f}));
    EXPECT_FLOAT_EQ(set.getTab(1).getBorderWidth(), 6.0f) << "pick restores the width";

    set.setHighlighted(1, true);
    set.setEnlarged(true);
    EXPECT_FLOAT_EQ(set.getTab(0).getBorderWidth(), 15.0f);
    EXPECT_TRUE(set.isHighlighted(1)) << "enlarging keeps the tabs";
    set.setEnlarged(false);
    EXPECT_FLOAT_EQ(set.getBorderWidth(), 6.0f);

    ScRoundedConnectionSet empty({S::Upper, 0.0f}, {S::Upper, 1.0f}, &box);
    EXPECT_EQ(empty.pick({20.0f, 28.0f}, true), -1);
}

// A bubble tab keeps the width it is built with, so a pick must not be the first to build it.
TEST(ConnectionSets, IconTabFirstBuiltByAnEnlargedPickKeepsItsWidth) {
    ScIconConnectionSet picked({S::Upper, 0.3f}, {S::Upper, 0.7f}, &box),
        twin({S::Upper, 0.3f}, {S::Upper, 0.7f}, &box);
    picked.setNbConnections(1);
    twin.setNbConnections(1);
    EXPECT_EQ(picked.pick({52.5f, 29.0f}, true), 0);
    GeRectanglef pickedBounds, twinBounds;
    picked.getBounds(pickedBounds, true);
    twin.getBounds(twinBounds, true);
    EXPECT_EQ(pickedBounds, twinBounds);
}

TEST(ConnectionSets, SimpleSetHasOneTabWhateverTheCount) {
    ScSimpleConnectionSet set({S::Lower, 0.2f}, {S::Lower, 0.8f}, &box);
    set.setNbConnections(5);
    EXPECT_EQ(set.getNbConnections(), 1);
    EXPECT_TRUE(isEqual(set.getTab(0).getEndPos(), {S::Lower, 0.8f}, 1e-4f));
    set.setHighlighted(0, true);
    EXPECT_FALSE(set.isHighlighted(0));
    EXPECT_EQ(set.pick({50.0f, -3.0f}, false), 0);
}

TEST(ConnectionSets, FanSpreadsConnectionPointsAcrossItsNormal) {
    ScFanConnectionSet fan({S::Lower, 0.25f}, {S::Lower, 0.75f}, &box);
    fan.setNbConnections(1);
    const GePoint2f single = fan.getConnectionPoint(0);
    EXPECT_NEAR(single.x, 52.5f, 1e-3f);
    EXPECT_NEAR(single.y, -6.0f - 16.5f, 1e-3f);
    fan.setNbConnections(3);
    const GePoint2f left = fan.getConnectionPoint(0), mid = fan.getConnectionPoint(1),
                    right = fan.getConnectionPoint(2);
    EXPECT_EQ(mid, single);
    EXPECT_NEAR(left.y, mid.y, 1e-4f);
    EXPECT_NEAR(mid.x - left.x, right.x - mid.x, 1e-4f);
    EXPECT_LT(mid.x - left.x, 0.0f) << "branches follow the clockwise order: right to left along the bottom";
    EXPECT_EQ(fan.pick({52.5f, -3.0f}, false), 0);
    EXPECT_EQ(fan.pick({52.5f, -9.0f}, false), -1);
    EXPECT_EQ(fan.pick({52.5f, -9.0f}, true), 0);
    EXPECT_EQ(dumped(fan), "FanConnectionSet( Lower 25%, Lower 75% ),connections=3");

    ScDrawContext ctx = makeContext();
    fan.setHighlighted(2, true);
    GlRecorder::reset();
    fan.draw(ctx, 1.0f);
    const auto discs = GlRecorder::getPrimitives(GL_TRIANGLE_FAN);
    ASSERT_EQ(discs.size(), 3u);
    EXPECT_EQ(colorId(discs[0].vertices[0].color.r), TabsHighlit) << "drawn last to first";
    EXPECT_EQ(colorId(discs[1].vertices[0].color.r), Tabs);
    EXPECT_EQ(colorId(GlRecorder::getPrimitives(GL_LINE_LOOP)[0].vertices[0].color.r), TabsOutline);
    // The odd middle branch's disc sits on the stem's end.
    const auto bars = GlRecorder::getPrimitives(GL_LINES).back();
    EXPECT_NEAR(bars.vertices[1].y, -6.0f - 5.5f, 1e-3f);

    // The one tab is every value's socket: it shows a mark while any value carries one.
    const auto tabColor = [&] {
        GlRecorder::reset();
        fan.draw(ctx, 1.0f);
        return colorId(GlRecorder::getPrimitives()[0].vertices[0].color.r);
    };
    for (int i : {0, 1, 2}) fan.setMarked(i, i == 0);
    EXPECT_EQ(tabColor(), TabsOutline);
    fan.setMarked(0, false);
    EXPECT_EQ(tabColor(), Tabs);
}

TEST(ConnectionSets, InsertArrowPointsOutOfTheMiddleOfTheStretch) {
    ScRoundedConnectionSet set({S::Upper, 0.0f}, {S::Upper, 1.0f}, &box);
    ScDrawContext ctx = makeContext();
    GlRecorder::reset();
    set.drawInsertArrow(ctx, 0.5f);
    const auto tris = GlRecorder::getPrimitives(GL_TRIANGLES);
    ASSERT_EQ(tris.size(), 1u);
    EXPECT_NEAR(tris[0].vertices[0].x, 52.5f, 1e-4f);
    EXPECT_NEAR(tris[0].vertices[0].y, 25.0f + 14.0f, 1e-4f);
    EXPECT_NEAR(std::abs(tris[0].vertices[1].x - tris[0].vertices[2].x), 9.0f, 1e-4f);
    EXPECT_EQ(colorId(tris[0].vertices[0].color.r), TabsHighlit);
    EXPECT_FLOAT_EQ(tris[0].vertices[0].color.a, 0.5f);
}

// No set is read past its sockets, whatever its kind: every operation on socket i checks i.
TEST(ConnectionSets, EveryOperationOnASocketChecksItsIndex) {
    const Pos start(S::UpperLeft, 0.5f), end(S::UpperRight, 0.5f);
    std::vector<std::unique_ptr<ScConnectionSet>> sets;
    sets.push_back(std::make_unique<ScSquareConnectionSet>(start, end, &box));
    sets.push_back(std::make_unique<ScRoundedConnectionSet>(start, end, &box));
    sets.push_back(std::make_unique<ScRoundedConnectionSetWithMasking>(ScOrientation::Right, start, end, &box));
    sets.push_back(std::make_unique<ScFanConnectionSet>(start, end, &box));
    sets.push_back(std::make_unique<ScSimpleConnectionSet>(start, end, &box));
    sets.push_back(std::make_unique<ScIconConnectionSet>(start, end, &box));
    for (const auto& set : sets) {
        set->setNbConnections(3);
        const int n = set->getNbConnections();
        const bool oneTab =
            dynamic_cast<ScSimpleConnectionSet*>(set.get()) || dynamic_cast<ScIconConnectionSet*>(set.get());
        EXPECT_EQ(n, oneTab ? 1 : 3) << dumped(*set);
        for (int i : {-1, n}) {
            for (const auto& call : std::vector<std::function<void()>>{
                     [&] { set->getConnectionPoint(i); }, [&] { set->getConnectionNormal(i); },
                     [&] { set->setHighlighted(i, true); }, [&] { set->isHighlighted(i); },
                     [&] { set->setMarked(i, true); }})
                EXPECT_EQ(failedAssertion(call), "i >= 0 && i < getNbConnections()") << dumped(*set) << " socket " << i;
        }
        set->setHighlighted(n - 1, true);
        EXPECT_EQ(set->isHighlighted(n - 1), !oneTab) << dumped(*set);
    }
    ScIconConnectionSet unused(start, end, &box);
    EXPECT_EQ(unused.getNbConnections(), 0) << "an icon set shows no socket until it has one";
}

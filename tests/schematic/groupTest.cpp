#include "tests/support/glRecorder.h"
#include "tests/support/nodeTestSupport.h"
#include "tests/support/sceneTestSupport.h"
#include "tests/support/viewSingletons.h"

#include "views/schematic/src/scGroup.h"

#include "platform/graph/piGroupNode.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/ui/wsFontRegistry.h"

#include <gtest/gtest.h>

using namespace Zv;
using namespace Zv::SceneTest;

namespace {

RCStrongPtr<ScGroup> makeGroup(const RCStrongPtr<PiGraph>& graph) {
    RCStrongPtr<PiGroupNode> group;
    group.dynamicAssign(graph->createNode("Group", graph->getRootGroup(), "Plates"));
    PiSchematicInterfaceEx::setXYPosition(group, 100.0f, 50.0f);
    return makeRC<ScGroup>(group, RCStrongPtr<RCBase>(), UiResColor{0.2f, 0.3f, 0.4f}, 7);
}

// The texture-mapped quads of a draw: icons.
std::vector<GlRecorder::Primitive> drawnIcons(const ScGroup& group) {
    ScDrawContext ctx = makeContext();
    GlRecorder::reset();
    group.draw(ctx);
    std::vector<GlRecorder::Primitive> icons;
    for (const auto& primitive : GlRecorder::getPrimitives(GL_POLYGON))
        if (primitive.state.isEnabled(GL_TEXTURE_2D)) icons.push_back(primitive);
    return icons;
}

} // namespace

TEST(GroupBox, WithoutMembersFramesItsStoredPositionUnderATitleBar) {
    auto group = makeGroup(PiGraph::create("G"));
    group->updateBounds();
    const GeRectangle<float> around(100.5f - 68.0f, 100.5f + 68.0f, 50.5f - 28.0f, 50.5f + 28.0f);
    EXPECT_EQ(group->getRect(), around);
    EXPECT_EQ(group->getBounds().yMax, group->getRect().yMax + ScGroup::kTitleHeight);

    // A context with a font but none at the zoom still gets the title.
    ScDrawContext ctx(nullptr, WsFontRegistry::getFont(), {}, 1.0f, distinctColors(), 1.0f);
    for (bool selected : {false, true}) {
        group->setSelected(selected);
        GlRecorder::reset();
        group->draw(ctx);
        const auto outlines = GlRecorder::getPrimitives(GL_LINE_LOOP);
        ASSERT_EQ(outlines.size(), 1u);
        EXPECT_EQ(colorId(outlines[0].vertices[0].color.r), selected ? Selected : MenuBorder);
        const auto glyphs = GlRecorder::getPrimitives(GL_QUADS);
        ASSERT_FALSE(glyphs.empty() || glyphs.back().isRect);
        EXPECT_EQ(colorId(glyphs.back().vertices[0].color.r), selected ? Selected : Unselected);
    }
}

// Locked tools show the lock faded, a locked group in full, an unlocked group none.
TEST(GroupBox, LockIconShowsTheLockState) {
    TestSupport::nodeFactory();
    auto group = makeGroup(PiGraph::create("G"));
    group->updateBounds();
    EXPECT_TRUE(drawnIcons(*group).empty());

    for (auto [state, alpha] : {std::pair{PiLockMode::Tools, 0.4f}, std::pair{PiLockMode::Group, 1.0f}}) {
        group->setLockState(state);
        const auto icons = drawnIcons(*group);
        ASSERT_EQ(icons.size(), 1u) << "lock state " << toInt(state);
        EXPECT_FLOAT_EQ(icons[0].vertices[0].color.a, alpha);
        float left = icons[0].vertices[0].x, right = left;
        for (const auto& v : icons[0].vertices) {
            left = std::min(left, v.x);
            right = std::max(right, v.x);
        }
        EXPECT_FLOAT_EQ((left + right) * 0.5f, std::trunc(group->getRect().xMax) - 10.0f);
        EXPECT_LE(right - left, 16.0f);
    }
}

TEST(GroupBox, AroundItsMembersInWholeUnitsWithTitleBarAndBandsInTheirColours) {
    auto group = makeGroup(PiGraph::create("G"));
    auto member = makeRC<ScCustomNode>(ScOrientation::Down, 20.0f, 40.0f, 4.0f);
    member->setPosition({10.5f, 20.5f});
    group->addMember(member);
    group->updateBounds();
    EXPECT_EQ(group->getRect(), GeRectanglef(-19.5f, 40.5f, 0.5f, 40.5f)) << "the members' box grown by 10";

    group->setSelected(true);
    ScDrawContext ctx = makeContext();
    GlRecorder::reset();
    group->draw(ctx);
    std::vector<GlRecorder::Primitive> rects;
    for (const auto& p : GlRecorder::getPrimitives())
        if (p.isRect) rects.push_back(p);
    ASSERT_EQ(rects.size(), 2u);
    EXPECT_EQ(rects[0].vertices[0].x, -19.0f) << "truncated to whole units";
    EXPECT_FLOAT_EQ(rects[0].vertices[0].color.b, 0.4f);
    EXPECT_FLOAT_EQ(rects[0].vertices[0].color.a, 0.85f);
    EXPECT_EQ(colorId(rects[1].vertices[0].color.r), GroupBackground) << "the title bar";
    const auto bands = GlRecorder::getPrimitives(GL_POLYGON);
    ASSERT_EQ(bands.size(), 2u);
    const auto colours = [](const GlRecorder::Primitive& band) {
        std::vector<int> ids;
        for (const auto& v : band.vertices) ids.push_back(colorId(v.color.r));
        return ids;
    };
    EXPECT_EQ(colours(bands[0]), (std::vector<int>{GroupTopBlend, GroupTopBlend, GroupBackground, GroupBackground}));
    EXPECT_EQ(colours(bands[1]),
              (std::vector<int>{GroupBackground, GroupBackground, GroupBottomBlend, GroupBottomBlend}));
    EXPECT_EQ(bands[0].vertices[0].y, 40.0f + ScGroup::kTitleHeight);
    EXPECT_EQ(colorId(GlRecorder::getPrimitives(GL_LINES).at(0).vertices[0].color.r), MenuBorder)
        << "the line under the title whatever the selection";
}

#include "tests/support/failedAssertion.h"
#include "tests/support/glRecorder.h"
#include "tests/support/nodeTestSupport.h"
#include "tests/support/sceneTestSupport.h"
#include "tests/support/viewSingletons.h"
#include "views/schematic/src/scBasicConnections.h"
#include "views/schematic/src/scFeedbackTab.h"
#include "views/schematic/src/scGhostNode.h"
#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scIcon.h"
#include "views/schematic/src/scImageToggleNode.h"
#include "views/schematic/src/scToggleIRTab.h"
#include "views/schematic/src/scToggleImageTab.h"

#include "platform/graph/piImageModifier.h"
#include "platform/graph/piKeyframingUtil.h"
#include "platform/graph/piNodeAnchorUtils.h"
#include "platform/graph/piPath.h"

#include <gtest/gtest.h>

using namespace Zv;
using namespace Zv::NodeTest;
using Zv::TestSupport::failedAssertion;
using namespace Zv::SceneTest;
using Pos = ScRoundedBox::EdgePos;
using S = ScRoundedBox::SubSectionType;

namespace {

RCStrongPtr<ScCustomNode> boxNode(float width, float height) {
    auto node = makeRC<ScCustomNode>(ScOrientation::Down, height, width, 4.0f);
    node->setInputSet(std::make_unique<ScRoundedConnectionSet>(Pos(S::Upper, 0.1f), Pos(S::Upper, 0.9f), nullptr));
    node->setOutputSet(std::make_unique<ScRoundedConnectionSet>(Pos(S::Lower, 0.1f), Pos(S::Lower, 0.7f), nullptr));
    node->setToggleImageTab(std::make_unique<ScToggleImageTab>(Pos(S::Lower, 0.8f), Pos(S::LowerRight, 0.5f), nullptr));
    return node;
}

} // namespace

TEST(ImageToggleNode, ThumbnailSwitchesSizeAndConnectionPoints) {
    auto shown = boxNode(120, 90), notShown = boxNode(80, 30);
    auto node = makeRC<ScImageToggleNode>(shown, notShown);
    addSockets(*node, 2, 1);
    node->setPosition({10, 20});
    EXPECT_EQ(node->getInputConnectionPoint(1, 0), notShown->getInputConnectionPoint(1, 0));
    EXPECT_EQ(node->getBaseSize(), GeVector2f(80, 30));
    node->setThumbnailShown(true);
    EXPECT_EQ(node->getBaseSize(), GeVector2f(120, 90));
    EXPECT_EQ(node->getInputConnectionPoint(1, 0), shown->getInputConnectionPoint(1, 0));
    EXPECT_NE(node->getInputConnectionPoint(1, 0), notShown->getInputConnectionPoint(1, 0));
    EXPECT_EQ(shown->getPosition(), GePoint2f(10, 20)) << "setters reach both looks";

    // A socket highlight set through the scene shows on the look that is drawn.
    const auto markedTabFills = [&] {
        ScDrawContext ctx = makeContext();
        GlRecorder::reset();
        node->draw(ctx);
        int fills = 0;
        for (const auto& p : GlRecorder::getPrimitives())
            fills += (p.isRect || p.mode == GL_QUAD_STRIP) && colorId(p.vertices[0].color.r) == TabsOutline;
        return fills;
    };
    EXPECT_EQ(markedTabFills(), 0);
    ScGraph scene(nullptr);
    scene.setHighlight({node, 1, ScPart::Input, {}, {}});
    EXPECT_GT(markedTabFills(), 0);
    EXPECT_EQ(failedAssertion([&] { ScImageToggleNode(shown, nullptr); }), "!_imageNotShownNode.isNull()");
    EXPECT_EQ(failedAssertion([&] { ScImageToggleNode(nullptr, shown); }), "!_imageShownNode.isNull()");
}

TEST(GhostNode, ReportsItsOwnSocketAsZeroAndTheRestAsBody) {
    auto source = boxNode(100, 40);
    addSockets(*source, 2, 3);
    const ScRoundedBox& box = source->getBox();
    const auto outputPoint = [&](int i) { return source->getOutputConnectionPoint(i, 0) + GeVector2f(0, 4); };
    auto ghost = makeRC<ScGhostNode>(source, ScPart::Output, 2);
    EXPECT_FALSE(ghost->hasProcessingNode());
    EXPECT_EQ(pickAt(*ghost, outputPoint(2)), (Hit{true, 0, ScPart::Output}));
    EXPECT_EQ(pickAt(*ghost, outputPoint(0)), (Hit{true, -1, ScPart::Body}));
    const GePoint2f toggle = bandPoint(box, Pos(S::Lower, 0.8f), Pos(S::LowerRight, 0.5f), 9.0f);
    EXPECT_EQ(pickAt(*ghost, toggle), (Hit{true, 55, ScPart::FirstStrip}))
        << "an output ghost passes the thumbnail strip on";
    EXPECT_FALSE(pickAt(*ghost, {500, 500}).hit);
    EXPECT_EQ(ghost->getOutputConnectionPoint(0, 0), source->getOutputConnectionPoint(2, 0));

    source->setThumbnailShown(true);
    auto inputGhost = makeRC<ScGhostNode>(source, ScPart::Input, 1);
    EXPECT_FALSE(source->isThumbnailShown()) << "an input ghost turns the source's thumbnail off";
    EXPECT_EQ(pickAt(*inputGhost, source->getInputConnectionPoint(1, 0) - GeVector2f(0, 4)),
              (Hit{true, 0, ScPart::Input}));
    EXPECT_EQ(pickAt(*inputGhost, source->getInputConnectionPoint(0, 0) - GeVector2f(0, 4)),
              (Hit{true, -1, ScPart::Body}));
    EXPECT_EQ(pickAt(*inputGhost, toggle), (Hit{true, -1, ScPart::Body}));
    EXPECT_EQ(inputGhost->getInputDirection(0), source->getInputDirection(1));
}

TEST(Icons, KeepTheirAspectAndDrawOneTexturedQuad) {
    ScIcon icon(IxTile(IxImage(128, 96)), false);
    EXPECT_EQ(icon.getFittedSize(50, 50), GeVector2f(50, 37.5f));
    EXPECT_EQ(icon.getFittedSize(100, 30), GeVector2f(40, 30));
    EXPECT_EQ(ScIcon(IxTile(IxImage(128, 96)), true).getFittedSize(50, 50), GeVector2f(50, 50));
    ScDrawContext ctx = makeContext();
    GlRecorder::reset();
    icon.draw(ctx, 0, 0, 50, 50, 1.0f, {1, 1, 1});
    const auto quads = GlRecorder::getPrimitives(GL_POLYGON);
    ASSERT_EQ(quads.size(), 1u);
    ASSERT_EQ(quads[0].vertices.size(), 4u);
    EXPECT_FLOAT_EQ(quads[0].vertices[0].x, -25.0f);
    EXPECT_FLOAT_EQ(quads[0].vertices[0].y, -18.75f);
    EXPECT_FLOAT_EQ(quads[0].vertices[2].s, 1.0f);
    EXPECT_FLOAT_EQ(quads[0].vertices[3].t, 1.0f);
    EXPECT_TRUE(quads[0].state.isEnabled(GL_TEXTURE_2D));
    EXPECT_EQ(GlRecorder::getCallCount("glTexImage2D"), 1);
    GlRecorder::reset();
    ScIcon(IxTile(), false).draw(ctx, 0, 0, 50, 50, 1.0f, {1, 1, 1});
    EXPECT_TRUE(GlRecorder::getCalls().empty()) << "no picture, nothing drawn";
}

TEST(ToggleIRTab, ShowsWhetherTheEffectIsOff) {
    auto graph = PiGraph::create("IR");
    auto blur = graph->createNode("Blur", graph->getRootGroup());
    ScToggleIRTab tab(Pos(S::Right, 0.0f), Pos(S::Right, 1.0f), nullptr);
    tab.reportOn(blur);
    EXPECT_EQ(tab.getColorIndex(), IRDisabled);
    PiImageModifier::setMuted(blur, true);
    EXPECT_EQ(tab.getColorIndex(), IRDisabled) << "the state is read when the strip is told";
    tab.reportOn(blur);
    EXPECT_EQ(tab.getColorIndex(), IREnabled);
    EXPECT_EQ(tab.clone()->getAnchorRBox().get(), nullptr);
    auto output = graph->createNode("Output", graph->getRootGroup());
    EXPECT_EQ(failedAssertion([&] { tab.reportOn(output); }), "!firstOutput.isNull()");
    EXPECT_EQ(failedAssertion([&] { tab.reportOn(nullptr); }), "!tool.isNull()");
}

TEST(NodeDetails, NameToolFormatConversionAndAnchors) {
    auto graph = PiGraph::create("Details");
    auto keyer = graph->createNode("Keyer", graph->getRootGroup(), "Matte");
    auto grade = graph->createNode("ColorCorrect", graph->getRootGroup(), "Grade");
    graph->connect(keyer->getOutput(0), grade->getInput(1));
    PiNodeAnchorUtils::addAnchor(grade, {"Corner A", "Corner"});
    auto node = TestSupport::nodeFactory().createNode(grade, ScOrientation::Down);
    node->setName("Grade");
    const std::vector<LiString> lines = node->getDetailsLines();
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(lines[0], "Grade (ColorCorrect)");
    EXPECT_EQ(lines.back(), "    Corner A");
    EXPECT_EQ(lines[lines.size() - 2], "Anchors:");
}

TEST(FeedbackTab, ShowsKeyframeMarksThenAnchorsThenPlainTabs) {
    auto graph = PiGraph::create("Feedback");
    auto blur = graph->createNode("Blur", graph->getRootGroup());
    ScRoundedBox box({0, 100, 0, 30}, 8);
    ScFeedbackTab tab(Pos(S::Right, 0.0f), Pos(S::Right, 1.0f), &box);
    tab.setNbConnections(2);
    ScDrawContext ctx = makeContext();
    const auto firstColors = [&] {
        GlRecorder::reset();
        tab.reportOn(blur.get());
        tab.draw(ctx, 1.0f);
        std::vector<int> ids;
        // Straight pieces fill with one rectangle each.
        for (const auto& rect : GlRecorder::getPrimitives(GL_QUADS)) ids.push_back(colorId(rect.vertices[0].color.r));
        return ids;
    };
    EXPECT_EQ(firstColors(), (std::vector<int>{Tabs, Tabs}));
    PiNodeAnchorUtils::addAnchor(blur, {"Pin", "Point"});
    EXPECT_EQ(firstColors(), (std::vector<int>{AnchorTab, Tabs}));
    PiKeyframingUtil::markTool(blur);
    EXPECT_EQ(firstColors(), (std::vector<int>{MarkedAnimationTab, AnchorTab}));
}

#include "tests/support/failedAssertion.h"
#include "tests/support/glRecorder.h"
#include "tests/support/nodeTestSupport.h"
#include "tests/support/sceneTestSupport.h"
#include "views/schematic/src/scBasicConnections.h"
#include "views/schematic/src/scRoundedTab.h"
#include "views/schematic/src/scToggleIRTab.h"
#include "views/schematic/src/scToggleImageTab.h"

#include "platform/graph/piImageModifier.h"
#include "platform/ui/wsFontRegistry.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace Zv;
using namespace Zv::NodeTest;
using Zv::TestSupport::failedAssertion;
using namespace Zv::SceneTest;
using Pos = ScRoundedBox::EdgePos;
using S = ScRoundedBox::SubSectionType;

namespace {

// A 100 x 40 node (unless sized otherwise) with inputs on top, outputs below, the thumbnail strip on the
// upper right corner and the IR strip on the lower right one.
RCStrongPtr<ScCustomNode> makeNode(ScOrientation orientation, const RCStrongPtr<PiNode>& tool, float width = 100.0f,
                                   float height = 40.0f) {
    auto node = makeRC<ScCustomNode>(orientation, height, width, 8.0f);
    node->setInputSet(std::make_unique<ScRoundedConnectionSet>(Pos(S::Upper, 0.0f), Pos(S::Upper, 0.8f), nullptr));
    node->setOutputSet(std::make_unique<ScRoundedConnectionSet>(Pos(S::Lower, 0.2f), Pos(S::Lower, 1.0f), nullptr));
    node->setToggleImageTab(
        std::make_unique<ScToggleImageTab>(Pos(S::UpperRight, 0.1f), Pos(S::UpperRight, 0.9f), nullptr));
    node->setToggleIRTab(std::make_unique<ScToggleIRTab>(Pos(S::LowerRight, 0.1f), Pos(S::LowerRight, 0.9f), nullptr));
    node->setProcessingNode(tool);
    addSockets(*node, 3, 2);
    return node;
}

// Centres of the tab fills drawn in a colour, in drawing order.
std::vector<GePoint2f> tabFills(int colour) {
    std::vector<GePoint2f> centres;
    for (const auto& p : GlRecorder::getPrimitives()) {
        if (!(p.isRect || p.mode == GL_QUAD_STRIP) || colorId(p.vertices[0].color.r) != colour) continue;
        GePoint2f sum;
        for (const auto& v : p.vertices) sum += GeVector2f(v.x, v.y) / static_cast<float>(p.vertices.size());
        centres.push_back(sum);
    }
    return centres;
}

class CustomNode : public ::testing::Test {
protected:
    RCStrongPtr<PiGraph> _graph = PiGraph::create("Nodes");
    RCStrongPtr<PiNode> _tool = _graph->createNode("Blur", _graph->getRootGroup());
};

} // namespace

TEST_F(CustomNode, SocketIndicesReadLeftToRightOrTopToBottom) {
    auto down = makeNode(ScOrientation::Down, _tool);
    const ScConnectionSet& inputs = *down->getInputSet();
    const ScConnectionSet& outputs = *down->getOutputSet();
    EXPECT_EQ(down->getInputConnectionPoint(0, 0), inputs.getConnectionPoint(0));
    EXPECT_EQ(down->getOutputConnectionPoint(0, 0), outputs.getConnectionPoint(1)) << "outputs run right to left";
    EXPECT_LT(down->getOutputConnectionPoint(0, 0).x, down->getOutputConnectionPoint(1, 0).x);

    auto right = makeNode(ScOrientation::Right, _tool);
    EXPECT_EQ(right->getInputConnectionPoint(0, 0), right->getInputSet()->getConnectionPoint(2))
        << "input 0 takes the clockwise-last tab";
    EXPECT_EQ(right->getOutputConnectionPoint(0, 0), right->getOutputSet()->getConnectionPoint(0));
    // Mostly along the flow, a quarter along the tab's normal.
    EXPECT_NEAR(right->getOutputDirection(0).x, 0.75f, 1e-5f);
    EXPECT_NEAR(right->getOutputDirection(0).y, -0.25f, 1e-5f);

    EXPECT_EQ(failedAssertion([&] { right->getInputConnectionPoint(-1, 0); }), "index >= 0");
    EXPECT_EQ(failedAssertion([&] { right->getInputConnectionPoint(3, 0); }), "index < getNbInputs()");
    EXPECT_EQ(failedAssertion([&] { right->getOutputDirection(2); }), "index < getNbOutputs()");
}

// Sockets past what a one-tab set shows all attach to its tab, drawn and picked without reading past it.
TEST_F(CustomNode, SocketsPastAOneTabSetShareItsTab) {
    auto node = makeRC<ScCustomNode>(ScOrientation::Right, 40.0f, 100.0f, 8.0f);
    node->setInputSet(std::make_unique<ScSimpleConnectionSet>(Pos(S::Lower, 0.8f), Pos(S::Upper, 0.2f), nullptr));
    node->setOutputSet(
        std::make_unique<ScIconConnectionSet>(Pos(S::UpperRight, 0.5f), Pos(S::LowerRight, 0.5f), nullptr));
    addSockets(*node, 3, 2);
    const ScConnectionSet& inputs = *node->getInputSet();
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(node->getInputConnectionPoint(i, 0), inputs.getConnectionPoint(0));
        EXPECT_EQ(node->getInputDirection(i), node->getInputDirection(0));
    }
    EXPECT_EQ(node->getOutputConnectionPoint(1, 0), node->getOutputSet()->getConnectionPoint(0));
    node->getOutputs()[1].useCount = 1;
    ScDrawContext ctx = makeContext();
    EXPECT_NO_THROW(node->drawDecorations(ctx, 1.0f));
    EXPECT_NO_THROW(node->drawHighlight(ctx, 1.0f));
    const Hit input = pickAt(*node, inputs.getConnectionPoint(0) - inputs.getConnectionNormal(0) * 3.0f);
    EXPECT_TRUE(input.hit && input.part == ScPart::Input && input.index >= 0 && input.index < 3);
}

TEST_F(CustomNode, PicksInputOutputToggleImageIRThenBody) {
    auto node = makeNode(ScOrientation::Down, _tool);
    const ScRoundedBox& box = node->getBox();
    const ScConnectionSet& inputs = *node->getInputSet();
    const GePoint2f input0 = bandPoint(box, Pos(S::Upper, 0.0f), Pos(S::Upper, 0.25f));
    EXPECT_EQ(pickAt(*node, input0), (Hit{true, 0, ScPart::Input}));
    EXPECT_EQ(inputs.pick(input0, true), 0);
    EXPECT_EQ(pickAt(*node, bandPoint(box, Pos(S::Lower, 0.2f), Pos(S::Lower, 0.55f))), (Hit{true, 1, ScPart::Output}));
    // Toggle strips keep the index the caller passed.
    const GePoint2f toggle = bandPoint(box, Pos(S::UpperRight, 0.1f), Pos(S::UpperRight, 0.9f), 10.0f);
    EXPECT_EQ(pickAt(*node, toggle), (Hit{true, 55, ScPart::FirstStrip}));
    const GePoint2f ir = bandPoint(box, Pos(S::LowerRight, 0.1f), Pos(S::LowerRight, 0.9f), 10.0f);
    EXPECT_FALSE(pickAt(*node, ir).hit) << "the IR strip is not pickable while its flag is off";
    node->setIRToggleEnabled(true);
    EXPECT_EQ(pickAt(*node, ir), (Hit{true, 55, ScPart::SecondStrip}));
    EXPECT_EQ(pickAt(*node, {0, 0}), (Hit{true, -1, ScPart::Body}));
    EXPECT_FALSE(pickAt(*node, {0, 100}).hit);
}

TEST_F(CustomNode, NeighbouringBandsEndOneUnitApart) {
    auto node = makeRC<ScCustomNode>(ScOrientation::Down, 30.0f, 80.0f, 6.0f);
    // The input set runs into the toggle strip; the output set touches a generic tab at a section end.
    node->setInputSet(std::make_unique<ScRoundedConnectionSet>(Pos(S::Upper, 0.1f), Pos(S::Upper, 0.9f), nullptr));
    node->setToggleImageTab(std::make_unique<ScToggleImageTab>(Pos(S::Upper, 0.8f), Pos(S::UpperRight, 0.5f), nullptr));
    node->setOutputSet(std::make_unique<ScRoundedConnectionSet>(Pos(S::Lower, 0.1f), Pos(S::Lower, 1.0f), nullptr));
    node->addGenericTab(std::make_unique<ScRoundedTab>(Pos(S::LowerLeft, 0.0f), Pos(S::Left, 0.5f), nullptr), {});
    addSockets(*node, 2, 2);
    const ScRoundedBox grown = node->getBox().expanded(3.0f);
    const ScConnectionSet& in = *node->getInputSet();
    const ScBorderTab& toggle = *node->getToggleImageTab();
    EXPECT_NEAR(grown.getArcLength(in.getEndPosition(), toggle.getStartPos()), 1.0f, 1e-3f);
    // They meet halfway through the overlap.
    const float overlap = grown.getArcLength(Pos(S::Upper, 0.8f), Pos(S::Upper, 0.9f));
    EXPECT_NEAR(grown.getArcLength(Pos(S::Upper, 0.8f), toggle.getStartPos()), overlap / 2.0f + 0.5f, 1e-3f);
    const ScConnectionSet& out = *node->getOutputSet();
    const ScBorderTab& generic = node->getGenericTab(0);
    EXPECT_NEAR(grown.getArcLength(out.getEndPosition(), generic.getStartPos()), 1.0f, 1e-3f);
    // Bands far apart keep their places; the prototypes are untouched.
    EXPECT_EQ(in.getStartPosition(), Pos(S::Upper, 0.1f));
    EXPECT_EQ(generic.getEndPos(), Pos(S::Left, 0.5f));
}

TEST_F(CustomNode, UnderLabelSitsRightOfAndBelowTheBox) {
    const RCShdPtr<WsFont> font = WsFontRegistry::getFont();
    ASSERT_FALSE(font.isNull());
    auto node = makeNode(ScOrientation::Down, _tool);
    node->setName("Blur1");
    node->setContextPoint(2, true);
    EXPECT_EQ(node->getContextPointPrefix(), "(C3) ");
    node->setPosition({200, 100});
    const GeRectanglef box = node->getBox().getRect();
    ScDrawContext ctx(nullptr, font, RCShdPtr<WsFont>(), 1.0f, distinctColors(), 1.0f);
    GeRectanglef bounds;
    node->getBounds(bounds, ctx);
    EXPECT_FLOAT_EQ(bounds.xMax, box.xMax + 7.0f + 150.0f);
    EXPECT_FLOAT_EQ(bounds.yMin, box.yMin - 6.0f);
    GlRecorder::reset();
    node->drawName(ctx);
    const auto quads = GlRecorder::getPrimitives(GL_QUADS);
    ASSERT_FALSE(quads.empty());
    float xMin = 1e9f, yMin = 1e9f;
    for (const auto& quad : quads)
        for (const auto& v : quad.vertices) {
            xMin = std::min(xMin, v.x);
            yMin = std::min(yMin, v.y);
        }
    EXPECT_GE(xMin, box.xMax + 7.0f);
    EXPECT_LT(yMin, box.yMin);

    node->setNameAlignment(ScCustomNode::CENTER);
    node->getBounds(bounds, ctx);
    GeRectanglef boxBounds;
    node->getBoxBounds(boxBounds);
    EXPECT_EQ(bounds, boxBounds);
}

TEST_F(CustomNode, ContextPointsAreCountedOnceAndRangeChecked) {
    auto node = makeNode(ScOrientation::Down, _tool);
    node->setContextPoint(0, true);
    node->setContextPoint(0, true);
    node->setContextPoint(3, true);
    EXPECT_EQ(node->getContextPointCount(), 2);
    EXPECT_EQ(node->getContextPointPrefix(), "(C14) ");
    node->setContextPoint(0, false);
    EXPECT_EQ(node->getContextPointCount(), 1);
    EXPECT_EQ(failedAssertion([&] { node->setContextPoint(4, true); }),
              "contextPointTag >= 0 && contextPointTag < UiCompositionClient::getNbContextPoints()");
}

TEST_F(CustomNode, DrawsBodyTabsOutlineAndHighlight) {
    auto node = makeNode(ScOrientation::Down, _tool);
    node->setColorKind(ScCustomNode::GROUP);
    node->getInputs()[1].useCount = 1;
    ScDrawContext ctx = makeContext();
    GlRecorder::reset();
    node->draw(ctx);
    const auto polygons = GlRecorder::getPrimitives(GL_POLYGON);
    ASSERT_EQ(polygons.size(), 1u) << "the body, before anything else";
    EXPECT_NEAR(polygons[0].vertices[0].color.g, 0.518f, 0.07f);
    const auto strips = GlRecorder::getPrimitives(GL_LINE_STRIP);
    ASSERT_FALSE(strips.empty());
    EXPECT_EQ(colorId(strips.back().vertices.front().color.r), Unselected) << "the outline comes last";
    EXPECT_TRUE(GlRecorder::getPrimitives(GL_QUAD_STRIP).size() > 0);

    node->setHighlighted(true);
    node->setSelected(true);
    GlRecorder::reset();
    node->draw(ctx);
    const auto highlighted = GlRecorder::getPrimitives(GL_POLYGON);
    ASSERT_EQ(highlighted.size(), 2u);
    EXPECT_NEAR(highlighted[1].vertices[0].color.g, 0.314f, 0.05f) << "the highlight pass greys the body";
    bool tabsHighlit = false;
    for (const auto& strip : GlRecorder::getPrimitives(GL_LINE_STRIP))
        tabsHighlit = tabsHighlit || colorId(strip.vertices.front().color.r) == TabsHighlit;
    EXPECT_TRUE(tabsHighlit);
    EXPECT_EQ(colorId(GlRecorder::getPrimitives(GL_LINE_STRIP).back().vertices.front().color.r), Selected);
}

TEST_F(CustomNode, BodyTakesTheUserColourLighterAtTheTopAndHighlightsBandTheOutline) {
    auto node = makeNode(ScOrientation::Down, _tool);
    node->setColor(true, {0.8f, 0.4f, 0.2f});
    ScDrawContext ctx = makeContext();
    GlRecorder::reset();
    node->draw(ctx);
    const auto body = GlRecorder::getPrimitives(GL_POLYGON).at(0).vertices;
    const auto top = std::max_element(body.begin(), body.end(), [](auto& a, auto& b) { return a.y < b.y; });
    const auto bottom = std::min_element(body.begin(), body.end(), [](auto& a, auto& b) { return a.y < b.y; });
    EXPECT_NEAR(top->color.r / top->color.g, 2.0f, 1e-4f) << "the user's colour";
    EXPECT_GT(top->color.r, 0.8f);
    EXPECT_LT(bottom->color.r, 0.8f);
    EXPECT_TRUE(tabFills(Unselected).empty());
    node->setHighlighted(true);
    GlRecorder::reset();
    node->draw(ctx);
    EXPECT_EQ(tabFills(Unselected).size(), 1u) << "a band along the outline";
}

// Records are numbered left to right, while the sets run clockwise: on a node flowing right, input 0
// is the set's last tab.
TEST_F(CustomNode, SocketRecordsHighlightAndMarkTheirOwnTabs) {
    auto node = makeNode(ScOrientation::Right, _tool);
    node->getInputs()[0].useCount = 1;
    node->setSocketFlag(ScPart::Output, 1, true);
    ScDrawContext ctx = makeContext();
    GlRecorder::reset();
    node->drawDecorations(ctx, 1.0f);
    const auto nearest = [&](GePoint2f p, const std::vector<GePoint2f>& fills) {
        EXPECT_EQ(fills.size(), 1u);
        return !fills.empty() && p.distance(fills[0]) < 8.0f;
    };
    EXPECT_TRUE(nearest(node->getInputConnectionPoint(0, 0), tabFills(TabsHighlit)));
    EXPECT_TRUE(nearest(node->getOutputConnectionPoint(1, 0), tabFills(TabsOutline))) << "the mark";
}

TEST_F(CustomNode, HoverWidensInsertModeShowsOnlyTheArrowAndTheNameShowsContextPoints) {
    auto node = makeNode(ScOrientation::Down, _tool);
    ScDrawContext ctx(nullptr, WsFontRegistry::getFont(), {}, 1.0f, distinctColors(), 1.0f);
    const ScRoundedBox& box = node->getBox();
    pickAt(*node, bandPoint(box, Pos(S::Upper, 0.0f), Pos(S::Upper, 0.25f)), true);
    node->drawDecorations(ctx, 1.0f);
    EXPECT_FLOAT_EQ(node->getInputSet()->getBorderWidth(), 15.0f);
    EXPECT_FLOAT_EQ(node->getToggleImageTab()->getBorderWidth(), 6.0f);
    pickAt(*node, bandPoint(box, Pos(S::UpperRight, 0.1f), Pos(S::UpperRight, 0.9f), 10.0f), true);
    node->drawDecorations(ctx, 1.0f);
    EXPECT_FLOAT_EQ(node->getInputSet()->getBorderWidth(), 6.0f);
    EXPECT_FLOAT_EQ(node->getToggleImageTab()->getBorderWidth(), 15.0f);

    const auto glyphs = [&] {
        GlRecorder::reset();
        node->draw(ctx);
        const auto quads = GlRecorder::getPrimitives(GL_QUADS);
        EXPECT_EQ(colorId(quads.back().vertices[0].color.r), MenuText);
        return quads.back().vertices.size() / 4;
    };
    node->setName("Blur");
    const size_t plain = glyphs();
    node->setContextPoint(1, true);
    EXPECT_EQ(glyphs(), plain + 4) << "(C2) before the name";

    const size_t tabs = tabFills(Tabs).size();
    node->setInsertMode(true);
    GlRecorder::reset();
    node->drawDecorations(ctx, 1.0f);
    EXPECT_EQ(GlRecorder::getPrimitives(GL_TRIANGLES).size(), 1u);
    EXPECT_EQ(tabFills(Tabs).size(), tabs - 3) << "no input tabs";
}

TEST_F(CustomNode, ThumbnailSitsBesideTheBoxOrBelowItWhenTheFlowRunsRight) {
    auto down = makeNode(ScOrientation::Down, _tool), right = makeNode(ScOrientation::Right, _tool);
    ScDrawContext ctx = makeContext();
    for (const auto& node : {down, right}) {
        node->setIcon(IxTile(IxImage(128, 96)));
        node->setThumbnailShown(true);
    }
    const GeRectanglef downThumb = down->getThumbnailRect(), rightThumb = right->getThumbnailRect();
    EXPECT_GT(downThumb.xMin, down->getBox().getRect().xMax);
    EXPECT_FLOAT_EQ(downThumb.getWidth(), 64.0f);
    EXPECT_LT(rightThumb.yMax, right->getBox().getRect().yMin);
    GeRectanglef bounds;
    down->getBounds(bounds, ctx);
    EXPECT_GE(bounds.xMax, downThumb.xMax);
    GlRecorder::reset();
    down->drawDecorations(ctx, 1.0f);
    const auto textured = GlRecorder::getPrimitives(GL_POLYGON).back();
    EXPECT_FLOAT_EQ(textured.vertices[0].x, downThumb.xMin);
    down->clearIcon();
    down->getBounds(bounds, ctx);
    EXPECT_LT(bounds.xMax, downThumb.xMin) << "no picture, no room taken";
}

// Nodes of one look and socket counts share one laid-out shape: each still measures, connects and
// draws as itself, and measures exactly the same wherever it stands.
TEST_F(CustomNode, NodesSharingAShapeMeasureConnectAndDrawAsThemselves) {
    // Sizes and places whose sums round in float.
    auto first = makeNode(ScOrientation::Right, _tool, 137.379f, 41.828f);
    auto mutedTool = _graph->createNode("Blur", _graph->getRootGroup());
    PiImageModifier::setMuted(mutedTool, true);
    auto second = first->clone();
    second->setProcessingNode(mutedTool);
    EXPECT_EQ(&first->getPlacedShape(), &second->getPlacedShape());

    const GeVector2f offset(-22820.367f, 6090.125f);
    GeVector2f atOrigin, far;
    first->getSize(atOrigin);
    second->setPosition(GePoint2f() + offset);
    second->getSize(far);
    EXPECT_EQ(atOrigin.x, far.x);
    EXPECT_EQ(atOrigin.y, far.y);
    for (int i = 0; i < 3; ++i) {
        const GeVector2f moved = second->getInputConnectionPoint(i, 0) - first->getInputConnectionPoint(i, 0);
        EXPECT_NEAR(moved.x, offset.x, 1e-3f);
        EXPECT_NEAR(moved.y, offset.y, 1e-3f);
    }

    // A used socket and a muted tool show on their own node only.
    first->getInputs()[0].useCount = 1;
    ScDrawContext ctx = makeContext();
    const auto draw = [&](ScCustomNode& node) {
        GlRecorder::reset();
        node.drawDecorations(ctx, 1.0f);
    };
    draw(*first);
    EXPECT_EQ(tabFills(TabsHighlit).size(), 1u);
    EXPECT_TRUE(tabFills(IREnabled).empty());
    draw(*second);
    EXPECT_TRUE(tabFills(TabsHighlit).empty());
    EXPECT_FALSE(tabFills(IREnabled).empty());
    draw(*first);
    EXPECT_TRUE(tabFills(IREnabled).empty());
}

#include "tests/support/glRecorder.h"
#include "tests/support/sceneTestSupport.h"
#include "tests/support/stubNode.h"
#include "views/schematic/src/scEdge.h"

#include "platform/graph/piGraph.h"
#include "platform/graph/piImageFileInfo.h"
#include "platform/ui/ixTiffFile.h"

#include <gtest/gtest.h>

using namespace Zv;
using namespace Zv::SceneTest;

namespace {

RCStrongPtr<ScEdge> link(GePoint2f from, GeVector2f out, GePoint2f to, GeVector2f in) {
    return makeRC<ScEdge>(makeRC<StubNode>(from, out), 0, 0, makeRC<StubNode>(to, in), 0, 0, 7);
}

std::vector<GePoint2f> polyline(const ScEdge& edge, ScLinkStyle style) {
    ScEdge::Polyline line;
    edge.getPolyline(line, style);
    return {line.points.begin(), line.points.begin() + line.count};
}

} // namespace

TEST(Edges, AngularLinksTurnHalfwayOrStepAroundWhenTheEndsOverlap) {
    auto facing = link({0, 0}, {1, 0}, {100, 40}, {-1, 0});
    EXPECT_EQ(polyline(*facing, ScLinkStyle::Angular), (std::vector<GePoint2f>{{0, 0}, {50, 0}, {50, 40}, {100, 40}}));
    auto overlapping = link({0, 0}, {1, 0}, {10, 40}, {-1, 0});
    EXPECT_EQ(polyline(*overlapping, ScLinkStyle::Angular),
              (std::vector<GePoint2f>{{0, 0}, {10, 0}, {10, 20}, {0, 20}, {0, 40}, {10, 40}}));
    // Perpendicular ends meet in one corner; a zero direction counts as up.
    auto corner = link({0, 0}, {0.2f, -0.9f}, {60, -80}, {-1, 0.1f});
    EXPECT_EQ(polyline(*corner, ScLinkStyle::Angular), (std::vector<GePoint2f>{{0, 0}, {60, 0}, {60, -80}}));
    auto zero = link({0, 0}, {0, 0}, {30, 50}, {0, -1});
    EXPECT_EQ(polyline(*zero, ScLinkStyle::Angular).size(), 4u);
    EXPECT_EQ(polyline(*facing, ScLinkStyle::Straight), (std::vector<GePoint2f>{{0, 0}, {100, 40}}));
}

TEST(Edges, CurvesUseFortyPointsAndShortHandlesAreRaisedTo13) {
    auto close = link({0, 0}, {1, 0}, {20, 0}, {-1, 0});
    const auto points = polyline(*close, ScLinkStyle::Curved);
    ASSERT_EQ(points.size(), 40u);
    EXPECT_EQ(points.front(), GePoint2f(0, 0));
    EXPECT_NEAR(points.back().x, 20.0f, 1e-3f);
    // Handles at 13 (not 6) overshoot: the curve runs past the midpoint's straight-line pace early on.
    EXPECT_NEAR(points[1].x, 3.0f * 13.0f / 39.0f, 0.05f);
    GeRectanglef bounds;
    close->getBounds(bounds, ScLinkStyle::Curved);
    EXPECT_EQ(bounds, GeRectanglef(-6, 26, -6, 6));
    auto far = link({0, 0}, {0, -1}, {0, -200}, {0, 1});
    far->getBounds(bounds, ScLinkStyle::Curved);
    EXPECT_EQ(bounds, GeRectanglef(-6, 6, -200, 0))
        << "handles of 60 stay inside the span; only P0 - 6 and P1 + 6 are added";
    far->getBounds(bounds, ScLinkStyle::Angular);
    EXPECT_EQ(bounds, GeRectanglef(-6, 6, -200, 0));
}

TEST(Edges, PickReachesSixUnits) {
    auto straight = link({0, 0}, {1, 0}, {100, 0}, {-1, 0});
    EXPECT_TRUE(straight->pick({50, 5.9f}, ScLinkStyle::Straight));
    EXPECT_FALSE(straight->pick({50, 6.1f}, ScLinkStyle::Straight));
    EXPECT_TRUE(straight->pick({-5.9f, 0}, ScLinkStyle::Straight));
    EXPECT_FALSE(straight->pick({106.1f, 0}, ScLinkStyle::Straight));
    auto angular = link({0, 0}, {1, 0}, {100, 40}, {-1, 0});
    EXPECT_TRUE(angular->pick({55.9f, 20}, ScLinkStyle::Angular));
    EXPECT_FALSE(angular->pick({56.1f, 20}, ScLinkStyle::Angular));
    EXPECT_FALSE(angular->pick({50, 20}, ScLinkStyle::Straight) && angular->pick({75, 10}, ScLinkStyle::Angular));
    auto curved = link({0, 0}, {0, -1}, {100, -100}, {0, 1});
    EXPECT_TRUE(curved->pick({50, -50}, ScLinkStyle::Curved)) << "the S-curve passes its centre";
    EXPECT_FALSE(curved->pick({90, -10}, ScLinkStyle::Curved));
}

TEST(Edges, DrawColoursBySelectionAndLeavesStateClean) {
    ScDrawContext ctx = makeContext();
    auto edge = link({0, 0}, {1, 0}, {100, 40}, {-1, 0});
    GlRecorder::reset();
    edge->draw(ctx, ScLinkStyle::Angular);
    auto strips = GlRecorder::getPrimitives(GL_LINE_STRIP);
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_EQ(strips[0].vertices.size(), 4u);
    EXPECT_EQ(colorId(strips[0].vertices[0].color.r), EdgeRGBA);
    EXPECT_FLOAT_EQ(strips[0].vertices[0].color.a, 1.0f);
    EXPECT_FALSE(strips[0].state.isEnabled(GL_LINE_STIPPLE));
    EXPECT_TRUE(strips[0].state.isEnabled(GL_LINE_SMOOTH));
    EXPECT_EQ(GlRecorder::getCallCount("glFlush"), 1);

    edge->setSelected(true);
    edge->setHighlighted(true);
    GlRecorder::reset();
    edge->draw(ctx, ScLinkStyle::Curved);
    ASSERT_EQ(GlRecorder::getPrimitives(GL_QUAD_STRIP).size(), 1u);
    EXPECT_EQ(GlRecorder::getPrimitives(GL_QUAD_STRIP)[0].vertices.size(), 80u);
    strips = GlRecorder::getPrimitives(GL_LINE_STRIP);
    ASSERT_EQ(strips.size(), 1u);
    EXPECT_EQ(colorId(strips[0].vertices[0].color.r), Selected);

    edge->setHidden(true);
    GlRecorder::reset();
    edge->draw(ctx, ScLinkStyle::Curved);
    EXPECT_TRUE(GlRecorder::getCalls().empty()) << "a hidden edge touches no GL state";
}

TEST(Edges, AlphaLinksAreDashedAndRGBALinksSolid) {
    auto graph = PiGraph::create("Edges");
    auto keyer = graph->createNode("Keyer", graph->getRootGroup());
    auto source = makeRC<StubNode>(GePoint2f(0, 0), GeVector2f(1, 0));
    source->setProcessingNode(keyer);
    EXPECT_EQ(source->getOutputChannelKind(0), 1);
    EXPECT_EQ(source->getOutputChannelKind(1), 0) << "out of range reads as RGBA";
    auto edge = makeRC<ScEdge>(source, 0, 0, makeRC<StubNode>(GePoint2f(100, 0), GeVector2f(-1, 0)), 0, 0, 1);
    ScDrawContext ctx = makeContext();
    const auto drawnLine = [&] {
        GlRecorder::reset();
        edge->draw(ctx, ScLinkStyle::Straight);
        return GlRecorder::getPrimitives(GL_LINE_STRIP).at(0);
    };
    auto line = drawnLine();
    EXPECT_EQ(colorId(line.vertices[0].color.r), EdgeA);
    EXPECT_TRUE(line.state.isEnabled(GL_LINE_STIPPLE));

    auto rgb = makeRC<StubNode>(GePoint2f(0, 0), GeVector2f(1, 0));
    auto ramp = graph->createNode("Ramp", graph->getRootGroup());
    rgb->setProcessingNode(ramp);
    EXPECT_EQ(rgb->getOutputChannelKind(0), 4);
    edge = makeRC<ScEdge>(rgb, 0, 0, makeRC<StubNode>(GePoint2f(100, 0), GeVector2f(-1, 0)), 0, 0, 1);
    line = drawnLine();
    EXPECT_EQ(colorId(line.vertices[0].color.r), EdgeRGBA);
    EXPECT_FALSE(line.state.isEnabled(GL_LINE_STIPPLE));

    // A reader of an opaque picture gives RGB: dashed in its own colour.
    const std::string file = testing::TempDir() + "opaquePlate.tif";
    IxImage opaque(4, 4);
    for (size_t i = 3; i < opaque.pixels.size(); i += 4) opaque.pixels[i] = 255;
    IxTiffFile::write(file, opaque);
    auto reader = graph->createNode("Read", graph->getRootGroup());
    graph->setText(reader, PiImageFileInfo::kFileKey, LiString(file));
    auto plate = makeRC<StubNode>(GePoint2f(0, 0), GeVector2f(1, 0));
    plate->setProcessingNode(reader);
    EXPECT_EQ(plate->getOutputChannelKind(0), 3);
    edge = makeRC<ScEdge>(plate, 0, 0, makeRC<StubNode>(GePoint2f(100, 0), GeVector2f(-1, 0)), 0, 0, 1);
    line = drawnLine();
    EXPECT_EQ(colorId(line.vertices[0].color.r), EdgeRGB);
    EXPECT_TRUE(line.state.isEnabled(GL_LINE_STIPPLE));
    EXPECT_EQ(line.state.stipplePattern, 0xAAAA);
    EXPECT_EQ(line.state.stippleFactor, 2);
}

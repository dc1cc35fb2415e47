#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scGraphInterface.h"
#include "views/schematic/src/scSocketMenu.h"

#include "platform/ui/wsFont.h"
#include "platform/ui/wsFontRegistry.h"
#include "tests/schematic/nodeTestSupport.h"
#include "tests/support/glRecorder.h"

#include <gtest/gtest.h>

using namespace Zv;

namespace {

// Counts highlight switches; one input and one output socket.
class CountingNode : public ScNode {
public:
    CountingNode() : ScNode(1) {
        SocketRecord in{0, false, "Front", -1}, out{0, false, "Result", -1};
        addInput(in);
        addOutput(out);
    }
    void setHighlighted(bool on) override {
        ++switches;
        ScNode::setHighlighted(on);
    }
    void getSize(GeVector2<float>& out) const override { out = {100.0f, 20.0f}; }
    void drawDecorations(ScDrawContext&, float) override {}
    void drawHighlight(ScDrawContext&, float) override {}
    bool pickSocket(const GePoint2<float>&, bool, int&, int&) override { return false; }
    GePoint2<float> getInputConnectionPoint(int, int) const override { return getPosition(); }
    GePoint2<float> getOutputConnectionPoint(int, int) const override { return getPosition(); }
    int switches = 0;
};

class SceneGraphTest : public testing::Test, public ScGraphInterface {
protected:
    RCStrongPtr<ScNode> findNode(const PiNode&) override { return {}; }
    void storeNodePosition(PiNode&, const GePoint2<float>&) override {}
    GePoint2<float> getNodePosition(const PiNode&) override { return {}; }
    bool isPlaceable(const ScNode&) override { return true; }

    RCStrongPtr<ScGraph> _graph{new ScGraph(this)};
};

} // namespace

TEST_F(SceneGraphTest, HighlightSwitchesOnlyWhenTheRecordChangesAndPrefersTheNode) {
    RCStrongPtr<CountingNode> node(new CountingNode());
    RCStrongPtr<CountingNode> other(new CountingNode());
    RCShdPtr<ScEdge> edge(new ScEdge(other, 0, 0, node, 0, 0, 0));
    ScGraph::Highlight record{node, 0, 0, edge, {}};

    _graph->setHighlight(record);
    _graph->setHighlight(record);
    EXPECT_EQ(node->switches, 1) << "the same record twice switches nothing";
    EXPECT_TRUE(node->isHighlighted());
    EXPECT_TRUE(node->getInputs()[0].isHighlighted());
    EXPECT_FALSE(edge->isHighlighted()) << "a record with node and edge highlights the node only";

    _graph->setHighlight({{}, -1, 0, edge, {}});
    EXPECT_FALSE(node->isHighlighted());
    EXPECT_FALSE(node->getInputs()[0].isHighlighted());
    EXPECT_TRUE(edge->isHighlighted());

    for (int index : {-2, 1})
        EXPECT_EQ(NodeTest::failedAssertion([&] { ScGraph(this).setHighlight({node, index, 0, {}, {}}); }),
                  "index < _inputs.size()");
    EXPECT_EQ(NodeTest::failedAssertion([&] { ScGraph(this).setHighlight({node, -5, 1, {}, {}}); }),
              "index < _outputs.size()");
}

TEST_F(SceneGraphTest, DetailsFlagsAndEmptyDraw) {
    EXPECT_TRUE(_graph->setDetails(ScGraph::DetailsOneNode, true));
    EXPECT_FALSE(_graph->setDetails(ScGraph::DetailsOneNode, true));
    EXPECT_TRUE(_graph->isShowingDetails());
    _graph->toggleDetails(ScGraph::DetailsOneNode);
    EXPECT_FALSE(_graph->isShowingDetails());

    GlRecorder::reset();
    ScDrawContext ctx({}, {}, {}, 1.0f, ScColorTable(NbColorIds), 1.0f);
    EXPECT_EQ(_graph->draw(ctx, GeRectangle<float>(-100, 100, -100, 100), ScEdge::Curved, true), 3);
    EXPECT_EQ(_graph->draw(ctx, GeRectangle<float>(-100, 100, -100, 100), ScEdge::Curved, false), 0);
    EXPECT_TRUE(GlRecorder::getPrimitives().empty());
}

TEST_F(SceneGraphTest, LabelsUnderThePointerNeedTheOptionAndNoOpenMenu) {
    RCStrongPtr<CountingNode> node(new CountingNode());
    _graph->getNodes().insert(node);
    _graph->setHighlight({node, 0, 0, {}, {}});
    ScDrawContext ctx({}, WsFontRegistry::getFont(), WsFontRegistry::getFont(), 1.0f, ScColorTable(NbColorIds), 1.0f);
    GeRectangle<float> visible(-500, 500, -500, 500);
    EXPECT_EQ(_graph->draw(ctx, visible, ScEdge::Straight, true), 2);
    _graph->setShowLabelsUnderPointer(true);
    EXPECT_EQ(_graph->draw(ctx, visible, ScEdge::Straight, true), 1);
    _graph->setHighlight({node, -1, 4, {}, {}});
    EXPECT_EQ(_graph->draw(ctx, visible, ScEdge::Straight, true), 3) << "no tab under the pointer, no label";
}

TEST(ScSocketMenu, RowsFollowThePointerAndClosingRestoresTheNode) {
    RCShdPtr<WsFont> font = WsFontRegistry::getFont();
    ASSERT_FALSE(font.isNull());
    const float row = font->getAscent() + font->getDescent();
    RCStrongPtr<CountingNode> node(new CountingNode());
    std::vector<ScNode::SocketRecord> entries{{0, false, "Front", 0}, {0, false, "Back", 2}, {0, false, "Mask", 1}};
    ScContext ctx(font, 2.0f);
    {
        RCShdPtr<ScSocketMenu> menu(new ScSocketMenu(node, 0, 1, entries, {10.0f, 20.0f}, ctx));
        EXPECT_TRUE(node->isHighlighted());
        GeRectangle<float> bounds = menu->getBounds(2.0f);
        EXPECT_FLOAT_EQ(bounds.xMin, 10.0f - 5.0f / 2.0f) << "input menus start 5 menu units left of the tab";
        EXPECT_FLOAT_EQ(bounds.yMax - bounds.yMin, 4 * row / 2.0f);

        ASSERT_TRUE(menu->update({10.0f, 20.0f}));
        EXPECT_EQ(menu->getCurrentSocket(), 2) << "row 1 under the pointer; its socket index is 2";
        ASSERT_TRUE(menu->update({10.0f, bounds.yMax - 0.25f * row / 2.0f}));
        EXPECT_EQ(menu->getCurrentSocket(), 0) << "the title row yields the first entry";
        EXPECT_FALSE(menu->update({-100.0f, 20.0f}));
        EXPECT_EQ(menu->getCurrentSocket(), 0) << "leaving keeps the current row";
        EXPECT_THROW(ScSocketMenu(node, 1, -1, {}, {0.0f, 0.0f}, ctx), ExAssertionFailed);
    }
    EXPECT_FALSE(node->isHighlighted());
}

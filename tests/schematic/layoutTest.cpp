#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scGraphInterface.h"

#include "platform/graph/piSchematicInterfaceEx.h"

#include <gtest/gtest.h>

#include <set>

using namespace Zv;

namespace {

// A node of fixed size whose input tabs sit along its left side (orientation 1), top to bottom.
class BoxNode : public ScNode {
public:
    BoxNode(int orientation, float width, float height) : ScNode(orientation), _size(width, height) {}
    void getSize(GeVector2<float>& out) const override { out = _size; }
    void drawDecorations(ScDrawContext&, float) override {}
    void drawHighlight(ScDrawContext&, float) override {}
    bool pickSocket(const GePoint2<float>&, bool, int&, int&) override { return false; }
    GePoint2<float> getInputConnectionPoint(int index, int) const override {
        return getOrientation() == 1 ? getPosition() + GeVector2<float>(0.0f, -10.0f * index)
                                     : getPosition() + GeVector2<float>(10.0f * index, 0.0f);
    }
    GePoint2<float> getOutputConnectionPoint(int, int) const override { return getPosition(); }

private:
    GeVector2<float> _size;
};

class LayoutTest : public testing::Test, public ScGraphInterface {
protected:
    LayoutTest() : _graph(new ScGraph(this)) {}

    RCStrongPtr<ScNode> add(float width = 100.0f, float height = 20.0f) {
        RCStrongPtr<ScNode> node(new BoxNode(_graph->getOrientation(), width, height));
        _graph->getNodes().insert(node);
        return node;
    }
    void link(const RCStrongPtr<ScNode>& producer, const RCStrongPtr<ScNode>& consumer, int input) {
        _graph->getEdges().insert(RCShdPtr<ScEdge>(new ScEdge(producer, 0, 0, consumer, input, 0, 0)));
    }
    float depthStep() const {
        return PiSchematicInterfaceEx::getPlacementDepth() +
               (_graph->getOrientation() == 1 ? PiSchematicInterfaceEx::getNodeDepthX()
                                              : PiSchematicInterfaceEx::getNodeDepthY());
    }
    float gap() const { return PiSchematicInterfaceEx::getPlacementBreadth(); }

    RCStrongPtr<ScNode> findNode(const PiNode&) override { return {}; }
    void storeNodePosition(PiNode&, const GePoint2<float>&) override {}
    GePoint2<float> getNodePosition(const PiNode&) override { return {}; }
    bool isPlaceable(const ScNode& node) override { return _fixed.count(&node) == 0; }

    RCStrongPtr<ScGraph> _graph;
    std::set<const ScNode*> _fixed;
};

void expectAt(const RCStrongPtr<ScNode>& node, float x, float y) {
    EXPECT_NEAR(node->getPosition().x, x, 1e-3f);
    EXPECT_NEAR(node->getPosition().y, y, 1e-3f);
}

} // namespace

TEST_F(LayoutTest, TopLevelTreesHangUnderAVirtualRootCentredOnTheOrigin) {
    auto first = add();
    auto second = add();
    _graph->layout(ScGraph::LayoutAll);
    float band = gap() + 20.0f;
    // One depth step left of the origin, the last tree lowest.
    expectAt(first, -depthStep(), band / 2);
    expectAt(second, -depthStep(), -band / 2);
    EXPECT_EQ(first->getLayoutIndex(), 1);
    EXPECT_EQ(second->getLayoutIndex(), 2);
}

TEST_F(LayoutTest, FirstEdgeDecidesTheParentAndSubtreesCentreOnTheirConsumer) {
    auto consumerA = add();
    auto consumerB = add();
    auto shared = add();
    auto other = add();
    link(shared, consumerA, 0); // decides
    link(other, consumerA, 1);
    link(shared, consumerB, 0); // ignored
    _graph->layout(ScGraph::LayoutAll);

    const float step = depthStep();
    EXPECT_NEAR(shared->getPosition().x, consumerA->getPosition().x - step, 1e-3f);
    EXPECT_NEAR(other->getPosition().x, consumerA->getPosition().x - step, 1e-3f);
    EXPECT_NEAR((shared->getPosition().y + other->getPosition().y) / 2, consumerA->getPosition().y, 1e-3f);
    EXPECT_LT(other->getPosition().y, shared->getPosition().y) << "the last child stands lowest";
    // consumerB has no children left: its band is one node wide and it stays at the first depth.
    EXPECT_NEAR(consumerB->getPosition().x, -step, 1e-3f);
    float bandA = 2 * (gap() + 20.0f), bandB = gap() + 20.0f;
    EXPECT_NEAR(consumerA->getPosition().y - consumerB->getPosition().y, (bandA + bandB) / 2, 1e-3f);
}

TEST_F(LayoutTest, VerticalOrientationsSpreadInputsAlongX) {
    for (int orientation : {0, 2}) {
        _graph->clear();
        _graph->setOrientation(orientation);
        auto consumer = add();
        auto left = add();
        auto right = add();
        link(left, consumer, 0);
        link(right, consumer, 1);
        _graph->layout(ScGraph::LayoutAll);
        float dy = orientation == 0 ? depthStep() : -depthStep();
        EXPECT_NEAR(left->getPosition().y - consumer->getPosition().y, dy, 1e-3f);
        EXPECT_LT(left->getPosition().x, right->getPosition().x) << "last child rightmost";
        EXPECT_NEAR(right->getPosition().x - left->getPosition().x, gap() + 100.0f, 1e-3f);
    }
}

TEST_F(LayoutTest, SelectedLayoutMovesOnlySelectedNodesAndKeepsTheirCentre) {
    auto consumer = add();
    auto input0 = add();
    auto input1 = add();
    link(input0, consumer, 0);
    link(input1, consumer, 1);
    consumer->setPosition({500.0f, 500.0f});
    input0->setPosition({10.0f, 10.0f});
    input1->setPosition({30.0f, 70.0f});
    input0->setSelected(true);
    input1->setSelected(true);
    _graph->layout(ScGraph::LayoutSelected);

    expectAt(consumer, 500.0f, 500.0f);
    EXPECT_NEAR((input0->getPosition().x + input1->getPosition().x) / 2, 20.0f, 1e-3f);
    EXPECT_NEAR((input0->getPosition().y + input1->getPosition().y) / 2, 40.0f, 1e-3f);
    EXPECT_NEAR(input0->getPosition().y - input1->getPosition().y, gap() + 20.0f, 1e-3f);
}

TEST_F(LayoutTest, NonPlaceableNodesStayButTheirSubtreeIsStillLaidOut) {
    auto consumer = add();
    auto input = add();
    link(input, consumer, 0);
    consumer->setPosition({400.0f, 300.0f});
    _fixed.insert(consumer.get());
    _graph->layout(ScGraph::LayoutAll);
    expectAt(consumer, 400.0f, 300.0f);
    expectAt(input, -2 * depthStep(), 0.0f);
}

TEST_F(LayoutTest, UnplacedInputOfAPlacedConsumerLandsOneStepAwayAndSlidesPastSiblings) {
    auto consumer = add();
    auto sibling = add();
    auto fresh = add();
    link(sibling, consumer, 1);
    link(fresh, consumer, 0);
    consumer->setPosition({0.0f, 0.0f});
    consumer->setPlaced(true);
    sibling->setPosition({-depthStep(), 0.0f});
    sibling->setPlaced(true);
    _graph->layout(ScGraph::LayoutUnplaced);

    EXPECT_TRUE(fresh->isPlaced());
    EXPECT_NEAR(fresh->getPosition().x, -depthStep(), 1e-3f);
    // Input 0's tab lies above input 1's, so the new node slides up, clear of the sibling.
    EXPECT_GE(fresh->getPosition().y, 20.0f * 0.5f + 20.0f * 0.5f + 10.0f);
    expectAt(sibling, -depthStep(), 0.0f);
    expectAt(consumer, 0.0f, 0.0f);
}

TEST_F(LayoutTest, ChainOfNewNodesPlacesEachConsumerBeforeItsInputs) {
    // Created consumer first, so the walk from the last record meets the inputs first.
    auto top = add();
    auto middle = add();
    auto leaf = add();
    link(leaf, middle, 0);
    link(middle, top, 0);
    _graph->layout(ScGraph::LayoutUnplaced);
    const float step = depthStep();
    expectAt(top, -step, 0.0f);
    expectAt(middle, -2 * step, 0.0f);
    expectAt(leaf, -3 * step, 0.0f);
}

TEST_F(LayoutTest, NothingToDoLeavesEverythingAlone) {
    _graph->layout(ScGraph::LayoutAll); // empty graph
    auto a = add();
    auto b = add();
    link(b, a, 0);
    a->setPosition({3.0f, 4.0f});
    b->setPosition({-7.0f, 8.0f});
    a->setPlaced(true);
    b->setPlaced(true);
    _graph->layout(ScGraph::LayoutUnplaced);
    expectAt(a, 3.0f, 4.0f);
    expectAt(b, -7.0f, 8.0f);
}

TEST_F(LayoutTest, MillionNodeChainLaysOutWithoutDeepRecursion) {
    const int n = 1000000;
    RCStrongPtr<ScNode> previous = add();
    for (int i = 1; i < n; ++i) {
        RCStrongPtr<ScNode> next = add();
        link(next, previous, 0);
        previous = next;
    }
    _graph->layout(ScGraph::LayoutAll);
    EXPECT_LT(previous->getPosition().x, -0.99f * n * depthStep());
    EXPECT_NEAR(previous->getPosition().y, 0.0f, 1e-3f);
}

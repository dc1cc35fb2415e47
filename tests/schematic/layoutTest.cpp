#include "tests/support/stubGraphOwner.h"
#include "tests/support/stubNode.h"
#include "views/schematic/src/scGraph.h"

#include "platform/graph/piSchematicInterfaceEx.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <string>

using namespace Zv;

namespace {

// A whole number below n, as a float.
float roll(std::mt19937& random, int n) {
    return static_cast<float>(random() % n);
}

class LayoutTest : public testing::Test, public StubGraphOwner {
protected:
    LayoutTest() : _graph(new ScGraph(this)) {}

    RCStrongPtr<ScNode> add(float width = 100.0f, float height = 20.0f) {
        RCStrongPtr<ScNode> node(new StubNode(_graph->getOrientation(), width, height));
        _graph->getNodes().insert(node);
        return node;
    }
    void link(const RCStrongPtr<ScNode>& producer, const RCStrongPtr<ScNode>& consumer, int input) {
        _graph->getEdges().insert(RCShdPtr<ScEdge>(new ScEdge(producer, 0, 0, consumer, input, 0, 0)));
    }
    float depthStep() const {
        return PiSchematicInterfaceEx::getPlacementDepth() + (_graph->getOrientation() == ScOrientation::Right
                                                                  ? PiSchematicInterfaceEx::getNodeDepthX()
                                                                  : PiSchematicInterfaceEx::getNodeDepthY());
    }
    float gap() const { return PiSchematicInterfaceEx::getPlacementBreadth(); }
    // A fresh scene of n nodes of random sizes; most hang below a random earlier node, a tenth also
    // feed a second earlier consumer. Links only go to earlier nodes, so there is no cycle.
    std::vector<RCStrongPtr<ScNode>> addRandomForest(ScOrientation orientation, std::mt19937& random, int n) {
        _graph = new ScGraph(this);
        _graph->setOrientation(orientation);
        clearFixed();
        std::vector<RCStrongPtr<ScNode>> nodes;
        for (int i = 0; i < n; ++i) {
            nodes.push_back(add(60.0f + roll(random, 5) * 15.0f, 20.0f + roll(random, 3) * 10.0f));
            if (i > 0 && random() % 7 != 0) link(nodes[i], nodes[random() % i], random() % 3);
            if (i > 1 && random() % 10 == 0) link(nodes[i], nodes[random() % (i - 1)], 3);
        }
        return nodes;
    }

    // Lays the unplaced nodes out and expects each node exactly where the plain scan puts it.
    void expectPlacedAsThePlainScan(const std::vector<RCStrongPtr<ScNode>>& nodes, const std::string& label);

    RCStrongPtr<ScGraph> _graph;
};

// The forest the plain way: every node below the consumer of its first edge, children in edge
// order, top-level trees in node order.
struct ReferenceForest {
    struct Entry {
        ScNode* node;
        int parent = -1;
        int input = 0;
        std::vector<int> children;
    };
    std::vector<Entry> _nodes;
    std::vector<int> _roots;

    explicit ReferenceForest(const ScGraph& graph) {
        for (const auto& node : graph.getNodes()) _nodes.push_back({node.get(), -1, 0, {}});
        auto indexOf = [this](const ScNode* node) {
            for (size_t i = 0; i < _nodes.size(); ++i)
                if (_nodes[i].node == node) return static_cast<int>(i);
            return -1;
        };
        for (const auto& edge : graph.getEdges()) {
            const int producer = indexOf(edge->getSource().get());
            if (_nodes[producer].parent != -1) continue;
            _nodes[producer].parent = indexOf(edge->getTarget().get());
            _nodes[producer].input = edge->getTargetSocket();
            _nodes[_nodes[producer].parent].children.push_back(producer);
        }
        for (size_t i = 0; i < _nodes.size(); ++i)
            if (_nodes[i].parent == -1) _roots.push_back(static_cast<int>(i));
    }
};

// Tree layout the plain way: recursive extents and placement, then the re-centring of a
// selected-only layout. The scene's layout must put every node exactly where this does.
class ReferenceTreeLayout : ReferenceForest {
public:
    ReferenceTreeLayout(const ScGraph& graph, float step, float gap)
        : ReferenceForest(graph), _orientation(graph.getOrientation()), _step(step), _gap(gap),
          _breadth(_nodes.size()) {}

    std::vector<GePoint2<float>> run(bool selectedOnly, ScGraphInterface& owner) {
        _selectedOnly = selectedOnly;
        _owner = &owner;
        for (const Entry& entry : _nodes) _positions.push_back(entry.node->getPosition());
        const GeRectangle<float> before = selectedBox();
        extent(-1);
        place(-1, 0.0f, 0.0f);
        if (selectedOnly) {
            const GeVector2<float> offset = before.getCenter() - selectedBox().getCenter();
            for (size_t i = 0; i < _nodes.size(); ++i)
                if (_nodes[i].node->isSelected()) _positions[i] += offset;
        }
        return _positions;
    }

private:
    const std::vector<int>& children(int i) const { return i < 0 ? _roots : _nodes[i].children; }
    float& breadth(int i) { return i < 0 ? _rootBreadth : _breadth[i]; }
    float extent(int i) {
        float depth = _step, deepest = 0.0f;
        for (int child : children(i)) {
            deepest = std::max(deepest, extent(child));
            breadth(i) += breadth(child);
        }
        if (!children(i).empty()) depth = deepest + _step;
        if (i >= 0) {
            GeVector2<float> size;
            _nodes[i].node->getSize(size);
            breadth(i) = std::max(breadth(i), _gap + (_orientation == ScOrientation::Right ? size.y : size.x));
        }
        return depth;
    }
    void place(int i, float x, float y) {
        if (i >= 0 && (!_selectedOnly || _nodes[i].node->isSelected()) && _owner->isPlaceable(*_nodes[i].node))
            _positions[i] = {x, y};
        if (_orientation == ScOrientation::Right) {
            x -= _step;
            y -= breadth(i) / 2.0f;
        } else {
            x += breadth(i) / 2.0f;
            y += _orientation == ScOrientation::Down ? _step : -_step;
        }
        for (auto child = children(i).rbegin(); child != children(i).rend(); ++child) {
            const float h = breadth(*child) / 2.0f;
            (_orientation == ScOrientation::Right ? y : x) += _orientation == ScOrientation::Right ? h : -h;
            place(*child, x, y);
            (_orientation == ScOrientation::Right ? y : x) += _orientation == ScOrientation::Right ? h : -h;
        }
    }
    GeRectangle<float> selectedBox() const {
        GeRectangle<float> box;
        bool any = false;
        for (size_t i = 0; i < _nodes.size(); ++i) {
            if (!_nodes[i].node->isSelected()) continue;
            const GePoint2<float> p = _positions[i];
            box = any ? GeRectangle<float>(std::min(box.xMin, p.x), std::max(box.xMax, p.x), std::min(box.yMin, p.y),
                                           std::max(box.yMax, p.y))
                      : GeRectangle<float>(p.x, p.x, p.y, p.y);
            any = true;
        }
        return box;
    }

    ScOrientation _orientation;
    float _step;
    float _gap;
    std::vector<float> _breadth;
    float _rootBreadth = 0.0f;
    bool _selectedOnly = false;
    ScGraphInterface* _owner = nullptr;
    std::vector<GePoint2<float>> _positions;
};

// Placing unplaced nodes the plain way: one ordered multimap over every placed node, scanned by
// breadth key alone. The scene's layout must land every node exactly where this does.
class ReferencePlacement : ReferenceForest {
public:
    ReferencePlacement(const ScGraph& graph, float step)
        : ReferenceForest(graph), _orientation(graph.getOrientation()), _step(step) {}

    // Positions in node order.
    std::vector<GePoint2<float>> run() {
        for (size_t i = 0; i < _nodes.size(); ++i)
            if (_nodes[i].node->isPlaced()) _index.emplace(key(_nodes[i].node->getPosition()), static_cast<int>(i));
        for (int i = static_cast<int>(_nodes.size()) - 1; i >= 0; --i)
            if (!_nodes[i].node->isPlaced()) placeNew(i);
        std::vector<GePoint2<float>> out;
        for (const Entry& entry : _nodes) out.push_back(entry.node->getPosition());
        return out;
    }

private:
    float key(const GePoint2<float>& p) const { return _orientation == ScOrientation::Right ? p.y : p.x; }
    float breadthSize(const ScNode& node) const {
        GeVector2<float> size;
        node.getSize(size);
        return _orientation == ScOrientation::Right ? size.y : size.x;
    }
    void placeNew(int r) {
        const int parent = _nodes[r].parent;
        GePoint2<float> anchor;
        if (parent >= 0) {
            if (!_nodes[parent].node->isPlaced()) placeNew(parent);
            anchor = _nodes[parent].node->getPosition();
        }
        const float half = breadthSize(*_nodes[r].node) * 0.5f + (_orientation == ScOrientation::Right ? 10.0f : 25.0f);
        (_orientation == ScOrientation::Right ? anchor.x : anchor.y) -= _step;
        if (_lastChild.count(parent)) anchor = _lastChild[parent];
        slide(r, anchor, half);
        _nodes[r].node->setPlaced(true);
        _lastChild[parent] = _nodes[r].node->getPosition();
        _index.emplace(key(_nodes[r].node->getPosition()), r);
    }
    void slide(int r, GePoint2<float> pos, float half) {
        const float d = _step - 1.0f;
        GeVector2<float> kept;
        for (;;) {
            _nodes[r].node->setPosition(pos);
            const float k = key(pos);
            int blocker = -1;
            float e = 0.0f;
            for (auto it = _index.lower_bound(k - d); it != _index.lower_bound(k + d) && blocker < 0; ++it) {
                const GePoint2<float> q = _nodes[it->second].node->getPosition();
                e = breadthSize(*_nodes[it->second].node) * 0.5f + half;
                const bool inDepth = _orientation == ScOrientation::Right ? q.x >= pos.x - d && q.x < pos.x + d
                                                                          : q.y >= pos.y - d && q.y < pos.y + d;
                const bool inBreadth = _orientation == ScOrientation::Right ? q.y >= pos.y - e && q.y < pos.y + e
                                                                            : q.x >= pos.x - e && q.x < pos.x + e;
                if (inDepth && inBreadth) blocker = it->second;
            }
            if (blocker < 0) return;
            GeVector2<float> direction = kept;
            if (direction == GeVector2<float>()) {
                direction =
                    _orientation == ScOrientation::Right ? GeVector2<float>(0.0f, 1.0f) : GeVector2<float>(1.0f, 0.0f);
                const int parent = _nodes[r].parent;
                if (parent >= 0 && _nodes[blocker].parent == parent) {
                    const ScNode& consumer = *_nodes[parent].node;
                    const GePoint2<float> q = consumer.getInputConnectionPoint(_nodes[blocker].input, 0);
                    const GePoint2<float> t = consumer.getInputConnectionPoint(_nodes[r].input, 0);
                    if (_orientation == ScOrientation::Right) direction = {0.0f, q.y > t.y ? -1.0f : 1.0f};
                    else if (_orientation == ScOrientation::Up) direction = {q.x > t.x ? -1.0f : 1.0f, 0.0f};
                    else direction = {t.x > q.x ? -1.0f : 1.0f, 0.0f};
                    kept = direction;
                }
            }
            // Far from the origin a step may round away to nothing: the node then moves by the least amount.
            GePoint2<float> next = pos + direction * (e + 1.0f);
            if (key(next) == k)
                (_orientation == ScOrientation::Right ? next.y : next.x) =
                    std::nextafter(k, (direction.x + direction.y) * INFINITY);
            pos = next;
        }
    }

    ScOrientation _orientation;
    float _step;
    std::multimap<float, int> _index;
    std::map<int, GePoint2<float>> _lastChild;
};

GePoint2<float> alongAxes(ScOrientation orientation, float depth, float breadth) {
    return orientation == ScOrientation::Right ? GePoint2<float>(depth, breadth) : GePoint2<float>(breadth, depth);
}

void expectAt(const RCStrongPtr<ScNode>& node, float x, float y) {
    EXPECT_NEAR(node->getPosition().x, x, 1e-3f);
    EXPECT_NEAR(node->getPosition().y, y, 1e-3f);
}

} // namespace

void LayoutTest::expectPlacedAsThePlainScan(const std::vector<RCStrongPtr<ScNode>>& nodes, const std::string& label) {
    std::vector<GePoint2<float>> before;
    std::vector<bool> placed;
    for (const auto& node : nodes) {
        before.push_back(node->getPosition());
        placed.push_back(node->isPlaced());
    }
    const std::vector<GePoint2<float>> expected = ReferencePlacement(*_graph, depthStep()).run();
    for (size_t i = 0; i < nodes.size(); ++i) {
        nodes[i]->setPosition(before[i]);
        nodes[i]->setPlaced(placed[i]);
    }
    _graph->layout(ScGraph::LayoutType::LayoutUnplaced);
    for (size_t i = 0; i < nodes.size(); ++i) {
        ASSERT_EQ(nodes[i]->getPosition(), expected[i]) << label << ", node " << i;
        ASSERT_TRUE(nodes[i]->isPlaced());
    }
}

TEST_F(LayoutTest, TopLevelTreesHangUnderAVirtualRootCentredOnTheOrigin) {
    auto first = add();
    auto second = add();
    _graph->layout(ScGraph::LayoutType::LayoutAll);
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
    _graph->layout(ScGraph::LayoutType::LayoutAll);

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
    for (ScOrientation orientation : {ScOrientation::Down, ScOrientation::Up}) {
        _graph->clear();
        _graph->setOrientation(orientation);
        auto consumer = add();
        auto left = add();
        auto right = add();
        link(left, consumer, 0);
        link(right, consumer, 1);
        _graph->layout(ScGraph::LayoutType::LayoutAll);
        float dy = orientation == ScOrientation::Down ? depthStep() : -depthStep();
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
    _graph->layout(ScGraph::LayoutType::LayoutSelected);

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
    fix(*consumer);
    _graph->layout(ScGraph::LayoutType::LayoutAll);
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
    _graph->layout(ScGraph::LayoutType::LayoutUnplaced);

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
    _graph->layout(ScGraph::LayoutType::LayoutUnplaced);
    const float step = depthStep();
    expectAt(top, -step, 0.0f);
    expectAt(middle, -2 * step, 0.0f);
    expectAt(leaf, -3 * step, 0.0f);
}

TEST_F(LayoutTest, NothingToDoLeavesEverythingAlone) {
    _graph->layout(ScGraph::LayoutType::LayoutAll); // empty graph
    auto a = add();
    auto b = add();
    link(b, a, 0);
    a->setPosition({3.0f, 4.0f});
    b->setPosition({-7.0f, 8.0f});
    a->setPlaced(true);
    b->setPlaced(true);
    _graph->layout(ScGraph::LayoutType::LayoutUnplaced);
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
    _graph->layout(ScGraph::LayoutType::LayoutAll);
    EXPECT_LT(previous->getPosition().x, -0.99f * n * depthStep());
    EXPECT_NEAR(previous->getPosition().y, 0.0f, 1e-3f);
}

// A random forest with a third of its nodes already placed, crowded into a few depth columns, so
// that new nodes slide past placed ones of neighbouring columns and of equal keys.
TEST_F(LayoutTest, UnplacedNodesLandWhereAPlainScanOfEveryPlacedNodePutsThem) {
    for (ScOrientation orientation : {ScOrientation::Down, ScOrientation::Right, ScOrientation::Up}) {
        std::mt19937 random(11 + toInt(orientation));
        const auto nodes = addRandomForest(orientation, random, 400);
        for (const auto& node : nodes) {
            if (random() % 3 != 0) continue;
            const float depth = -depthStep() * roll(random, 6) + roll(random, 3) * 25.0f;
            const float breadth = roll(random, 40) * 30.0f - 600.0f;
            node->setPosition(alongAxes(orientation, depth, breadth));
            node->setPlaced(true);
        }
        expectPlacedAsThePlainScan(nodes, "orientation " + std::to_string(toInt(orientation)));
    }
}

// Random forests with fan-in, second consumers, fixed nodes and a random selection, in every
// orientation, for both tree layouts.
TEST_F(LayoutTest, TreeLayoutsPutEveryNodeWhereThePlainRecursiveWalkDoes) {
    for (ScOrientation orientation : {ScOrientation::Down, ScOrientation::Right, ScOrientation::Up}) {
        for (bool selectedOnly : {false, true}) {
            std::mt19937 random(23 + toInt(orientation));
            const auto nodes = addRandomForest(orientation, random, 300);
            for (const auto& node : nodes) {
                node->setPosition({roll(random, 1000), roll(random, 1000)});
                node->setSelected(random() % 3 == 0);
                if (random() % 12 == 0) fix(*node);
            }
            const auto expected = ReferenceTreeLayout(*_graph, depthStep(), gap()).run(selectedOnly, *this);
            _graph->layout(selectedOnly ? ScGraph::LayoutType::LayoutSelected : ScGraph::LayoutType::LayoutAll);
            for (size_t i = 0; i < nodes.size(); ++i)
                ASSERT_EQ(nodes[i]->getPosition(), expected[i])
                    << "orientation " << toInt(orientation) << (selectedOnly ? ", selected only" : "") << ", node "
                    << i;
        }
    }
}

// Piecewise scene updates can leave edges naming nodes that are no longer in the node set. Such
// nodes keep the layout index of an earlier pass: one here names a node of this scene, one lies
// past the end. A node may also be linked to itself, ahead of its real consumer. The layout must go
// on as if those edges were not there.
TEST_F(LayoutTest, EdgesToNodesOutsideTheNodeSetOrBackToTheirSourceAreLeftOut) {
    for (auto type :
         {ScGraph::LayoutType::LayoutAll, ScGraph::LayoutType::LayoutSelected, ScGraph::LayoutType::LayoutUnplaced}) {
        std::vector<GePoint2<float>> positions[2];
        for (bool strangers : {false, true}) {
            _graph = new ScGraph(this);
            auto consumer = add();
            auto input = add();
            auto other = add();
            if (strangers) {
                RCStrongPtr<ScNode> named(new StubNode(ScOrientation::Right, 100.0f, 20.0f));
                RCStrongPtr<ScNode> beyond(new StubNode(ScOrientation::Right, 100.0f, 20.0f));
                named->setLayoutIndex(2);
                beyond->setLayoutIndex(1000);
                link(named, consumer, 2);
                link(consumer, beyond, 0);
                link(input, beyond, 1);
                link(other, other, 0);
            }
            link(input, consumer, 0);
            link(other, consumer, 1);
            for (const auto& node : {consumer, input, other}) node->setSelected(true);
            _graph->layout(type);
            for (const auto& node : {consumer, input, other}) positions[strangers].push_back(node->getPosition());
        }
        EXPECT_EQ(positions[0], positions[1]) << "layout type " << toInt(type);
    }
}

// Links shown for a collapsed chain can run in a circle; its nodes are placed all the same.
TEST_F(LayoutTest, ACircleOfNewNodesIsPlaced) {
    auto first = add();
    auto second = add();
    link(first, second, 0);
    link(second, first, 0);
    _graph->layout(ScGraph::LayoutType::LayoutUnplaced);
    EXPECT_TRUE(first->isPlaced() && second->isPlaced());
    EXPECT_NE(first->getPosition(), second->getPosition());
}

// Far from the origin floats are coarse. Depth cells, slide steps and the centre of a selection must
// neither overflow nor stall there, and new nodes still land where the plain scan puts them.
TEST_F(LayoutTest, NodesFarFromTheOriginAreStillPlaced) {
    // The first four put a box across three depth cells when cells were computed in floats.
    for (ScOrientation orientation : {ScOrientation::Down, ScOrientation::Right, ScOrientation::Up}) {
        for (float far : {135307200.0f, -134633520.0f, 67147920.0f, -68162360.0f, 4.3e9f, 1e20f, -3e38f, 3.4e38f}) {
            _graph = new ScGraph(this);
            _graph->setOrientation(orientation);
            auto consumer = add();
            auto sibling = add();
            auto fresh = add();
            auto later = add();
            link(sibling, consumer, 1);
            link(fresh, consumer, 0);
            link(later, consumer, 2);
            consumer->setPosition(alongAxes(orientation, far, far));
            sibling->setPosition(alongAxes(orientation, far - depthStep(), far));
            consumer->setPlaced(true);
            sibling->setPlaced(true);
            expectPlacedAsThePlainScan({consumer, sibling, fresh, later}, "orientation " +
                                                                              std::to_string(toInt(orientation)) +
                                                                              " at " + std::to_string(far));
            for (const auto& node : {fresh, later})
                EXPECT_TRUE(std::isfinite(node->getPosition().x) && std::isfinite(node->getPosition().y));
        }
    }

    // At a power of two the box reaches a blocker just below, while a step shorter than half the
    // float spacing above rounds back to the start.
    _graph = new ScGraph(this);
    const float power = 1073741824.0f;
    auto consumer = add(100.0f, 23.0f);
    auto fresh = add(100.0f, 23.0f);
    auto blocker = add(100.0f, 23.0f);
    link(fresh, consumer, 0);
    consumer->setPosition({0.0f, power});
    blocker->setPosition({-depthStep(), power - 64.0f});
    consumer->setPlaced(true);
    blocker->setPlaced(true);
    expectPlacedAsThePlainScan({consumer, fresh, blocker}, "beside a power of two");
    EXPECT_GT(fresh->getPosition().y, power);

    // A selection whose positions sum past the float range keeps its centre.
    _graph = new ScGraph(this);
    auto left = add();
    auto right = add();
    left->setPosition({3.0e38f, 0.0f});
    right->setPosition({3.2e38f, 0.0f});
    left->setSelected(true);
    right->setSelected(true);
    _graph->layout(ScGraph::LayoutType::LayoutSelected);
    EXPECT_FLOAT_EQ((left->getPosition().x * 0.5f + right->getPosition().x * 0.5f), 3.1e38f);
}

// A column crowded with placed nodes whose sizes do not add up exactly in floats, spread over
// several binary exponents and across zero, with a few unlike nodes and gaps just wide enough for
// a node. New inputs of consumers beside it slide through the crowd, some of them away from a
// sibling in either direction, and must land exactly where single steps put them.
TEST_F(LayoutTest, SlidesThroughACrowdedColumnLandWhereSingleStepsDo) {
    // Beyond 2^24 floats are four units apart, coarser than the room rounding was allowed.
    for (auto [orientation, start] : {std::pair{ScOrientation::Down, -3000.0f},
                                      {ScOrientation::Right, -3000.0f},
                                      {ScOrientation::Up, -3000.0f},
                                      {ScOrientation::Right, 33554432.0f}}) {
        std::mt19937 random(5 + toInt(orientation));
        _graph = new ScGraph(this);
        _graph->setOrientation(orientation);
        clearFixed();
        auto addSized = [this](bool unlike) { return unlike ? add(141.532f, 62.7f) : add(137.384f, 61.2f); };
        // Alike nodes closer than twice this leave no room for one more between them.
        const float reach =
            std::min(depthStep() - 1.0f, (orientation == ScOrientation::Right ? 61.2f + 10.0f : 137.384f + 25.0f));
        std::vector<RCStrongPtr<ScNode>> nodes;
        float breadth = start;
        for (int i = 0; i < 1500; ++i) {
            nodes.push_back(addSized(random() % 40 == 0));
            const float hole = random() % 20 == 0 ? reach + roll(random, 3) * 0.5f : 0.0f;
            breadth += reach * (1.0f + roll(random, 100) / 100.0f) + hole;
            nodes.back()->setPosition(alongAxes(orientation, -depthStep(), breadth));
            nodes.back()->setPlaced(true);
        }
        for (int i = 0; i < 120; ++i) {
            auto consumer = addSized(false);
            consumer->setPosition(alongAxes(orientation, 0.0f, start + roll(random, 10000) * 17.3f));
            consumer->setPlaced(true);
            nodes.push_back(consumer);
            for (int input = random() % 3; input >= 0; --input) {
                nodes.push_back(addSized(random() % 30 == 0));
                link(nodes.back(), consumer, input);
            }
        }
        expectPlacedAsThePlainScan(nodes, "orientation " + std::to_string(toInt(orientation)) + " from " +
                                              std::to_string(start));
    }
}

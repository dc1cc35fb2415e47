// Drawing and picking through the scene index give what a scan of every object gives, and the index
// follows the scene as nodes come, go and move.
#include "tests/support/glRecorder.h"
#include "tests/support/sceneTestSupport.h"
#include "tests/support/viewSingletons.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svHeadlessDisplay.h"

#include "platform/graph/piCompositionGenerator.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piSocketDesc.h"
#include "platform/graph/uiComposition.h"
#include "platform/ui/wsFontRegistry.h"

#include <gtest/gtest.h>

#include <random>

using namespace Zv;
using namespace Zv::SceneTest;

namespace {

constexpr int kNbNodes = 400;

// A generated composition, laid out, with nodes piled on others, a few selected and visual groups.
class SceneIndexTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestSupport::setUpView(); }

    SceneIndexTest() : _browser(new SvBrowserGraph(_composition, &_display)) {
        for (int type : PiSocketDesc::kParameterTypes) _browser->setFilteredSocketType(type, true);
        _composition.setGraph(PiCompositionGenerator(11).generate(kNbNodes));
        scene().layout(ScGraph::LayoutType::LayoutAll);
        for (const auto& node : scene().getNodes()) _nodes.push_back(node);
        for (size_t i = 7; i < _nodes.size(); i += 7) {
            _nodes[i]->setPosition(_nodes[i - 1]->getPosition() + GeVector2<float>(20.0f, 6.0f));
            _nodes[i - (i % 3)]->setSelected(true);
        }
        for (size_t first = 0; first + 10 < _nodes.size(); first += 60) addGroup(first, first % 120 == 0);
    }
    ~SceneIndexTest() override { _browser.reset(); }

    ScGraph& scene() { return *_browser->getScene(); }

    void addGroup(size_t first, bool selected) {
        RCStrongPtr<PiGroupNode> groupNode;
        groupNode.dynamicAssign(_model->createNode("Group", _model->getRootGroup()));
        RCShdPtr<ScGroup> group(new ScGroup(groupNode, {}, UiResColor{0.5f, 0.0f, 0.0f}, 0));
        for (size_t i = first; i < first + 10; ++i) group->addMember(_nodes[i]);
        group->updateBounds();
        group->setSelected(selected);
        scene().getGroups().insert(group);
    }

    GeRectangle<float> sceneBounds() {
        GeRectangle<float> bounds;
        for (const auto& node : _nodes) {
            GeRectangle<float> box;
            node->getBoxBounds(box);
            bounds.unite(box);
        }
        return bounds;
    }

    // Random points over the whole scene, and near nodes, where tabs, piles and links are.
    std::vector<GePoint2<float>> points(int count) {
        const GeRectangle<float> bounds = sceneBounds().grown(50.0f);
        std::uniform_real_distribution<float> x(bounds.xMin, bounds.xMax), y(bounds.yMin, bounds.yMax);
        std::uniform_real_distribution<float> near(-70.0f, 70.0f);
        std::vector<GePoint2<float>> result;
        for (int i = 0; i < count; ++i) {
            result.push_back({x(_random), y(_random)});
            const GePoint2<float> centre = _nodes[_random() % _nodes.size()]->getPosition();
            result.push_back({centre.x + near(_random), centre.y + near(_random) * 0.5f});
        }
        return result;
    }

    // The pick as a scan of every object would answer: selected nodes from the last, then the
    // others from the last, edges from the first (near their nodes' boxes), groups from the last.
    ScGraph::Pick scan(const GePoint2<float>& p, ScLinkStyle linkStyle) {
        for (bool selected : {true, false}) {
            const ScGraph::NodeSet& nodes = scene().getNodes();
            for (auto it = nodes.rbegin(); it != nodes.rend(); ++it) {
                int tab = -1;
                ScPart partCode = ScPart::Body;
                if ((*it)->isSelected() == selected && (*it)->pickSocket(p, true, tab, partCode))
                    return {*it, partCode == ScPart::Body ? -1 : tab, partCode, {}, {}};
            }
        }
        for (const auto& edge : scene().getEdges()) {
            GeRectangle<float> source, target;
            edge->getSource()->getBoxBounds(source);
            edge->getTarget()->getBoxBounds(target);
            if (source.unite(target).grown(ScEdge::kPickDistance).contains(p) && edge->pick(p, linkStyle))
                return {{}, -1, ScPart::Body, edge, {}};
        }
        const ScGraph::GroupSet& groups = scene().getGroups();
        for (auto it = groups.rbegin(); it != groups.rend(); ++it)
            if ((*it)->pick(p)) return {{}, -1, ScPart::Body, {}, *it};
        return {};
    }

    void expectPicksAsTheScan(int count, ScLinkStyle linkStyle = ScLinkStyle::Curved) {
        for (const GePoint2<float>& p : points(count)) {
            const ScGraph::Pick expected = scan(p, linkStyle);
            ASSERT_EQ(scene().pick(p, true, linkStyle), expected) << "at " << p.x << ", " << p.y;
        }
    }

    // Every call and primitive of one frame, culled or not.
    struct Recorded {
        std::vector<std::string> calls;
        std::vector<GlRecorder::Primitive> primitives;
    };
    Recorded draw(const GeRectangle<float>& visible, float zoom, bool culling) {
        ScDrawContext ctx(nullptr, WsFontRegistry::getFont(), WsFontRegistry::getFont(), zoom, distinctColors(), 1.0f);
        scene().getIndex().setCulling(culling);
        GlRecorder::reset();
        scene().draw(ctx, visible, ScLinkStyle::Curved, true);
        scene().getIndex().setCulling(true);
        return {GlRecorder::getCalls(), GlRecorder::getPrimitives()};
    }

    void expectDrawnAsUnculled(const GeRectangle<float>& visible, float zoom) {
        // The first drawing of a text also rasterises its glyphs.
        draw(visible, zoom, false);
        const Recorded culled = draw(visible, zoom, true), plain = draw(visible, zoom, false);
        const auto differ =
            std::mismatch(culled.calls.begin(), culled.calls.end(), plain.calls.begin(), plain.calls.end());
        ASSERT_TRUE(differ.first == culled.calls.end() && differ.second == plain.calls.end())
            << "call " << (differ.first - culled.calls.begin()) << " of " << culled.calls.size() << " / "
            << plain.calls.size();
        ASSERT_EQ(culled.primitives.size(), plain.primitives.size());
        for (size_t i = 0; i < plain.primitives.size(); ++i) {
            const auto &a = culled.primitives[i].vertices, &b = plain.primitives[i].vertices;
            ASSERT_EQ(a.size(), b.size()) << "primitive " << i;
            for (size_t v = 0; v < a.size(); ++v) {
                ASSERT_EQ(a[v].x, b[v].x);
                ASSERT_EQ(a[v].y, b[v].y);
                ASSERT_EQ(a[v].color.r, b[v].color.r);
            }
        }
    }

    UiComposition _composition;
    SvHeadlessDisplay _display{ScOrientation::Right, false};
    RCStrongPtr<SvBrowserGraph> _browser;
    RCStrongPtr<PiGraph> _model = PiGraph::create();
    std::vector<RCStrongPtr<ScNode>> _nodes;
    std::mt19937 _random{5};
};

} // namespace

TEST_F(SceneIndexTest, CulledFramesDrawExactlyWhatAnUnculledDrawDraws) {
    const GeRectangle<float> bounds = sceneBounds();
    // Windows at zoom 1 and 0.5 about nodes (drawn in detail), and zoomed out over much of the scene
    // (links and small nodes batched).
    for (int i = 0; i < 6; ++i) {
        const GePoint2<float> centre = _nodes[(i * 53) % _nodes.size()]->getPosition();
        for (float zoom : {1.0f, 0.5f}) {
            const GeVector2<float> half(640.0f / zoom, 400.0f / zoom);
            expectDrawnAsUnculled(GeRectangle<float>::spanning(centre - half, centre + half), zoom);
        }
    }
    const GeVector2<float> quarter(bounds.getWidth() / 4.0f, bounds.getHeight() / 4.0f);
    expectDrawnAsUnculled(GeRectangle<float>::spanning(bounds.getCenter() - quarter, bounds.getCenter() + quarter),
                          0.05f);
    expectDrawnAsUnculled(bounds, 0.01f);
}

TEST_F(SceneIndexTest, PicksAnswerAsTheOrderedScanInEveryLinkStyle) {
    for (ScLinkStyle style : {ScLinkStyle::Curved, ScLinkStyle::Angular, ScLinkStyle::Straight})
        expectPicksAsTheScan(600, style);
}

TEST_F(SceneIndexTest, FollowsNodesAddedRemovedAndMovedAndGroupsResized) {
    expectPicksAsTheScan(50);
    // Moved far out and back into the middle of others; a group follows its moved member.
    for (size_t i = 0; i < 40; i += 4) {
        _nodes[i]->setPosition(_nodes[i + 1]->getPosition() + GeVector2<float>(float(i), 3.0f));
        _nodes[i + 2]->setPosition({1e5f + float(i) * 200.0f, -3e4f});
    }
    for (const auto& group : scene().getGroups()) group->updateBounds();
    expectPicksAsTheScan(300);
    expectPicksAsTheScan(5);
    EXPECT_EQ(scene().pick(_nodes[2]->getPosition(), true, ScLinkStyle::Curved).node, _nodes[2]);

    // Removed one by one, with their links; added again, so they come last in the set.
    for (size_t i = 100; i < 130; ++i) {
        scene().getNodes().erase(_nodes[i].get());
        if (i % 2) expectPicksAsTheScan(5);
    }
    std::vector<RCShdPtr<ScEdge>> links;
    for (const auto& edge : scene().getEdges()) links.push_back(edge);
    for (size_t i = 0; i < links.size(); i += 3) scene().getEdges().erase(links[i].get());
    expectPicksAsTheScan(300);
    for (size_t i = 100; i < 130; ++i) scene().getNodes().insert(_nodes[i]);
    for (size_t i = 0; i < links.size(); i += 3) scene().getEdges().insert(links[i]);
    expectPicksAsTheScan(300);
    expectDrawnAsUnculled(sceneBounds(), 0.5f);
}

TEST_F(SceneIndexTest, DrawsInDetailAtHoverZoomsAndInBatchesWhenZoomedOut) {
    const GeRectangle<float> all = sceneBounds().grown(100.0f);
    draw(all, 0.5f, true);
    EXPECT_EQ(GlRecorder::getCallCount("glDrawArrays"), 0) << "at zoom 0.5 everything is drawn as before";

    // Every node a rectangle of at least a pixel, every link plain lines, one call each.
    const float zoom = 0.01f;
    draw(all, zoom, true);
    EXPECT_EQ(GlRecorder::getCallCount("glDrawArrays"), 2);
    const std::vector<GlRecorder::Primitive> quads = GlRecorder::getPrimitives(GL_QUADS);
    ASSERT_EQ(quads.back().vertices.size(), 4 * _nodes.size());
    for (size_t v = 0; v < quads.back().vertices.size(); v += 4)
        EXPECT_GE(quads.back().vertices[v + 2].y - quads.back().vertices[v].y, 0.999f / zoom);
    EXPECT_FALSE(GlRecorder::getPrimitives(GL_LINES).back().state.isEnabled(GL_LINE_STIPPLE));

    // A highlighted node keeps its detail, between the runs of the others.
    scene().setHighlight({_nodes[kNbNodes / 2], -1, ScPart::Input, {}, {}});
    draw(all, zoom, true);
    EXPECT_EQ(GlRecorder::getCallCount("glDrawArrays"), 3);
    EXPECT_FALSE(GlRecorder::getPrimitives(GL_POLYGON).empty());
}

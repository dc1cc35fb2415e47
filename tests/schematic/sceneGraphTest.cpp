#include "views/schematic/src/scBasicConnections.h"
#include "views/schematic/src/scCustomNode.h"
#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scGraph.h"
#include "views/schematic/src/scSocketMenu.h"

#include "tests/support/sceneTestSupport.h"

#include "platform/graph/piGraph.h"
#include "platform/ui/wsFont.h"
#include "platform/ui/wsFontRegistry.h"
#include "tests/support/failedAssertion.h"
#include "tests/support/glRecorder.h"
#include "tests/support/nodeTestSupport.h"
#include "tests/support/stubGraphOwner.h"
#include "tests/support/stubNode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace Zv;
using namespace Zv::SceneTest;
using Zv::TestSupport::failedAssertion;
using Pos = ScRoundedBox::EdgePos;
using S = ScRoundedBox::SubSectionType;

namespace {

// A 40 x 20 node flowing right, one input on the left and one output on the right.
RCStrongPtr<ScCustomNode> flowingRight(float x, float y = 0.0f) {
    auto node = makeRC<ScCustomNode>(ScOrientation::Right, 20.0f, 40.0f, 4.0f);
    node->setInputSet(std::make_unique<ScRoundedConnectionSet>(Pos(S::Left, 0.2f), Pos(S::Left, 0.8f), nullptr));
    node->setOutputSet(std::make_unique<ScRoundedConnectionSet>(Pos(S::Right, 0.2f), Pos(S::Right, 0.8f), nullptr));
    NodeTest::addSockets(*node, 1, 1);
    node->setPosition({x, y});
    return node;
}

// What a draw showed, in drawing order: group bodies by their red, links, then node bodies by their x.
struct Drawn {
    std::vector<float> groups, nodes;
    int links = 0;
    bool linksBeforeNodes = true, groupsBeforeLinks = true, menuLast = false;
    bool provisional = false; // in the selection colour, between links and nodes
    std::vector<float> provisionalXs;
};

// Groups here are pure reds; node bodies are outlines of many points.
bool isGroupBody(const GlRecorder::Primitive& p) {
    return p.isRect && p.vertices[0].color.g == 0.0f && p.vertices[0].color.b == 0.0f;
}

Drawn drawScene(ScGraph& graph, const GeRectanglef& visible, ScLinkStyle linkStyle = ScLinkStyle::Straight) {
    ScDrawContext ctx(nullptr, WsFontRegistry::getFont(), WsFontRegistry::getFont(), 1.0f, distinctColors(), 1.0f);
    GlRecorder::reset();
    graph.draw(ctx, visible, linkStyle, true);
    Drawn drawn;
    for (const auto& p : GlRecorder::getPrimitives()) {
        const int id = colorId(p.vertices[0].color.r);
        if (isGroupBody(p)) {
            drawn.groups.push_back(p.vertices[0].color.r);
            drawn.groupsBeforeLinks &= drawn.links == 0;
        } else if (p.mode == GL_LINE_STRIP && id == EdgeRGBA) {
            ++drawn.links;
            drawn.linksBeforeNodes &= drawn.nodes.empty();
        } else if (p.mode == GL_LINE_STRIP && p.vertices[0].y == 50.0f) {
            drawn.provisional = id == Selected && drawn.links > 0 && drawn.nodes.empty();
            for (const auto& v : p.vertices) drawn.provisionalXs.push_back(v.x);
        } else if (p.isRect && id == SocketMenuBackground) {
            drawn.menuLast = true;
        } else if (p.mode == GL_POLYGON && p.vertices.size() > 4) {
            drawn.menuLast = false;
            float x = 0.0f;
            for (const auto& v : p.vertices) x += v.x / static_cast<float>(p.vertices.size());
            drawn.nodes.push_back(std::round(x));
        }
    }
    return drawn;
}

// A stub with one input and one output socket.
RCStrongPtr<StubNode> socketNode() {
    auto node = makeRC<StubNode>();
    NodeTest::addSockets(*node, 1, 1);
    return node;
}

class SceneGraphTest : public testing::Test, public StubGraphOwner {
protected:
    RCStrongPtr<ScGraph> _graph{new ScGraph(this)};
};

} // namespace

TEST_F(SceneGraphTest, HighlightSwitchesOnlyWhenTheRecordChangesAndPrefersTheNode) {
    RCStrongPtr<StubNode> node = socketNode();
    RCStrongPtr<StubNode> other = socketNode();
    RCShdPtr<ScEdge> edge(new ScEdge(other, 0, 0, node, 0, 0, 0));
    ScGraph::Highlight record{node, 0, ScPart::Input, edge, {}};

    _graph->setHighlight(record);
    _graph->setHighlight(record);
    EXPECT_EQ(node->getNbHighlightSwitches(), 1) << "the same record twice switches nothing";
    EXPECT_TRUE(node->isHighlighted());
    EXPECT_TRUE(node->getInputs()[0].isHighlighted());
    EXPECT_FALSE(edge->isHighlighted()) << "a record with node and edge highlights the node only";

    _graph->setHighlight({{}, -1, ScPart::Input, edge, {}});
    EXPECT_FALSE(node->isHighlighted());
    EXPECT_FALSE(node->getInputs()[0].isHighlighted());
    EXPECT_TRUE(edge->isHighlighted());

    for (int index : {-2, 1})
        EXPECT_EQ(failedAssertion([&] {
                      ScGraph(this).setHighlight({node, index, ScPart::Input, {}, {}});
                  }),
                  "index < _inputs.size()");
    EXPECT_EQ(failedAssertion([&] {
                  ScGraph(this).setHighlight({node, -5, ScPart::Output, {}, {}});
              }),
              "index < _outputs.size()");
}

TEST_F(SceneGraphTest, GroupsThenLinksThenNodesWithSelectedAndRaisedOnTopAndOnlyWhatIsVisible) {
    std::vector<RCStrongPtr<ScCustomNode>> nodes;
    for (float x : {0.0f, 100.0f, 200.0f, 300.0f, 5000.0f}) {
        nodes.push_back(flowingRight(x));
        _graph->getNodes().insert(nodes.back());
    }
    nodes[1]->setSelected(true);
    nodes[2]->setRaised(true);
    for (auto [from, to] : {std::pair{0, 1}, std::pair{2, 3}, std::pair{4, 4}})
        _graph->getEdges().insert(RCShdPtr<ScEdge>(new ScEdge(nodes[from], 0, 0, nodes[to], 0, 0, 0)));
    RCStrongPtr<PiGraph> model = PiGraph::create();
    for (int i = 0; i < 4; ++i) {
        RCStrongPtr<PiGroupNode> groupNode;
        groupNode.dynamicAssign(model->createNode("Group", model->getRootGroup()));
        RCShdPtr<ScGroup> group(new ScGroup(groupNode, {}, UiResColor{0.5f + 0.125f * i, 0.0f, 0.0f}, i));
        group->addMember(nodes[i == 3 ? 4 : i]);
        group->updateBounds();
        group->setSelected(i == 0);
        _graph->getGroups().insert(group);
    }
    _graph->addProvisionalLink({{0.0f, 50.0f}, {10.0f, 50.0f}, {20.0f, 50.0f}, {30.0f, 50.0f}});
    _graph->setSocketMenu(
        RCShdPtr<ScSocketMenu>(new ScSocketMenu(flowingRight(300.0f), ScPart::Output, 0, {{0, false, "Result", 0}},
                                                {300.0f, 0.0f}, ScContext(WsFontRegistry::getFont(), 1.0f))));

    const Drawn drawn = drawScene(*_graph, GeRectanglef(-100.0f, 1000.0f, -100.0f, 100.0f));
    EXPECT_EQ(drawn.groups, (std::vector<float>{0.625f, 0.75f, 0.5f}))
        << "the selected group last, the far one not at all";
    EXPECT_EQ(drawn.links, 2);
    EXPECT_TRUE(drawn.groupsBeforeLinks && drawn.linksBeforeNodes && drawn.provisional);
    EXPECT_EQ(drawn.nodes, (std::vector<float>{0.0f, 300.0f, 100.0f, 200.0f})) << "selected and raised on top";
    EXPECT_TRUE(drawn.menuLast);
    const std::vector<float> curve =
        drawScene(*_graph, GeRectanglef(-100.0f, 1000.0f, -100.0f, 100.0f), ScLinkStyle::Curved).provisionalXs;
    ASSERT_EQ(curve.size(), size_t(ScEdge::kMaxPoints));
    for (int i = 0; i < ScEdge::kMaxPoints; ++i)
        EXPECT_NEAR(curve[i], 30.0f * i / (ScEdge::kMaxPoints - 1), 1e-3f) << "evenly spaced controls, even samples";
    _graph->setDetails(ScGraph::DetailsAllNodes, true);
    EXPECT_FALSE(drawScene(*_graph, GeRectanglef(-100.0f, 1000.0f, -100.0f, 100.0f)).menuLast)
        << "no socket menu over the details";
}

// A link's rectangle reaches 0.1 further across the flow, so a straight link is never culled by an
// empty rectangle.
TEST_F(SceneGraphTest, LinksReachATenthFurtherAcrossTheFlowWhenCulled) {
    for (ScOrientation orientation : {ScOrientation::Down, ScOrientation::Right, ScOrientation::Up}) {
        ScGraph graph(this);
        graph.setOrientation(orientation);
        auto from = flowingRight(0.0f), to = flowingRight(100.0f);
        RCShdPtr<ScEdge> edge(new ScEdge(from, 0, 0, to, 0, 0, 0));
        graph.getEdges().insert(edge);
        GeRectanglef b;
        edge->getBounds(b, ScLinkStyle::Straight);
        const GeRectanglef beyondX(b.xMax + 0.05f, b.xMax + 50.0f, b.yMin, b.yMax);
        const GeRectanglef beyondY(b.xMin, b.xMax, b.yMax + 0.05f, b.yMax + 50.0f);
        EXPECT_EQ(drawScene(graph, beyondX).links, orientation != ScOrientation::Right ? 1 : 0)
            << "orientation " << toInt(orientation);
        EXPECT_EQ(drawScene(graph, beyondY).links, orientation == ScOrientation::Right ? 1 : 0)
            << "orientation " << toInt(orientation);
    }
}

TEST_F(SceneGraphTest, DetailsFlagsAndEmptyDraw) {
    EXPECT_TRUE(_graph->setDetails(ScGraph::DetailsOneNode, true));
    EXPECT_FALSE(_graph->setDetails(ScGraph::DetailsOneNode, true));
    EXPECT_TRUE(_graph->isShowingDetails());
    _graph->toggleDetails(ScGraph::DetailsOneNode);
    EXPECT_FALSE(_graph->isShowingDetails());

    GlRecorder::reset();
    ScDrawContext ctx({}, {}, {}, 1.0f, ScColorTable(NbColorIds), 1.0f);
    EXPECT_EQ(_graph->draw(ctx, GeRectangle<float>(-100, 100, -100, 100), ScLinkStyle::Curved, true),
              ScDrawResult::NoLabels);
    EXPECT_EQ(_graph->draw(ctx, GeRectangle<float>(-100, 100, -100, 100), ScLinkStyle::Curved, false),
              ScDrawResult::NoOverlays);
    EXPECT_TRUE(GlRecorder::getPrimitives().empty());
}

TEST_F(SceneGraphTest, LabelsUnderThePointerNeedTheOptionAndNoOpenMenu) {
    RCStrongPtr<StubNode> node = socketNode();
    _graph->getNodes().insert(node);
    _graph->setHighlight({node, 0, ScPart::Input, {}, {}});
    ScDrawContext ctx({}, WsFontRegistry::getFont(), WsFontRegistry::getFont(), 1.0f, ScColorTable(NbColorIds), 1.0f);
    GeRectangle<float> visible(-500, 500, -500, 500);
    EXPECT_EQ(_graph->draw(ctx, visible, ScLinkStyle::Straight, true), ScDrawResult::LabelsHidden);
    _graph->setShowLabelsUnderPointer(true);
    EXPECT_EQ(_graph->draw(ctx, visible, ScLinkStyle::Straight, true), ScDrawResult::LabelsShown);
    _graph->setHighlight({node, -1, ScPart::Body, {}, {}});
    EXPECT_EQ(_graph->draw(ctx, visible, ScLinkStyle::Straight, true), ScDrawResult::NoLabels)
        << "no tab under the pointer, no label";
}

TEST(ScSocketMenu, RowsFollowThePointerAndClosingRestoresTheNode) {
    RCShdPtr<WsFont> font = WsFontRegistry::getFont();
    ASSERT_FALSE(font.isNull());
    const float row = font->getAscent() + font->getDescent();
    RCStrongPtr<StubNode> node = socketNode();
    std::vector<ScNode::SocketRecord> entries{{0, false, "Front", 0}, {0, false, "Back", 2}, {0, false, "Mask", 1}};
    ScContext ctx(font, 2.0f);
    {
        RCShdPtr<ScSocketMenu> menu(new ScSocketMenu(node, ScPart::Input, 1, entries, {10.0f, 20.0f}, ctx));
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
        EXPECT_EQ(failedAssertion([&] {
                      ScSocketMenu(node, ScPart::Output, -1, {}, {0.0f, 0.0f}, ctx);
                  }),
                  "_numSockets > 0");
    }
    EXPECT_FALSE(node->isHighlighted());
}

// Random inserts and erases, with runs of collisions, against a plain list: membership, size and
// insertion order stay right through erasures in the middle of probe runs and compactions.
TEST(ScOrderedSet, MatchesAPlainListThroughInsertsAndErases) {
    struct Item : RCBase {};
    std::vector<RCStrongPtr<Item>> pool;
    for (int i = 0; i < 400; ++i) pool.push_back(makeRC<Item>());
    ScOrderedSet<Item> set;
    std::vector<Item*> expected;
    uint64_t seed = 7;
    auto next = [&seed](size_t n) {
        seed = seed * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<size_t>(seed >> 33) % n;
    };
    for (int step = 0; step < 20000; ++step) {
        Item* item = pool[next(pool.size())].get();
        const bool present = std::find(expected.begin(), expected.end(), item) != expected.end();
        if (next(3) == 0) {
            ASSERT_EQ(set.erase(item), present);
            std::erase(expected, item);
        } else {
            ASSERT_EQ(set.insert(RCStrongPtr<Item>(item)), !present);
            if (!present) expected.push_back(item);
        }
        ASSERT_EQ(set.size(), expected.size());
        if (step % 97 != 0) continue;
        std::vector<Item*> seen;
        for (const auto& kept : set) seen.push_back(kept.get());
        ASSERT_EQ(seen, expected) << "step " << step;
        for (const auto& candidate : pool)
            ASSERT_EQ(set.contains(candidate.get()),
                      std::find(expected.begin(), expected.end(), candidate.get()) != expected.end());
    }
    set.clear();
    EXPECT_TRUE(set.empty());
    EXPECT_FALSE(set.contains(pool.front().get()));
}

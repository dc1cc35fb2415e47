#include "tests/support/failedAssertion.h"
#include "tests/support/viewSingletons.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svHeadlessDisplay.h"
#include "views/schematic/src/svSceneBuilder.h"

#include "platform/base/cbMethod.h"
#include "platform/base/obHints.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piKeyframingUtil.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piSnItemConst.h"
#include "platform/graph/piSocketDesc.h"
#include "platform/graph/piUndoGuard.h"
#include "platform/graph/snSelection.h"
#include "platform/graph/uiComposition.h"

#include <gtest/gtest.h>

#include <string>

using namespace Zv;

namespace {

// Parameter sockets in this composition: Expression's Value output. Node 6 is hidden by its marker.
const char* const kComposition = R"(<composition version="1" name="Browse">
  <node id="1" tool="Checker" name="Plate"/>
  <node id="2" tool="Blur" name=""/>
  <node id="3" tool="Expression" name="Curve"/>
  <node id="4" tool="Output" name="Out"/>
  <node id="5" tool="Group" name="Look" visualGroup="1">
    <boundary id="11" direction="input" socket="Src"/>
    <node id="7" tool="Invert" name="Flip"/>
  </node>
  <node id="6" tool="Invert" name="Gone"><value key="Collapse" value="1"/></node>
  <node id="8" tool="Group" name="Inner">
    <boundary id="9" direction="output" socket="Out"/>
    <node id="10" tool="Constant" name="Fill"/>
  </node>
  <node id="12" tool="Checker" name="Src"/>
  <node id="13" tool="Blur" name="Folded"><value key="Collapse" value="1"/></node>
  <node id="14" tool="Invert" name="Head"><value key="Collapse" value="2"/></node>
  <link source="1" output="Result" target="2" input="Input"/>
  <link source="12" output="Result" target="13" input="Input"/>
  <link source="13" output="Result" target="14" input="Input"/>
  <link source="2" output="Result" target="4" input="Input"/>
  <link source="1" output="Result" target="6" input="Input"/>
  <link source="10" output="Result" target="9" input="Out"/>
  <link source="1" output="Result" target="5" input="Src"/>
  <link source="11" output="Src" target="7" input="Input"/>
</composition>)";

class BrowserGraphTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestSupport::setUpView(); }

    BrowserGraphTest() : _graph(PiGraph::create()) {
        PiCompositionFile::loadText(_graph, kComposition, "browse.xml");
        _browser = new SvBrowserGraph(_composition, &_display);
        for (int type : PiSocketDesc::kParameterTypes) _browser->setFilteredSocketType(type, true);
        _composition.setGraph(_graph);
    }
    ~BrowserGraphTest() override { _browser.reset(); }

    // Shows another composition in the view.
    void show(const char* composition) {
        _graph = PiGraph::create();
        PiCompositionFile::loadText(_graph, composition, "shown.xml");
        _composition.setGraph(_graph);
    }
    bool shows(int id) const { return _browser->getNodeMap().count(id) != 0; }
    const RCStrongPtr<ScNode>& sceneNode(int id) const { return _browser->getNodeMap().at(id); }
    RCStrongPtr<PiGroupNode> group(int id) const {
        RCStrongPtr<PiGroupNode> found;
        found.dynamicAssign(_graph->findNode(id));
        return found;
    }

    RCStrongPtr<PiGraph> _graph;
    UiComposition _composition;
    SvHeadlessDisplay _display{ScOrientation::Right, false};
    RCStrongPtr<SvBrowserGraph> _browser;
};

} // namespace

TEST_F(BrowserGraphTest, ShowsOneLevelWithoutHiddenOrParameterNodes) {
    EXPECT_TRUE(shows(1));
    EXPECT_TRUE(shows(4)) << "a node with no outputs is shown";
    EXPECT_FALSE(shows(3)) << "all outputs of filtered socket types";
    EXPECT_FALSE(shows(6)) << "marked hidden, even though connected";
    EXPECT_FALSE(shows(10)) << "inside a group node, not at this level";
    EXPECT_TRUE(shows(8));
    EXPECT_EQ(_browser->getEdgeMap().size(), 4u);
    EXPECT_FALSE(shows(13)) << "folded into its collapsed chain";
    bool chainLinked = false;
    for (const auto& [key, edge] : _browser->getEdgeMap()) {
        EXPECT_NE(edge->getSource(), edge->getTarget()) << "a chain never links its head to itself";
        chainLinked |=
            edge->getSource() == _browser->getNodeMap().at(12) && edge->getTarget() == _browser->getNodeMap().at(14);
    }
    EXPECT_TRUE(chainLinked) << "the chain's outside source feeds its head";
    EXPECT_EQ(_browser->getLastRefreshReason(), "SvBrowserGraph::resetDisplayGraph");
    for (const auto& [id, node] : _browser->getNodeMap()) EXPECT_TRUE(node->isPlaced()) << "node " << id;

    _graph->renameNode(_graph->findNode(2), "");
    _browser->refreshGraph("test");
    EXPECT_EQ(_browser->getNodeMap().at(2)->getName(), "UnNamed");
}

TEST_F(BrowserGraphTest, VisualGroupMembersShowAtItsLevelInsideAGroupBox) {
    EXPECT_FALSE(shows(5)) << "the visual group is a box, not a node";
    EXPECT_FALSE(shows(11)) << "nor are its boundary nodes";
    bool linkedAcross = false;
    for (const auto& [key, edge] : _browser->getEdgeMap())
        linkedAcross |=
            edge->getSource() == _browser->getNodeMap().at(1) && edge->getTarget() == _browser->getNodeMap().at(7);
    EXPECT_TRUE(linkedAcross) << "a link through the group's socket joins the outer source to the inner consumer";
    ASSERT_TRUE(shows(7));
    ASSERT_EQ(_browser->getScene()->getGroups().size(), 1u);
    const auto& box = *_browser->getScene()->getGroups().begin();
    ASSERT_EQ(box->getMembers().size(), 1u);
    EXPECT_EQ(box->getMembers()[0], _browser->getNodeMap().at(7));
    GeRectangle<float> member;
    box->getMembers()[0]->getBoxBounds(member);
    EXPECT_TRUE(box->getRect().contains(member.getCenter()));
}

TEST_F(BrowserGraphTest, GroupLevelsKeepTheirZoomAndPanAndRemovalReturnsToTheRoot) {
    _display.setUserZoomPan({2.0f, 10.0f, 20.0f});
    _browser->editGroupNode(group(8));
    EXPECT_TRUE(shows(10));
    EXPECT_TRUE(shows(9));
    EXPECT_EQ(_browser->getNodeMap().at(9)->getName(), "Out Output Image");
    EXPECT_FALSE(shows(1));
    _display.setUserZoomPan({0.5f, -3.0f, 4.0f});

    _browser->exitGroupNode();
    EXPECT_TRUE(shows(1));
    EXPECT_FLOAT_EQ(_display.getUserZoomPan().zoom, 2.0f) << "the root's view comes back";
    _browser->editGroupNode(group(8));
    EXPECT_FLOAT_EQ(_display.getUserZoomPan().zoom, 0.5f);
    EXPECT_FLOAT_EQ(_display.getUserZoomPan().panX, -3.0f);

    const int resets = _display.getNbZoomPanResets();
    _graph->removeNode(group(8));
    EXPECT_TRUE(shows(1)) << "back at the root";
    EXPECT_EQ(_display.getNbZoomPanResets(), resets + 1);
}

TEST_F(BrowserGraphTest, SelectionIsMirroredBothWaysWithoutRedundantRedraws) {
    _graph->getSelection()->add(PiSnItemConst<PiNode>::create(_graph->findNode(1)));
    EXPECT_TRUE(_browser->getNodeMap().at(1)->isSelected());
    EXPECT_EQ(_display.getRedrawReasons().back(), "SvBrowserGraph::selectionChanged");

    _browser->getNodeMap().at(4)->setSelected(true);
    const size_t redraws = _display.getRedrawReasons().size();
    _browser->applySceneSelectionToModel();
    EXPECT_EQ(_graph->getSelection()->getNbItems(), 2);
    EXPECT_EQ(_display.getRedrawReasons().size(), redraws) << "the scene already shows this selection";

    _graph->getSelection()->replaceAll({PiSnItemConst<PiInput>::create(_graph->findNode(4)->getInput(0))});
    EXPECT_FALSE(sceneNode(1)->isSelected());
    for (const auto& [key, edge] : _browser->getEdgeMap())
        EXPECT_EQ(edge->isSelected(), edge->getTarget() == sceneNode(4)) << "a selected input selects its link";
}

// Listed consumer first: each node pulls in its sources depth first, before its own links are made.
TEST_F(BrowserGraphTest, UpstreamNodesComeInDepthFirstAndEachValueOfAMultiValuedInputHasItsTab) {
    show(R"(<composition version="1" name="Pull">
      <node id="1" tool="Output" name="Out"/>
      <node id="2" tool="Merge" name="Mix"/>
      <node id="3" tool="Blur" name="A"/>
      <node id="4" tool="Over" name="B"/>
      <node id="5" tool="Invert" name="C"/>
      <node id="6" tool="Checker" name="P"/>
      <node id="7" tool="Constant" name="Q"/>
      <node id="8" tool="Keyer" name="K"/>
      <link source="2" output="Result" target="1" input="Input"/>
      <link source="3" output="Result" target="2" input="Inputs"/>
      <link source="4" output="Result" target="2" input="Inputs"/>
      <link source="5" output="Result" target="2" input="Inputs"/>
      <link source="6" output="Result" target="3" input="Input"/>
      <link source="6" output="Result" target="4" input="Front"/>
      <link source="7" output="Result" target="4" input="Back"/>
      <link source="8" output="Matte" target="4" input="Mask"/>
      <link source="7" output="Result" target="8" input="Input"/>
      <link source="7" output="Result" target="5" input="Input"/>
    </composition>)");
    std::string nodes, edges;
    for (const auto& node : _browser->getScene()->getNodes())
        nodes += std::to_string(node->getProcessingNode()->getId()) + " ";
    // source.fan>target:tab/fan
    for (const auto& edge : _browser->getScene()->getEdges())
        edges += std::to_string(edge->getSource()->getProcessingNode()->getId()) + "." +
                 std::to_string(edge->getSourceFanIndex()) + ">" +
                 std::to_string(edge->getTarget()->getProcessingNode()->getId()) + ":" +
                 std::to_string(edge->getTargetSocket()) + "/" + std::to_string(edge->getTargetFanIndex()) + " ";
    EXPECT_EQ(nodes, "1 2 3 6 4 7 8 5 ");
    EXPECT_EQ(edges,
              "6.0>3:0/0 3.0>2:0/0 6.1>4:0/0 7.0>4:1/0 7.1>8:0/0 8.0>4:2/0 4.0>2:1/1 7.2>5:0/0 5.0>2:2/2 2.0>1:0/0 ");
    EXPECT_EQ(sceneNode(2)->getInputs().size(), 3u);
    auto key = _browser->getEdgeMap().begin();
    for (const auto& edge : _browser->getScene()->getEdges())
        EXPECT_EQ(edge, (key++)->second) << "keys follow the order";
}

TEST_F(BrowserGraphTest, ModelEditsReachTheScenePiecewiseButTheViewsOwnPositionWritesDoNot) {
    const RCStrongPtr<ScNode> plate = sceneNode(1);
    _browser->storeAllPositions();
    GePoint2<float> stored;
    ASSERT_TRUE(PiSchematicInterfaceEx::getXYPosition(*_graph->findNode(1), stored.x, stored.y));
    EXPECT_EQ(stored, plate->getPosition()) << "the rebuild stored the positions it gave";
    EXPECT_EQ(_graph->getCommandStack().getNbUndoEntries(), 0);

    RCStrongPtr<PiNode> added = _graph->createNode("Blur", _graph->getRootGroup(), "Added");
    ASSERT_TRUE(shows(added->getId()));
    EXPECT_TRUE(sceneNode(added->getId())->isPlaced()) << "a node without a position is laid out";
    ASSERT_TRUE(PiSchematicInterfaceEx::getXYPosition(*added, stored.x, stored.y));
    EXPECT_EQ(stored, sceneNode(added->getId())->getPosition()) << "and the model keeps where it went";
    _graph->connect(_graph->findNode(1)->getOutput(0), added->getInput(0));
    EXPECT_EQ(_browser->getEdgeMap().size(), 5u);
    _graph->getCommandStack().undo();
    EXPECT_EQ(_browser->getEdgeMap().size(), 4u);
    _graph->renameNode(_graph->findNode(1), "Board");
    EXPECT_EQ(sceneNode(1)->getName(), "Board");
    PiSchematicInterfaceEx::setXYPosition(_graph->findNode(1), 500.0f, 250.0f);
    EXPECT_EQ(sceneNode(1)->getPosition(), GePoint2<float>(500.0f, 250.0f)) << "a move by another client";
    EXPECT_EQ(sceneNode(1), plate) << "nothing was rebuilt";
    EXPECT_EQ(_browser->getLastRefreshReason(), "SvBrowserGraph::resetDisplayGraph");
    EXPECT_EQ(_display.getRedrawReasons().back(), "SvBrowserGraph::graphChanged( nodes + connections )");

    PiKeyframingUtil::markTool(_graph->findNode(1));
    const auto& reasons = _display.getRedrawReasons();
    EXPECT_NE(std::find(reasons.begin(), reasons.end(), "SvBrowserGraph::markingChangedCb"), reasons.end());
}

// Values change their scene nodes and boxes in place; every batch, even an empty one, ends with the
// thumbnail pass.
TEST_F(BrowserGraphTest, ValuesChangeTheirNodesInPlace) {
    const RCStrongPtr<ScNode> plate = sceneNode(1);
    const RCShdPtr<ScGroup> look = *_browser->getScene()->getGroups().begin();
    const int passes = _browser->getNbThumbnailPasses();
    PiSchematicInterfaceEx::enableThumbnail(_graph->findNode(1), true);
    EXPECT_TRUE(plate->isThumbnailShown());
    PiSchematicInterfaceEx::setNodeColor(_graph->findNode(1), {0.5f, 0.25f, 0.125f});
    EXPECT_TRUE(plate->hasColor());
    EXPECT_FLOAT_EQ(plate->getColor().g, 0.25f);
    PiSchematicInterfaceEx::removeNodeColor(_graph->findNode(1));
    EXPECT_FALSE(plate->hasColor());
    PiSchematicInterfaceEx::setNodeColor(group(5), {0.5f, 0.25f, 0.125f});
    EXPECT_FLOAT_EQ(look->getColor().b, 0.125f);
    PiSchematicInterfaceEx::removeNodeColor(group(5));
    EXPECT_FLOAT_EQ(look->getColor().r, ScGroup::kDefaultColor.r) << "the box takes its default colour back";
    PiSchematicInterfaceEx::setVisualGroupLock(group(5), PiLockMode::Group);
    EXPECT_EQ(look->getLockState(), PiLockMode::Group);
    PiSchematicInterfaceEx::removeVisualGroupLock(group(5));
    EXPECT_EQ(look->getLockState(), PiLockMode::None);
    EXPECT_EQ(sceneNode(1), plate);
    EXPECT_EQ(_browser->getLastRefreshReason(), "SvBrowserGraph::resetDisplayGraph") << "no rebuild";
    EXPECT_EQ(_browser->getNbThumbnailPasses(), passes + 7);
    _browser->update(ObHints());
    EXPECT_EQ(_browser->getNbThumbnailPasses(), passes + 8);
}

// The conversion marker follows the source of a mask at once, before the batch's hints arrive.
TEST_F(BrowserGraphTest, ConversionMarkersFollowTheirInputsSources) {
    RCStrongPtr<PiNode> grade = _graph->createNode("ColorCorrect", _graph->getRootGroup(), "Grade");
    ASSERT_TRUE(shows(grade->getId()));
    {
        PiUndoGuard guard(_graph->getCommandStack(), "Connect");
        _graph->connect(_graph->findNode(1)->getOutput(0), grade->getInput(1));
        EXPECT_TRUE(sceneNode(grade->getId())->getInputs().at(1).converted) << "an image into a mask converts";
    }
    EXPECT_TRUE(sceneNode(grade->getId())->getInputs().at(1).converted);
    EXPECT_FALSE(sceneNode(grade->getId())->getInputs().at(0).converted);
    _browser->refreshGraph("test");
    EXPECT_TRUE(sceneNode(grade->getId())->getInputs().at(1).converted) << "a rebuild shows it too";
    _graph->disconnect(grade->getInput(1));
    EXPECT_FALSE(sceneNode(grade->getId())->getInputs().at(1).converted);
}

TEST_F(BrowserGraphTest, RefreshRequestsOfShownNodesRebuildAndTellTheirMessage) {
    _graph->requestRefresh(_graph->findNode(1), "the file is gone");
    EXPECT_EQ(_browser->getLastRefreshReason(), "SvBrowserGraph::nodeRefreshCb");
    ASSERT_FALSE(_display.getWarnings().empty());
    EXPECT_EQ(_display.getWarnings().back(), "the file is gone");
    _browser->refreshGraph("test");
    _graph->requestRefresh(_graph->findNode(10), "");
    EXPECT_EQ(_browser->getLastRefreshReason(), "test") << "a node the view does not show";
}

// Shown to users as 1 to N.
TEST_F(BrowserGraphTest, ContextPointsAreNumberedFromZeroToNMinusOneAndSurviveRebuilds) {
    const int last = UiCompositionClient::getNbContextPoints() - 1;
    _composition.setContextPoint(last, _graph->findNode(1));
    EXPECT_TRUE(sceneNode(1)->hasContextPoint(last));
    _browser->refreshGraph("test");
    EXPECT_TRUE(sceneNode(1)->hasContextPoint(last)) << "a rebuild marks every context point";
    EXPECT_EQ(sceneNode(1)->getContextPointPrefix(), "(C" + std::to_string(last + 1) + ") ");
    for (int tag : {last + 1, -1})
        EXPECT_EQ(TestSupport::failedAssertion([&] { _composition.setContextPoint(tag, _graph->findNode(2)); }),
                  "tag >= 0 && tag < UiCompositionClient::getNbContextPoints()");
    _composition.setContextPoint(last, nullptr);
    EXPECT_EQ(sceneNode(1)->getContextPointCount(), 0);
}

TEST_F(BrowserGraphTest, NodesOfLockedVisualGroupsStayWhereTheyAre) {
    EXPECT_TRUE(_browser->isPlaceable(*sceneNode(1)));
    for (auto [mode, placeable] : {std::pair{PiLockMode::None, true}, std::pair{PiLockMode::Tools, false},
                                   std::pair{PiLockMode::Group, false}}) {
        PiSchematicInterfaceEx::setVisualGroupLock(group(5), mode);
        EXPECT_EQ(_browser->isPlaceable(*sceneNode(7)), placeable) << "lock mode " << toInt(mode);
    }
}

// Later edits add and remove single nodes: a node leaves with its links and group membership, and
// comes back with them, the scene and the maps agreeing throughout.
TEST_F(BrowserGraphTest, SceneBuilderAddsAndRemovesOneNodeWithItsLinks) {
    RCShdPtr<ScGraph> scene(new ScGraph(_browser.get()));
    SvSceneBuilder builder(_composition, *scene, _display,
                           makeRC<CbFunction<const PiSchematicNodeInfo&>>([](const auto&) {}));
    for (int type : {0, 1, 2, 3, 4, 6, 11, 13}) builder.setFilteredSocketType(type, true);
    builder.build(_graph->getRootGroup()->getId(), _graph->getRootGroup()->getMembers());
    const auto ids = [](const auto& map) {
        std::set<int> keys;
        for (const auto& [id, item] : map) keys.insert(id);
        return keys;
    };
    EXPECT_EQ(ids(builder.getNodeMap()), ids(_browser->getNodeMap()));
    const auto linksAgree = [&](size_t links) {
        EXPECT_EQ(builder.getEdgeMap().size(), links);
        EXPECT_EQ(scene->getEdges().size(), links);
        EXPECT_EQ(scene->getNodes().size(), builder.getNodeMap().size());
        for (const auto& edge : scene->getEdges())
            for (const ScNode* end : {edge->getSource().get(), edge->getTarget().get()})
                EXPECT_TRUE(scene->getNodes().contains(end));
    };
    linksAgree(4);
    builder.removeNode(2);
    EXPECT_FALSE(builder.getNodeMap().count(2));
    linksAgree(2);
    builder.addNode(_graph->findNode(2));
    linksAgree(4);
    const RCShdPtr<ScGroup> look = builder.findGroup(5);
    ASSERT_TRUE(look);
    builder.removeNode(7);
    EXPECT_TRUE(look->getMembers().empty());
    linksAgree(3);
    builder.addNode(_graph->findNode(7));
    ASSERT_EQ(look->getMembers().size(), 1u);
    EXPECT_EQ(look->getMembers()[0], builder.getNodeMap().at(7));
    linksAgree(4);
    builder.removeNode(1);
    linksAgree(2);
    // Plate feeds Flip through the socket of Flip's group.
    builder.addNode(_graph->findNode(1));
    linksAgree(4);
}

// Random edits of a shown composition, made from outside the view and by the view's own commands:
// after every step the scene the hints left must equal a fresh build of the same document.
#include "tests/support/sceneDump.h"
#include "tests/support/viewSingletons.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svGraphEditor.h"
#include "views/schematic/src/svHeadlessDisplay.h"

#include "platform/base/exBase.h"
#include "platform/graph/omGraphEx.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piGroupUtils.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piSnItemConst.h"
#include "platform/graph/piSocketDesc.h"
#include "platform/graph/piUndoGuard.h"
#include "platform/graph/snSelection.h"
#include "platform/graph/uiComposition.h"
#include "platform/ui/drCarrier.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

using namespace Zv;

namespace {

// Chains, a collapsed one among them, fan-in with a multi-valued input, masks, a visual group and a
// group with sockets.
const char* const kStart = R"(<composition version="1" name="Random">
  <node id="1" tool="Checker" name="A" x="0" y="0"/>
  <node id="2" tool="Blur" name="B" x="100" y="0"/>
  <node id="3" tool="Invert" name="C" x="200" y="0"><value key="Collapse" value="1"/></node>
  <node id="4" tool="ColorCorrect" name="D" x="300" y="0"><value key="Collapse" value="2"/></node>
  <node id="5" tool="Constant" name="E" x="300" y="100"/>
  <node id="6" tool="Merge" name="F" x="400" y="0"/>
  <node id="7" tool="Output" name="G" x="500" y="0"/>
  <node id="8" tool="Group" name="Look" visualGroup="1">
    <boundary id="9" direction="input" socket="Src"/>
    <node id="10" tool="Keyer" name="K" x="200" y="200"/>
    <node id="11" tool="Over" name="O" x="300" y="200"/>
  </node>
  <node id="12" tool="Group" name="Inner" x="400" y="-100">
    <boundary id="13" direction="output" socket="Out"/>
    <node id="14" tool="Constant" name="Fill" x="0" y="0"/>
    <node id="15" tool="Transform" name="Move" x="100" y="0"/>
  </node>
  <link source="1" output="Result" target="2" input="Input"/>
  <link source="2" output="Result" target="3" input="Input"/>
  <link source="3" output="Result" target="4" input="Input"/>
  <link source="5" output="Result" target="4" input="Mask"/>
  <link source="4" output="Result" target="6" input="Inputs"/>
  <link source="12" output="Out" target="6" input="Inputs"/>
  <link source="6" output="Result" target="7" input="Input"/>
  <link source="1" output="Result" target="8" input="Src"/>
  <link source="9" output="Src" target="10" input="Input"/>
  <link source="10" output="Matte" target="11" input="Mask"/>
  <link source="14" output="Result" target="15" input="Input"/>
  <link source="15" output="Result" target="13" input="Out"/>
</composition>)";

const char* const kTools[] = {"Blur", "Invert", "Merge", "Over", "Checker", "Keyer", "Group"};

class HintPropertyTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestSupport::setUpView(); }

    void start() {
        TearDown();
        _graph = PiGraph::create();
        PiCompositionFile::loadText(_graph, kStart, "random.xml");
        _composition = std::make_unique<UiComposition>();
        _display = std::make_unique<SvHeadlessDisplay>(ScOrientation::Right, false);
        _browser = makeBrowser(*_composition, *_display);
        _composition->setGraph(_graph);
    }
    void TearDown() override {
        _browser.reset();
        _composition.reset();
    }

    static RCStrongPtr<SvBrowserGraph> makeBrowser(UiComposition& composition, SvHeadlessDisplay& display) {
        RCStrongPtr<SvBrowserGraph> browser(new SvBrowserGraph(composition, &display));
        for (int type : PiSocketDesc::kParameterTypes) browser->setFilteredSocketType(type, true);
        return browser;
    }

    // A second view made now, shown at the level the tested view shows.
    std::string dumpFreshBuild() const {
        UiComposition composition;
        SvHeadlessDisplay display(ScOrientation::Right, false);
        RCStrongPtr<SvBrowserGraph> fresh = makeBrowser(composition, display);
        composition.setGraph(_graph);
        if (const RCStrongPtr<PiGroupNode>& level = _browser->getCurrentGroup()) fresh->editGroupNode(level);
        std::string dump = TestSupport::dumpScene(*fresh->getScene());
        fresh.reset();
        return dump;
    }

    int below(int n) {
        _state = _state * 6364136223846793005ull + 1442695040888963407ull;
        return n <= 0 ? 0 : static_cast<int>((_state >> 33) % static_cast<uint64_t>(n));
    }

    std::vector<RCStrongPtr<PiNode>> allNodes() const {
        std::vector<RCStrongPtr<PiNode>> nodes;
        PiGroupUtils::walkTree(
            *_graph->getRootGroup(),
            [&](PiNode& node) {
                if (&node != _graph->getRootGroup().get()) nodes.emplace_back(&node);
                return true;
            },
            [](PiNode&) {});
        return nodes;
    }
    RCStrongPtr<PiNode> anyNode() {
        const auto nodes = allNodes();
        return nodes.empty() ? RCStrongPtr<PiNode>() : nodes[below(static_cast<int>(nodes.size()))];
    }
    RCStrongPtr<PiGroupNode> anyGroup() {
        RCStrongPtr<PiGroupNode> group;
        for (int tries = 0; tries < 8 && group.isNull(); ++tries) group.dynamicAssign(anyNode());
        return group;
    }
    // The shown level's group most of the time, so that most edits show.
    RCStrongPtr<PiGroupNode> someGroup() {
        if (below(4) == 0)
            if (RCStrongPtr<PiGroupNode> group = anyGroup()) return group;
        const RCStrongPtr<PiGroupNode>& level = _browser->getCurrentGroup();
        return level.isNull() ? _graph->getRootGroup() : level;
    }
    RCStrongPtr<PiNode> memberOf(const RCStrongPtr<PiGroupNode>& group) {
        const auto& members = group->getMembers();
        return members.empty() ? RCStrongPtr<PiNode>() : members[below(static_cast<int>(members.size()))];
    }

    // One model edit as one undo entry; an edit the model refuses changes nothing.
    void edit(const char* name, const std::function<void()>& change) {
        try {
            PiUndoGuard guard(_graph->getCommandStack(), name);
            change();
        } catch (const OmGraphEx&) {
        }
    }

    void step();
    void connect();
    void disconnect();
    void viewEdit();

    RCStrongPtr<PiGraph> _graph;
    std::unique_ptr<UiComposition> _composition;
    std::unique_ptr<SvHeadlessDisplay> _display;
    RCStrongPtr<SvBrowserGraph> _browser;
    uint64_t _state = 0;
};

void HintPropertyTest::connect() {
    const RCStrongPtr<PiGroupNode> group = someGroup();
    const RCStrongPtr<PiNode> from = memberOf(group), to = memberOf(group);
    if (from.isNull() || to.isNull() || from->getNbOutputs() == 0 || to->getNbInputs() == 0) return;
    const RCStrongPtr<PiOutput> output = from->getOutputs()[below(from->getNbOutputs())];
    const RCStrongPtr<PiInput> input = to->getInputs()[below(to->getNbInputs())];
    edit("Connect", [&] { _graph->connect(output, input); });
}

void HintPropertyTest::disconnect() {
    std::vector<RCStrongPtr<PiInput>> connected;
    for (const auto& node : allNodes())
        for (const auto& input : node->getInputs()) {
            if (auto* multi = dynamic_cast<PiMultivaluedInput*>(input.get()))
                for (const auto& value : multi->getValues()) connected.push_back(value);
            else if (input->isConnected()) connected.push_back(input);
        }
    if (connected.empty()) return;
    const RCStrongPtr<PiInput> input = connected[below(static_cast<int>(connected.size()))];
    edit("Disconnect", [&] { _graph->disconnect(input); });
}

// One of the view's own edits, as its menus and tools make them; a refused one changes nothing.
void HintPropertyTest::viewEdit() {
    SvGraphEditor& editor = _browser->getEditor();
    const RCStrongPtr<PiGroupNode> level = someGroup();
    const RCStrongPtr<PiNode> node = memberOf(level), other = memberOf(level);
    RCStrongPtr<PiGroupNode> group;
    group.dynamicAssign(node);
    try {
        switch (below(8)) {
        case 0:
            if (node && other && node->getNbOutputs() > 0 && other->getNbInputs() > 0)
                editor.connect(*node, below(node->getNbOutputs()), *other, below(other->getNbInputs()));
            break;
        case 1:
            if (other && other->getNbInputs() > 0) editor.disconnect(other->getInputs()[below(other->getNbInputs())]);
            break;
        case 2:
            if (node && other && other->getNbInputs() > 0 && other->getInputs()[0]->isConnected())
                editor.insert(node, other->getInputs()[0]->getOutput(), other->getInputs()[0]);
            break;
        case 3:
            if (node && other) editor.groupNodes({node, other});
            break;
        case 4:
            if (group) editor.ungroup(group);
            break;
        case 5:
            if (node && below(2) == 0) editor.color(node, {0.25f, 0.5f, 0.75f});
            else if (node) editor.clearColor(node);
            break;
        case 6:
            if (RCShdPtr<DrCarrier> copied = below(2) == 0 ? editor.copy() : editor.cut()) {
                const GePoint2<float> at(static_cast<float>(below(800)), static_cast<float>(below(400)));
                editor.paste(copied->getText(), &at);
            }
            break;
        case 7:
            if (node && PiSchematicInterfaceEx::isVisualGroup(*level)) editor.removeFromVisualGroup({node});
            else if (group && other && other != node && PiSchematicInterfaceEx::isVisualGroup(*group))
                editor.addToVisualGroup({other}, group);
            break;
        }
    } catch (const ExBadInput&) {
    } catch (const OmGraphEx&) {
    }
}

void HintPropertyTest::step() {
    CmCommandStack& stack = _graph->getCommandStack();
    switch (below(19)) {
    case 17:
    case 18: viewEdit(); break;
    case 0:
    case 1: connect(); break;
    case 2: disconnect(); break;
    case 3: {
        const RCStrongPtr<PiGroupNode> group = someGroup();
        const char* tool = kTools[below(static_cast<int>(std::size(kTools)))];
        const bool placed = below(2) == 0;
        const float x = static_cast<float>(below(800)), y = static_cast<float>(below(400));
        edit("Add", [&] {
            RCStrongPtr<PiNode> node = _graph->createNode(tool, group);
            if (placed) PiSchematicInterfaceEx::setXYPosition(node, x, y);
        });
        break;
    }
    case 4:
        if (RCStrongPtr<PiNode> node = anyNode(); node && node != _browser->getCurrentGroup())
            edit("Delete", [&] { _graph->removeNode(node); });
        break;
    case 5:
        if (RCStrongPtr<PiNode> node = anyNode())
            edit("Rename", [&] { _graph->renameNode(node, "N" + std::to_string(below(1000))); });
        break;
    case 6:
        if (RCStrongPtr<PiNode> node = anyNode())
            edit("Move", [&] {
                PiSchematicInterfaceEx::setXYPosition(node, static_cast<float>(below(800)),
                                                      static_cast<float>(below(400)));
            });
        break;
    case 7: {
        SnSelection::Items items;
        for (int i = below(3); i > 0; --i)
            if (RCStrongPtr<PiNode> node = anyNode()) items.push_back(PiSnItemConst<PiNode>::create(node));
        if (RCStrongPtr<PiNode> node = anyNode(); node && node->getNbInputs() > 0 && below(2) == 0)
            items.push_back(PiSnItemConst<PiInput>::create(node->getInputs()[0]));
        _graph->getSelection()->replaceAll(items);
        break;
    }
    case 8:
    case 9:
        if (stack.canUndo()) stack.undo();
        break;
    case 10:
        if (stack.canRedo()) stack.redo();
        break;
    case 11:
        if (RCStrongPtr<PiNode> node = anyNode()) edit("Collapse", [&] { PiNodeUtils::toggleCollapse(node); });
        break;
    case 12:
        if (RCStrongPtr<PiGroupNode> group = anyGroup())
            edit("Visual Group", [&] {
                PiSchematicInterfaceEx::setVisualGroup(group, !PiSchematicInterfaceEx::isVisualGroup(*group));
            });
        break;
    case 13:
        if (RCStrongPtr<PiNode> node = anyNode(); node && !dynamic_cast<PiBoundaryNode*>(node.get()))
            edit("Move Node", [&] { _graph->moveNode(node, someGroup()); });
        break;
    case 14:
        if (RCStrongPtr<PiNode> node = anyNode())
            edit("Look", [&] {
                if (below(3) == 0) PiSchematicInterfaceEx::setVisualGroupLock(node, static_cast<PiLockMode>(below(3)));
                else if (below(2) == 0) PiSchematicInterfaceEx::setNodeColor(node, {0.5f, 0.25f, 0.125f});
                else if (PiImageModifier::isImageModifier(*node)) PiImageModifier::setMuted(node, below(2) == 0);
                else PiSchematicInterfaceEx::enableThumbnail(node, below(2) == 0);
            });
        break;
    case 15:
        if (RCStrongPtr<PiGroupNode> group = anyGroup())
            edit("Add Socket",
                 [&] { _graph->addGroupSocket(group, "S" + std::to_string(below(1000)), below(2) == 0); });
        break;
    case 16:
        if (RCStrongPtr<PiGroupNode> group = anyGroup(); group && below(2) == 0) _browser->editGroupNode(group);
        else _browser->exitGroupNode();
        break;
    }
}

} // namespace

TEST_F(HintPropertyTest, AfterEveryEditTheSceneEqualsAFreshBuild) {
    constexpr int kSeeds = 150, kSteps = 100;
    int piecewise = 0;
    for (int seed = 1; seed <= kSeeds; ++seed) {
        start();
        _state = static_cast<uint64_t>(seed);
        for (int i = 0; i < kSteps; ++i) {
            const size_t redraws = _display->getRedrawReasons().size();
            step();
            const auto& reasons = _display->getRedrawReasons();
            for (size_t r = redraws; r < reasons.size(); ++r)
                piecewise += reasons[r] == "SvBrowserGraph::graphChanged( nodes + connections )";
            ASSERT_EQ(TestSupport::dumpScene(*_browser->getScene()), dumpFreshBuild())
                << "seed " << seed << ", step " << i;
        }
    }
    EXPECT_GT(piecewise, kSeeds * kSteps / 4) << "most edits apply piecewise";
}

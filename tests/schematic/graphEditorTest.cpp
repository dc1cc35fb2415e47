#include "tests/support/viewSingletons.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svHeadlessDisplay.h"

#include "platform/base/exBase.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piGroupUtils.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/piSocketDesc.h"
#include "platform/graph/snSelection.h"
#include "platform/graph/uiComposition.h"
#include "platform/ui/drCarrier.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace Zv;

namespace {

// Look is a coloured visual group around Grade; Held a locked one; Extra stands aside.
const char* const kComposition = R"(<composition version="1" name="Edits">
  <node id="1" tool="Checker" name="Plate" x="0" y="0"/>
  <node id="2" tool="Blur" name="Soft" x="100" y="0" color="0.1 0.2 0.3"/>
  <node id="3" tool="Invert" name="Flip" x="100" y="100"/>
  <node id="4" tool="Merge" name="Mix" x="200" y="0"/>
  <node id="5" tool="Group" name="Look" x="300" y="0" visualGroup="1" color="0.5 0.25 0.75">
    <boundary id="6" direction="input" socket="Src"/>
    <boundary id="7" direction="output" socket="Out"/>
    <node id="8" tool="ColorCorrect" name="Grade" x="300" y="0"/>
  </node>
  <node id="9" tool="Group" name="Held" x="300" y="200" visualGroup="1" lock="2">
    <node id="10" tool="Constant" name="Fill" x="300" y="200"/>
  </node>
  <node id="11" tool="Output" name="Out" x="500" y="0"/>
  <node id="12" tool="Blur" name="Extra" x="150" y="-100"/>
  <link source="1" output="Result" target="2" input="Input"/>
  <link source="1" output="Result" target="3" input="Input"/>
  <link source="2" output="Result" target="4" input="Inputs"/>
  <link source="3" output="Result" target="4" input="Inputs"/>
  <link source="4" output="Result" target="5" input="Src"/>
  <link source="6" output="Src" target="8" input="Input"/>
  <link source="8" output="Result" target="7" input="Out"/>
  <link source="5" output="Out" target="11" input="Input"/>
</composition>)";

class GraphEditorTest : public testing::Test {
protected:
    static void SetUpTestSuite() { TestSupport::setUpView(); }

    GraphEditorTest() : _graph(PiGraph::create()) {
        PiCompositionFile::loadText(_graph, kComposition, "edits.xml");
        _browser = new SvBrowserGraph(_composition, &_display);
        for (int type : PiSocketDesc::kParameterTypes) _browser->setFilteredSocketType(type, true);
        _composition.setGraph(_graph);
    }
    ~GraphEditorTest() override { _browser.reset(); }

    SvGraphEditor& editor() { return _browser->getEditor(); }
    CmCommandStack& stack() { return _graph->getCommandStack(); }
    std::string saved() const { return PiCompositionFile::saveText(*_graph); }
    RCStrongPtr<PiNode> node(int id) const { return _graph->findNode(id); }
    RCStrongPtr<PiGroupNode> group(int id) const { return rcCheckedCast<PiGroupNode>(node(id)); }
    void select(const std::vector<int>& ids) {
        SnSelection::Items items;
        for (int id : ids) items.push_back(PiSnItemUtil::create(node(id)));
        _composition.getSelection()->replaceAll(items);
    }

    // Every connection between processing nodes, seen through group sockets, in consumer order:
    // moving nodes across a group's edge must keep each of them, values in their order.
    std::vector<std::string> flatLinks() const {
        std::vector<std::string> links;
        auto source = [](RCStrongPtr<PiOutput> output) -> std::string {
            while (!output.isNull()) {
                PiNode* from = output->getNodePtr();
                if (auto* group = dynamic_cast<PiGroupNode*>(from)) {
                    output = rcCheckedCast<PiInput>(group->getBoundaryNode(*output)->getInnerSocket())->getOutput();
                } else if (auto* boundary = dynamic_cast<PiBoundaryNode*>(from)) {
                    output = static_cast<PiInput&>(*boundary->getGroupSocket()).getOutput();
                } else {
                    return from->getName().str() + "." + output->getName().str();
                }
            }
            return "none";
        };
        PiGroupUtils::walkTree(
            *_graph->getRootGroup(),
            [&](PiNode& consumer) {
                if (dynamic_cast<PiGroupNode*>(&consumer) || dynamic_cast<PiBoundaryNode*>(&consumer)) return true;
                for (const auto& input : consumer.getInputs()) {
                    const std::string to = "->" + consumer.getName().str() + "." + input->getName().str();
                    if (auto* multi = dynamic_cast<PiMultivaluedInput*>(input.get()))
                        for (const auto& value : multi->getValues())
                            links.push_back(source(value->getOutput()) + to + "#" + std::to_string(value->getIndex()));
                    else if (input->isConnected()) links.push_back(source(input->getOutput()) + to);
                }
                return true;
            },
            [](PiNode&) {});
        std::sort(links.begin(), links.end());
        return links;
    }

    RCStrongPtr<PiGraph> _graph;
    UiComposition _composition;
    SvHeadlessDisplay _display{ScOrientation::Right, false};
    RCStrongPtr<SvBrowserGraph> _browser;
};

TEST_F(GraphEditorTest, EveryEditIsOneNamedStepThatUndoesAndRedoesToTheSavedFileByteForByte) {
    const PiSchematicInterfaceEx::Color red{1.0f, 0.0f, 0.0f};
    const GePoint2<float> point{1000.0f, 1000.0f};
    struct Edit {
        const char* entry;
        std::function<void()> run;
        std::vector<int> selected = {};
    };
    const Edit edits[] = {
        {"Connect", [&] { editor().connect(*node(12), 0, *node(4), 0); }},
        {"Disconnect", [&] { editor().disconnect(node(3)->getInput(0)); }},
        {"Insert", [&] { editor().insert(node(12), node(2)->getOutput(0), node(4)->getInput(0)); }},
        {"Group Nodes",
         [&] {
             editor().groupNodes({node(2), node(3)});
         }},
        {"Group", [&] { editor().moveIntoGroup({node(3)}, group(5)); }},
        {"Add to Group",
         [&] {
             editor().addToVisualGroup({node(4), node(12)}, group(5));
         }},
        {"Remove from Group", [&] { editor().removeFromVisualGroup({node(8)}); }},
        {"Ungroup", [&] { editor().ungroup(group(5)); }},
        {"Color", [&] { editor().color(node(2), red); }},
        {"Color", [&] { editor().color(node(3), red); }},
        {"Clear Color", [&] { editor().clearColor(node(2)); }},
        {"Cut Selection", [&] { editor().cut(); }, {2, 3}},
        {"Paste Selection", [&] { editor().paste(editor().copy()->getText(), &point); }, {1, 2, 3}},
        {"New Input Connection", [&] { editor().newInputConnection(node(8)->getInput(0)); }},
        {"New Output Connection", [&] { editor().newOutputConnection(node(8)->getOutput(0)); }},
        {"Remove Connection", [&] { editor().removeInputConnection(node(8)->getInput(0)); }},
        {"Remove Connection", [&] { editor().removeOutputConnection(node(8)->getOutput(0)); }},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.entry);
        select(edit.selected);
        const std::string before = saved();
        const int entries = stack().getNbUndoEntries();
        edit.run();
        ASSERT_EQ(stack().getNbUndoEntries(), entries + 1);
        EXPECT_EQ(stack().getUndoName(), edit.entry);
        const std::string after = saved();
        EXPECT_NE(after, before);
        stack().undo();
        EXPECT_EQ(saved(), before);
        stack().redo();
        EXPECT_EQ(saved(), after);
        stack().undo();
        EXPECT_EQ(saved(), before);
    }
}

TEST_F(GraphEditorTest, ColoursComeBackAsTheyWereAndClearingNoColourChangesNothing) {
    const std::string before = saved();
    editor().clearColor(node(3));
    EXPECT_EQ(stack().getUndoName(), "Clear Color");
    EXPECT_EQ(saved(), before) << "a node without colour stays so";
    stack().undo();
    EXPECT_EQ(saved(), before) << "and undoing gives it none";
    editor().color(node(3), {0.0f, 1.0f, 0.0f});
    editor().color(node(2), {0.0f, 1.0f, 0.0f});
    EXPECT_TRUE(_browser->getNodeMap().at(3)->hasColor());
    stack().undo();
    stack().undo();
    EXPECT_EQ(saved(), before);
    EXPECT_FALSE(_browser->getNodeMap().at(3)->hasColor());
    EXPECT_EQ(_browser->getNodeMap().at(2)->getColor(), (UiResColor{0.1f, 0.2f, 0.3f}));

    editor().color(node(5), {0.0f, 0.0f, 1.0f});
    const auto& box = *_browser->getScene()->getGroups().begin();
    EXPECT_EQ(box->getGroup()->getId(), 5);
    EXPECT_EQ(box->getColor(), (UiResColor{0.0f, 0.0f, 1.0f})) << "a visual group's box takes its colour";
    EXPECT_THROW(editor().color(node(2), {2.0f, 0.0f, 0.0f}), ExBadInput);
}

TEST_F(GraphEditorTest, NodesMovingAcrossAGroupsEdgeKeepEveryConnectionInOrder) {
    const std::vector<std::string> links = flatLinks();
    editor().addToVisualGroup({node(4), node(12)}, group(5));
    EXPECT_EQ(flatLinks(), links);
    EXPECT_EQ(group(5)->getNbInputs(), 2) << "one input per outside source; Src carries nothing now";
    editor().removeFromVisualGroup({node(8), node(4)});
    EXPECT_EQ(flatLinks(), links);
    editor().moveIntoGroup({node(2), node(3)}, group(9));
    EXPECT_EQ(flatLinks(), links);
    editor().groupNodes({node(1), node(9)});
    EXPECT_EQ(flatLinks(), links);
    editor().ungroup(group(5));
    EXPECT_EQ(flatLinks(), links);
}

TEST_F(GraphEditorTest, ConnectingAddsValuesAndInsertingKeepsTheValuesPlace) {
    auto& mix = static_cast<PiMultivaluedInput&>(*node(4)->getInput(0));
    editor().connect(node(12)->getOutput(0), node(4)->getInput(0));
    ASSERT_EQ(mix.getNbValues(), 3);
    EXPECT_EQ(mix.getValue(2)->getOutput()->getNodePtr(), node(12).get());
    stack().undo();
    editor().insert(node(12), node(2)->getOutput(0), node(4)->getInput(0));
    ASSERT_EQ(mix.getNbValues(), 2);
    EXPECT_EQ(mix.getValue(0)->getOutput()->getNodePtr(), node(12).get());
    EXPECT_EQ(node(12)->getInput(0)->getOutput()->getNodePtr(), node(2).get());
    EXPECT_THROW(editor().insert(node(3), node(1)->getOutput(0), node(11)->getInput(0)), ExBadInput) << "no such link";
    stack().undo();
    EXPECT_THROW(editor().disconnect(node(12)->getInput(0)), ExBadInput) << "nothing to disconnect";
}

TEST_F(GraphEditorTest, ALockedVisualGroupStaysWholeWithNoUndoEntry) {
    const std::string before = saved();
    EXPECT_THROW(editor().ungroup(group(9)), ExBadInput);
    EXPECT_EQ(saved(), before);
    EXPECT_EQ(stack().getNbEntries(), 0);
}

TEST_F(GraphEditorTest, PastedCopiesGetNewNamesKeepTheirShapeAndBadTextChangesNothing) {
    select({2, 3});
    const LiString text = editor().copy()->getText();
    const GePoint2<float> point{1000.0f, 1000.0f};
    const SvGraphEditor::Nodes first = editor().paste(text, &point);
    const SvGraphEditor::Nodes second = editor().paste(text, nullptr);
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(first[0]->getName(), "Soft1");
    EXPECT_EQ(first[1]->getName(), "Flip1");
    EXPECT_EQ(second[0]->getName(), "Soft2");
    // Soft and Flip were archived at (100, 0) and (100, 100): the copy is centred on the point.
    EXPECT_EQ(_browser->getNodePosition(*first[0]), (GePoint2<float>{1000.0f, 950.0f}));
    EXPECT_EQ(_browser->getNodePosition(*first[1]), (GePoint2<float>{1000.0f, 1050.0f}));
    EXPECT_EQ(_browser->getNodePosition(*second[0]), (GePoint2<float>{1025.0f, 925.0f})) << "beside, not on top";
    EXPECT_EQ(_composition.getSelection()->getItems().size(), 2u);

    const std::string before = saved();
    const int entries = stack().getNbEntries();
    for (const char* bad :
         {"not an archive", "<archive version=\"1\"><node id=\"1\" tool=\"Nope\" name=\"X\"/></archive>",
          "<archive version=\"1\"/>"}) {
        SCOPED_TRACE(bad);
        try {
            editor().paste(bad, &point);
            ADD_FAILURE() << "pasted";
        } catch (const ExBadInput& ex) {
            EXPECT_NE(ex.getMessage().find("the clipboard"), std::string::npos) << ex.getMessage();
        }
        EXPECT_EQ(saved(), before);
        EXPECT_EQ(stack().getNbEntries(), entries);
    }
}

} // namespace

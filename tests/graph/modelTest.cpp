#include "platform/base/cbMethod.h"
#include "platform/base/xmlDocument.h"
#include "platform/graph/cmSelectionClearCmd.h"
#include "platform/graph/cmUndoGuard.h"
#include "platform/graph/omCompositionActions.h"
#include "platform/graph/omGraphEx.h"
#include "platform/graph/piBoundaryNode.h"
#include "platform/graph/piGraphSearch.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piIsBoundaryNode.h"
#include "platform/graph/piIsDynamicBoundaryNode.h"
#include "platform/graph/piIsOutputNode.h"
#include "platform/graph/piIsPrimaryOutputNode.h"
#include "platform/graph/piIsValidGraphObjectItem.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeController.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/piToolRegistry.h"
#include "platform/graph/piValue.h"
#include "platform/graph/snItemBasic.h"
#include "platform/graph/snItemConvert.h"
#include "platform/graph/snSelection.h"
#include "tests/graph/graphFixture.h"

#include <cmath>
#include <tuple>

using namespace Zv;

namespace {

class Model : public GraphTest {};

std::vector<std::string> names(const std::vector<PiSocketDesc>& sockets) {
    std::vector<std::string> result;
    for (const auto& socket : sockets) result.push_back(socket.name.str());
    return result;
}

// The nodes feeding a multi-valued input, in value order; a group's input boundary node is named
// after what feeds the group ("in:A").
std::vector<std::string> feeders(const RCStrongPtr<PiInput>& input) {
    std::vector<std::string> result;
    for (const auto& value : rcCheckedCast<PiMultivaluedInput>(input)->getValues()) {
        const PiNode* source = value->getOutput()->getNodePtr();
        if (auto* boundary = dynamic_cast<const PiBoundaryNode*>(source))
            result.push_back(
                "in:" + static_cast<PiInput&>(*boundary->getGroupSocket()).getOutput()->getNodePtr()->getName().str());
        else result.push_back(source->getName().str());
    }
    return result;
}

using Names = std::vector<std::string>;

} // namespace

TEST_F(Model, ToolsDeclareTheirSocketsAndDescriptionsParse) {
    const auto& registry = PiToolRegistry::getInstance();
    EXPECT_EQ(names(registry.find("Over")->getInputs()), (std::vector<std::string>{"Front", "Back", "Mask"}));
    EXPECT_EQ(registry.find("Keyer")->getOutputs()[0].channels, PiSocketDesc::Alpha);
    EXPECT_TRUE(registry.find("Merge")->getInputs()[0].multivalued);
    EXPECT_EQ(registry.find("Expression")->getOutputs()[0].typeIndex, 0);
    EXPECT_TRUE(registry.find("Output")->getOutputs().empty());
    for (const auto& tool : registry.getTools())
        for (int orientation = 0; orientation < 3; ++orientation) {
            LiString text = tool->getSchematicInterface().getDescription(orientation);
            XmlDocument description = XmlDocument::parse(text.str(), tool->getToolName());
            EXPECT_STREQ(description.getRoot().name(), "CustomNode") << tool->getToolName().str();
            EXPECT_TRUE(description.getRoot().attribute("CornerRadius"));
        }
    EXPECT_NE(PiSchematicInterface::getDefaultInterface().getDescription(1).str().find("\"LEFT\""), std::string::npos);
}

TEST_F(Model, MultiValuedInputsAndConversion) {
    auto a = add("Constant"), b = add("Keyer"), merge = add("Merge"), grade = add("ColorCorrect");
    auto first = _graph->connect(out(a), in(merge));
    _graph->connect(out(b), in(merge));
    auto values = rcCheckedCast<PiMultivaluedInput>(in(merge));
    ASSERT_EQ(values->getNbValues(), 2);
    EXPECT_EQ(values->getValue(0), first);
    EXPECT_EQ(first->getParent(), values);
    _graph->disconnect(first);
    EXPECT_EQ(values->getNbValues(), 1);
    EXPECT_EQ(values->getValue(0)->getIndex(), 0);
    EXPECT_FALSE(first->isLive());

    std::vector<int> told;
    auto handler = makeRC<CbFunction<const RCStrongPtr<PiInput>&>>(
        [&](const RCStrongPtr<PiInput>& input) { told.push_back(input->getIndex()); });
    CbRegistration registration = PiNodeController(grade).addCallback(PiNodeEvent::ConversionChanged, handler);
    _graph->connect(out(a), in(grade, 1));
    EXPECT_TRUE(PiImageModifier::getConversionInfo(*in(grade, 1)).mustConvert());
    _graph->connect(out(b), in(grade, 1));
    EXPECT_FALSE(PiImageModifier::getConversionInfo(*in(grade, 1)).mustConvert());
    _graph->connect(out(a), in(grade));
    EXPECT_EQ(told, (std::vector<int>{1, 1, 1}));
}

TEST_F(Model, CollapsedChainsFoldIntoTheirHead) {
    auto read = add("Read"), blur = add("Blur"), invert = add("Invert"), over = add("Over"), ramp = add("Ramp");
    _graph->connect(out(read), in(blur));
    _graph->connect(out(blur), in(invert));
    _graph->connect(out(invert), in(over));
    _graph->connect(out(ramp), in(over, 1));
    _graph->connect(out(ramp), in(add("Output")));
    std::vector<RCStrongPtr<PiNode>> list;
    PiNodeUtils::collapseNodeTree(over, 1, 0, PiNodeUtils::HIDDEN, list);
    // The ramp also feeds the output, so it does not fold.
    EXPECT_EQ(list, (std::vector<RCStrongPtr<PiNode>>{invert, blur, read}));
    for (const auto& node : list) PiNodeUtils::setStoredValue(node, PiNodeUtils::C_VALUE, PiNodeUtils::HIDDEN);
    PiNodeUtils::setStoredValue(over, PiNodeUtils::C_VALUE, PiNodeUtils::COLLAPSED);
    EXPECT_EQ(PiNodeUtils::getCollapseNode(*out(read)), over);
    EXPECT_TRUE(PiNodeUtils::getCollapseNode(*out(ramp)).isNull());

    list.clear();
    PiNodeUtils::collapseNodeTree(over, 1, 1, PiNodeUtils::UNCOLLAPSED, list);
    EXPECT_EQ(list.size(), 3u);
    EXPECT_TRUE(PiNodeUtils::hasStoredValue(*read, PiNodeUtils::C_VALUE, PiNodeUtils::UNCOLLAPSED));
    EXPECT_TRUE(PiNodeUtils::getCollapseNode(*out(read)).isNull());
}

TEST_F(Model, SearchPathsAndSelection) {
    auto group = rcCheckedCast<PiGroupNode>(add("Group"));
    auto inner = rcCheckedCast<PiGroupNode>(add("Group", "", group));
    auto output = add("Output", "", inner);
    RCShdPtr<PiPath> path = PiGraphSearch::heightFirst(group, PiIsPrimaryOutputNode::getPredicate());
    ASSERT_FALSE(path.isNull());
    EXPECT_EQ(path->getNbNodes(), 3);
    EXPECT_EQ(path->getLast(), output);
    int invalidated = 0;
    CbRegistration registration = path->addInvalidateCb(
        makeRC<CbFunction<RCShdPtr<PiPath>>>([&](RCShdPtr<PiPath> p) { invalidated += p == path; }));
    _graph->moveNode(output, group);
    EXPECT_EQ(invalidated, 1);
    EXPECT_FALSE(path->isValid());

    auto selection = SnSelection::create();
    int changes = 0;
    CbRegistration watch =
        selection->addChangedCb(makeRC<CbFunction<const SnSelection&>>([&](const SnSelection&) { ++changes; }));
    selection->add(PiSnItemUtil::create(output));
    selection->add(PiSnItemConst<PiNode>::create(output));
    selection->add(PiSnItem<PiInput>::create(in(output)));
    EXPECT_EQ(selection->getNbItems(), 2);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(*selection == *SnSelection::create({selection->getItems()[1], selection->getItems()[0]}));
    selection->replaceAll(selection->getItems());
    EXPECT_EQ(changes, 2);
    selection->toggle(PiSnItemUtil::create(output));
    EXPECT_EQ(selection->getNbItems(), 1);
    EXPECT_EQ(changes, 3);
    auto item = SnItemConvert<PiSnItem<PiNode>>::convert(PiSnItemConst<PiNode>::create(group));
    EXPECT_EQ(item->get(), group);
    auto input = add("Blur");
    EXPECT_EQ(SnItemConvert<PiSnItem<PiNode>>::convert(PiSnItemConst<PiInput>::create(in(input)))->get(), input);
    EXPECT_FALSE(SnItemConvert<PiSnItemConst<PiInput>>::test(PiSnItemUtil::create(input)));
}

// What the view's actions and tools ask of nodes and items, and the selection steps its edits record.
TEST_F(Model, NodePredicatesAndSelectionCommands) {
    auto group = rcCheckedCast<PiGroupNode>(add("Group"));
    RCStrongPtr<PiNode> boundary = group->getBoundaryNode(*_graph->addGroupSocket(group, "Src", false));
    auto blur = add("Blur"), output = add("Output"), empty = add("Group");
    for (const auto& node : {boundary, blur, output, empty}) {
        EXPECT_EQ(PiIsBoundaryNode::test(*node), node == boundary);
        EXPECT_EQ(PiIsDynamicBoundaryNode::getPredicate()(*node), node == boundary);
        EXPECT_EQ(PiIsOutputNode::getPredicate()(*node), node == output);
    }
    const RCStrongPtr<SnItem> node = PiSnItemUtil::create(blur), input = PiSnItem<PiInput>::create(in(blur));
    EXPECT_TRUE(PiIsValidGraphObjectItem::test(*node) && PiIsValidGraphObjectItem::test(*input));
    EXPECT_FALSE(PiIsValidGraphObjectItem::test(SnItemBasic<std::string>("Blur")));
    _graph->removeNode(blur);
    EXPECT_FALSE(PiIsValidGraphObjectItem::test(*node) || PiIsValidGraphObjectItem::test(*input));

    auto selection = SnSelection::create({PiSnItemUtil::create(output)});
    {
        CmUndoGuard guard(_graph->getCommandStack(), "Paste Selection");
        guard.execAndAddUndoCommand(makeRC<CmSelectionClearCmd>(selection));
        EXPECT_EQ(selection->getNbItems(), 0);
        const SnSelection::Items pasted{PiSnItemUtil::create(group)};
        guard.execAndAddUndoCommand(makeRC<CmSelectionReplaceAllItemsCmd>(selection, pasted));
    }
    ASSERT_EQ(selection->getNbItems(), 1);
    EXPECT_TRUE(SnItemConvert<PiSnItem<PiNode>>::convert(selection->getItems()[0])->get() == group);
    _graph->getCommandStack().undo();
    ASSERT_EQ(selection->getNbItems(), 1);
    EXPECT_TRUE(SnItemConvert<PiSnItem<PiNode>>::convert(selection->getItems()[0])->get() == output);
}

TEST_F(Model, CompositionActionsGroupUngroupAndRefuse) {
    auto read = add("Read"), blur = add("Blur"), invert = add("Invert"), output = add("Output");
    _graph->connect(out(read), in(blur));
    _graph->connect(out(blur), in(invert));
    _graph->connect(out(invert), in(output));
    std::string before = save();
    auto selection = SnSelection::create({PiSnItemUtil::create(blur), PiSnItemUtil::create(invert)});

    ASSERT_TRUE(OmCompositionActions::executeGroupNodesAction({}, selection));
    EXPECT_EQ(_graph->getCommandStack().getUndoName(), "Group Nodes");
    auto group = blur->getGroup();
    EXPECT_FALSE(group->isRoot());
    EXPECT_EQ(in(blur)->getOutput()->getNodePtr(), group->getBoundaryNode(*group->getInput(0)).get());
    EXPECT_EQ(in(invert)->getOutput(), out(blur));
    EXPECT_EQ(in(output)->getOutput(), group->getOutput(0));
    EXPECT_EQ(group->getInput(0)->getOutput(), out(read));

    auto groupSelection = SnSelection::create({PiSnItemUtil::create(group)});
    ASSERT_TRUE(OmCompositionActions::executeUngroupNodesAction({}, groupSelection));
    EXPECT_TRUE(blur->getGroup()->isRoot());
    EXPECT_EQ(in(blur)->getOutput(), out(read));
    EXPECT_EQ(in(output)->getOutput(), out(invert));
    _graph->getCommandStack().undo();
    _graph->getCommandStack().undo();
    EXPECT_EQ(save(), before);

    // Refusals change nothing and record nothing.
    auto mixed = SnSelection::create(
        {PiSnItemUtil::create(read), PiSnItemUtil::create(add("Blur", "", rcCheckedCast<PiGroupNode>(add("Group"))))});
    int entries = _graph->getCommandStack().getNbUndoEntries();
    before = save();
    EXPECT_FALSE(OmCompositionActions::executeGroupNodesAction({}, mixed));
    EXPECT_FALSE(OmCompositionActions::executeUngroupNodesAction({}, selection));
    EXPECT_FALSE(OmCompositionActions::executeUnmuteNodeAction({}, selection));
    EXPECT_FALSE(OmCompositionActions::executeResetNodeAction({}, selection));
    EXPECT_FALSE(OmCompositionActions::executeRemoveNodeAction({}, SnSelection::create()));
    EXPECT_EQ(save(), before);
    EXPECT_EQ(_graph->getCommandStack().getNbUndoEntries(), entries);

    EXPECT_TRUE(OmCompositionActions::executeMuteNodeAction({}, selection));
    EXPECT_TRUE(PiImageModifier::isMuted(*blur) && PiImageModifier::isMuted(*invert));
    EXPECT_TRUE(OmCompositionActions::executeRemoveNodeAction({}, selection));
    EXPECT_FALSE(blur->isLive());
    EXPECT_FALSE(in(output)->isConnected());
}

TEST_F(Model, GroupAndUngroupKeepEveryConnectionInItsPlace) {
    auto a = add("Constant", "A"), src = add("Ramp", "Src"), b = add("Checker", "B"), c = add("Read", "C");
    auto inner = add("Merge", "Inner"), outer = add("Merge", "Outer");
    for (const auto& node : {a, src, b}) _graph->connect(out(node), in(inner));
    for (const auto& node : {c, inner, a}) _graph->connect(out(node), in(outer));
    std::string before = save();

    auto selection = SnSelection::create({PiSnItemUtil::create(src), PiSnItemUtil::create(inner)});
    ASSERT_TRUE(OmCompositionActions::executeGroupNodesAction({}, selection));
    auto group = inner->getGroup();
    EXPECT_EQ(feeders(in(inner)), (Names{"in:A", "Src", "in:B"}));
    EXPECT_EQ(feeders(in(outer)), (Names{"C", group->getName().str(), "A"}));
    ASSERT_TRUE(
        OmCompositionActions::executeUngroupNodesAction({}, SnSelection::create({PiSnItemUtil::create(group)})));
    EXPECT_EQ(feeders(in(inner)), (Names{"A", "Src", "B"}));
    EXPECT_EQ(feeders(in(outer)), (Names{"C", "Inner", "A"}));
    _graph->getCommandStack().undo();
    _graph->getCommandStack().undo();
    EXPECT_EQ(save(), before);

    // A group passing its input straight to its output hands the outside link on.
    auto pass = rcCheckedCast<PiGroupNode>(add("Group", "Pass"));
    auto socketIn = rcCheckedCast<PiInput>(_graph->addGroupSocket(pass, "In", false));
    auto socketOut = rcCheckedCast<PiOutput>(_graph->addGroupSocket(pass, "Out", true));
    _graph->connect(rcCheckedCast<PiOutput>(pass->getBoundaryNode(*socketIn)->getInnerSocket()),
                    rcCheckedCast<PiInput>(pass->getBoundaryNode(*socketOut)->getInnerSocket()));
    _graph->connect(out(b), socketIn);
    _graph->connect(socketOut, rcCheckedCast<PiMultivaluedInput>(in(outer))->getValue(1));
    before = save();
    ASSERT_TRUE(OmCompositionActions::executeUngroupNodesAction({}, SnSelection::create({PiSnItemUtil::create(pass)})));
    EXPECT_EQ(feeders(in(outer)), (Names{"C", "B", "A"}));
    _graph->getCommandStack().undo();
    EXPECT_EQ(save(), before);
}

// What a file would refuse, an edit refuses too, so every graph saves and loads back.
TEST_F(Model, ValuesAFileCannotKeepAreRefused) {
    buildSample();
    auto blur = add("Blur", "B");
    auto group = add("Group", "G");
    const std::string before = save();
    _hints.clear();
    const std::vector<std::tuple<RCStrongPtr<PiNode>, PiValueKind, PiValueData>> refused = {
        {blur, PiValueKind::NodeColor, PiValueData::of(1, 1.5, 0)},
        {blur, PiValueKind::NodeColor, PiValueData::of(-0.1, 0, 0)},
        {blur, PiValueKind::Position, PiValueData::of(std::nan(""), 0)},
        {blur, PiValueKind::Position, PiValueData::of(0, 1e39)},
        {blur, PiValueKind::VisualGroup, PiValueData::of(1)},
        {blur, PiValueKind::Thumbnail, PiValueData::of(2)},
        {group, PiValueKind::VisualGroupLock, PiValueData::of(3)},
        {group, PiValueKind::Mute, PiValueData::of(1)},
    };
    for (const auto& [node, kind, data] : refused)
        EXPECT_THROW(_graph->setValue(node, kind, {}, data), OmGraphEx) << PiValue::getKindName(kind, {}).str();
    EXPECT_THROW(PiNodeUtils::setStoredValue(blur, PiNodeUtils::C_VALUE, 0), OmGraphEx);
    EXPECT_EQ(save(), before);
    EXPECT_TRUE(_hints.batches.empty());
    _graph->setValue(group, PiValueKind::VisualGroup, {}, PiValueData::of(1));
    _graph->setValue(blur, PiValueKind::NodeColor, {}, PiValueData::of(0, 0.5, 1));
    EXPECT_NE(save(), before);
}

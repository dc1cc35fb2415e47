#include "tests/support/nodeTestSupport.h"
#include "tests/support/viewSingletons.h"
#include "views/schematic/src/scBasicConnections.h"
#include "views/schematic/src/scFanConnectionSet.h"
#include "views/schematic/src/scIconTab.h"
#include "views/schematic/src/scImageToggleNode.h"
#include "views/schematic/src/scRoundedTab.h"
#include "views/schematic/src/scSquareTab.h"
#include "views/schematic/src/scToggleIRTab.h"
#include "views/schematic/src/scToggleImageTab.h"

#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piSchematicInterface.h"
#include "platform/graph/piTool.h"
#include "platform/ui/wsManagedImage.h"

#include <gtest/gtest.h>

using namespace Zv;
using namespace Zv::NodeTest;
using Zv::TestSupport::nodeFactory;

namespace {

class NodeFactory : public ::testing::Test {
protected:
    RCStrongPtr<ScNode> build(const std::string& text, ScOrientation orientation = ScOrientation::Down) {
        return buildFor(_blur, text, orientation);
    }
    RCStrongPtr<ScNode> buildFor(const RCStrongPtr<PiNode>& node, const std::string& text,
                                 ScOrientation orientation = ScOrientation::Down) {
        return nodeFactory().createNodeFromDescription(text, "test.xml", node, orientation);
    }
    // Where and why a description is refused for the node, or "accepted".
    std::string refusalFor(const RCStrongPtr<PiNode>& node, const std::string& text) {
        try {
            buildFor(node, text);
        } catch (const ScNodeFactory::BadXMLDescriptionEx& ex) {
            return ex.getSource() + ": " + ex.getMessage();
        }
        return "accepted";
    }
    std::string refusal(const std::string& text) {
        const std::string refused = refusalFor(_blur, text);
        return refused.rfind("test.xml: ", 0) == 0 ? refused.substr(10) : refused;
    }
    RCStrongPtr<PiNode> create(const char* tool) { return _graph->createNode(tool, _graph->getRootGroup()); }

    RCStrongPtr<PiGraph> _graph = PiGraph::create("Factory");
    RCStrongPtr<PiNode> _blur = create("Blur");
};

const std::string kBox = R"(<CustomNode Width="80" Height="30" CornerRadius="6">)";

std::string withTabs(const std::string& tabs) {
    return kBox + "<Tabs>" + tabs + "</Tabs></CustomNode>";
}

std::string basicTab(const char* start = R"(<StartPosition Tab="UPPER" Offset="0.1"/>)",
                     const char* end = R"(<EndPosition Tab="UPPER" Offset="0.9"/>)") {
    return std::string("<BasicTab>") + start + end + "</BasicTab>";
}

// A generic tab of a kind over the middle of a corner.
std::string genericTab(const std::string& kind, const std::string& corner) {
    const std::string start = "<StartPosition Tab='" + corner + "' Offset='0.2'/>";
    const std::string end = "<EndPosition Tab='" + corner + "' Offset='0.8'/>";
    return "<GenericTab><Icon>Blur</Icon><" + kind + ">" + basicTab(start.c_str(), end.c_str()) + "</" + kind +
           "></GenericTab>";
}

} // namespace

TEST_F(NodeFactory, EveryMalformedDescriptionIsRefusedWithItsReason) {
    EXPECT_EQ(refusal(R"(<CustomNode Width="80" Height="30"/>)"),
              "Invalid description: Attribute Width,Height or CornerRadius missing");
    EXPECT_EQ(refusal(kBox + "<NamePosition>TOP</NamePosition></CustomNode>"), "Unknown Name Alignment: TOP");
    EXPECT_EQ(refusal(kBox + "<Color>PINK</Color></CustomNode>"), "Unknown Color: PINK");
    EXPECT_EQ(refusal(withTabs("<InputConnectionSet><RoundedConnectionSet/></InputConnectionSet>")),
              "Invalid description: missing TAG BasicTab");
    EXPECT_EQ(refusal(withTabs(R"(<InputConnectionSet><SimpleConnectionSet><BasicTab>
                <EndPosition Tab="UPPER" Offset="1"/></BasicTab></SimpleConnectionSet></InputConnectionSet>)")),
              "Invalid basic tab: missing StartPosition");
    EXPECT_EQ(refusal(withTabs(R"(<InputConnectionSet><SimpleConnectionSet><BasicTab>
                <StartPosition Tab="UPPER" Offset="0"/></BasicTab></SimpleConnectionSet></InputConnectionSet>)")),
              "Invalid basic tab: missing EndPosition");
    EXPECT_EQ(
        refusal(withTabs("<OutputConnectionSet><SquareConnectionSet>" + basicTab(R"(<StartPosition Offset="0"/>)") +
                         "</SquareConnectionSet></OutputConnectionSet>")),
        "Invalid Position: missing attribute Tab");
    EXPECT_EQ(refusal(withTabs("<OutputConnectionSet><FanConnectionSet>" + basicTab(R"(<StartPosition Tab="LOWER"/>)") +
                               "</FanConnectionSet></OutputConnectionSet>")),
              "Invalid Position: missing attribute Offset");
    EXPECT_EQ(refusal(withTabs("<OutputConnectionSet><FanConnectionSet>" +
                               basicTab(R"(<StartPosition Tab="TOP" Offset="0"/>)") +
                               "</FanConnectionSet></OutputConnectionSet>")),
              "Unknown sub section type: TOP");
    EXPECT_EQ(refusal(withTabs("<InputConnectionSet><IconConnectionSet>" + basicTab() +
                               "</IconConnectionSet></InputConnectionSet>")),
              "Invalid description: missing TAG Icon");
    EXPECT_EQ(refusal(withTabs("<GenericTab><IconTab>" + basicTab() + "</IconTab></GenericTab>")),
              "Invalid description: missing TAG Icon");
    const std::string inner = kBox + "</CustomNode>";
    EXPECT_EQ(refusal("<ImageToggleNode><ImageNotShownNode>" + inner + "</ImageNotShownNode></ImageToggleNode>"),
              "Invalid description: Expecting TAG ImageShownNode");
    EXPECT_EQ(refusal("<ImageToggleNode><ImageShownNode>" + inner + "</ImageShownNode></ImageToggleNode>"),
              "Invalid description: Expecting TAG ImageNotShownNode");
    EXPECT_EQ(refusal("<ImageToggleNode><ImageShownNode>" + inner +
                      "</ImageShownNode><ImageNotShownNode/></ImageToggleNode>"),
              "Invalid description: Expecting TAG CustomNode");
    EXPECT_EQ(refusal(R"(<CustomNode Width="wide" Height="30" CornerRadius="6"/>)"),
              "Invalid number in attribute Width: wide");
    for (const std::string& place : {basicTab(), basicTab(R"(<StartPosition Tab="UPPER_LEFT" Offset="0.5"/>)",
                                                          R"(<EndPosition Tab="LOWER_RIGHT" Offset="0.5"/>)")})
        EXPECT_EQ(refusal(withTabs("<InputConnectionSet><SquareConnectionSet>" + place +
                                   "</SquareConnectionSet></InputConnectionSet>")),
                  "Invalid SquareConnectionSet: it must start and end on the corners at the two ends of one side");
    // The place of a reading error is the source's line.
    EXPECT_EQ(refusalFor(_blur, "<CustomNode>\n<Tabs>"), "test.xml:2: not valid XML: Start-end tags mismatch");
    EXPECT_EQ(refusalFor(_blur, ""), "test.xml:1: not valid XML: No document element found");
}

// Sizes that would make a node vanish, or that no perimeter walk can finish, are refused.
TEST_F(NodeFactory, SizesAreFiniteAndBounded) {
    const auto sized = [&](const char* width, const char* height, const char* radius) {
        return refusal(std::string("<CustomNode Width='") + width + "' Height='" + height + "' CornerRadius='" +
                       radius + "'/>");
    };
    EXPECT_EQ(sized("3.4e38", "30", "6"), "Invalid size: Width must be from 1 to 10000, not 3.4e38");
    EXPECT_EQ(sized("nan", "30", "6"), "Invalid size: Width must be from 1 to 10000, not nan");
    EXPECT_EQ(sized("80", "inf", "6"), "Invalid size: Height must be from 1 to 10000, not inf");
    EXPECT_EQ(sized("80", "0", "6"), "Invalid size: Height must be from 1 to 10000, not 0");
    EXPECT_EQ(sized("-80", "30", "6"), "Invalid size: Width must be from 1 to 10000, not -80");
    EXPECT_EQ(sized("80", "30", "-0.5"), "Invalid size: CornerRadius must be from 0 to 10000, not -0.5");
    EXPECT_EQ(sized("80", "30", "1e5"), "Invalid size: CornerRadius must be from 0 to 10000, not 1e5");
    EXPECT_EQ(sized("10000", "1", "0"), "accepted");
    EXPECT_EQ(refusal(withTabs(R"(<OutputConnectionSet><FanConnectionSet><BasicTab>
                <StartPosition Tab="LOWER" Offset="nan"/><EndPosition Tab="LOWER" Offset="1"/>
                </BasicTab></FanConnectionSet></OutputConnectionSet>)")),
              "Invalid Position: Offset outside 0 to 1: nan");
}

TEST_F(NodeFactory, SetsAndStripsMustFitTheSocketsTheNodeShows) {
    const auto inputSet = [](const char* kind, const std::string& extra = "") {
        return withTabs(std::string("<InputConnectionSet><") + kind + ">" + extra + basicTab() + "</" + kind +
                        "></InputConnectionSet>");
    };
    const std::string simple = inputSet("SimpleConnectionSet"),
                      icon = inputSet("IconConnectionSet", "<Icon>Blur</Icon>"),
                      masking = inputSet("RoundedConnectionSetWithMasking");
    const std::string irStrip =
        withTabs("<ToggleIRTab><SquareToggleIRTab>" + basicTab() + "</SquareToggleIRTab></ToggleIRTab>");
    const auto over = create("Over"), merge = create("Merge"), output = create("Output"),
               grade = create("ColorCorrect");
    EXPECT_EQ(refusalFor(over, simple),
              "test.xml: Invalid description: SimpleConnectionSet shows at most 1 input, the node has 3");
    EXPECT_EQ(refusalFor(over, icon),
              "test.xml: Invalid description: IconConnectionSet shows at most 1 input, the node has 3");
    EXPECT_EQ(refusalFor(merge, simple),
              "test.xml: Invalid description: SimpleConnectionSet shows at most 1 input, the node has 1 or more");
    EXPECT_EQ(refusalFor(_blur, masking),
              "test.xml: Invalid description: RoundedConnectionSetWithMasking needs at least 2 inputs, the node has 1");
    EXPECT_EQ(refusalFor(output, irStrip),
              "test.xml: Invalid description: ToggleIRTab needs at least 1 output, the node has 0");
    EXPECT_EQ(refusalFor(output, withTabs("<OutputConnectionSet><SimpleConnectionSet>" + basicTab() +
                                          "</SimpleConnectionSet></OutputConnectionSet>")),
              "accepted");
    for (const std::string& fits : {simple, icon, irStrip}) EXPECT_EQ(refusalFor(_blur, fits), "accepted");
    EXPECT_EQ(refusalFor(grade, masking), "accepted");
    // Either image of a toggle node must fit.
    const std::string toggle = "<ImageToggleNode><ImageShownNode>" + kBox + "</CustomNode></ImageShownNode>" +
                               "<ImageNotShownNode>" + simple + "</ImageNotShownNode></ImageToggleNode>";
    EXPECT_EQ(refusalFor(over, toggle),
              "test.xml: Invalid description: SimpleConnectionSet shows at most 1 input, the node has 3");
}

TEST_F(NodeFactory, DefaultsFallbackAndHiddenNodes) {
    auto plain = rcCheckedCast<ScCustomNode>(build(kBox + "</CustomNode>"));
    EXPECT_EQ(plain->getNameAlignment(), ScCustomNode::UNDER);
    EXPECT_EQ(plain->getColorKind(), ScCustomNode::TOOL);
    EXPECT_FALSE(plain->isThumbnailShown());
    // A toggle strip without its square element is left out, silently.
    auto noToggle = rcCheckedCast<ScCustomNode>(build(withTabs("<ToggleImageTab>" + basicTab() + "</ToggleImageTab>")));
    EXPECT_EQ(noToggle->getToggleImageTab(), nullptr);

    EXPECT_TRUE(build("<HiddenNode/>").isNull());
    // An unknown root is drawn as the default description says: a 100 x 30 box, name centred.
    auto fallback = rcCheckedCast<ScCustomNode>(build("<FancyNode Width='3'/>", ScOrientation::Right));
    EXPECT_EQ(fallback->getBaseSize(), GeVector2f(100, 30));
    EXPECT_EQ(fallback->getNameAlignment(), ScCustomNode::CENTER);
    EXPECT_EQ(fallback->getOrientation(), ScOrientation::Right);
}

TEST_F(NodeFactory, ElementsBecomeTheirClasses) {
    const auto grade = create("ColorCorrect");
    const std::string text =
        R"(<CustomNode Width="90" Height="40" CornerRadius="30" DisplayThumbnail="true" CanCollapseNode="yes">
             <NamePosition>BOTTOM</NamePosition><Color>OUTPUT1</Color><Tabs>
             <InputConnectionSet><RoundedConnectionSetWithMasking>)" +
        basicTab() + R"(</RoundedConnectionSetWithMasking><FanConnectionSet>)" + basicTab() +
        R"(</FanConnectionSet></InputConnectionSet>
             <OutputConnectionSet><FanConnectionSet>)" +
        basicTab(R"(<StartPosition Tab="LOWER" Offset="0.2"/>)", R"(<EndPosition Tab="LOWER" Offset="0.8"/>)") +
        R"(</FanConnectionSet></OutputConnectionSet>
             <ToggleIRTab><SquareToggleIRTab>)" +
        basicTab(R"(<StartPosition Tab="LEFT" Offset="0"/>)", R"(<EndPosition Tab="LEFT" Offset="1"/>)") +
        R"(</SquareToggleIRTab></ToggleIRTab>
             <FeedbackTab><RoundedConnectionSet>)" +
        basicTab(R"(<StartPosition Tab="RIGHT" Offset="0"/>)", R"(<EndPosition Tab="RIGHT" Offset="1"/>)") +
        R"(</RoundedConnectionSet></FeedbackTab>)" + genericTab("IconTab", "UPPER_RIGHT") +
        genericTab("RoundedTab", "LOWER_RIGHT") + genericTab("SquareTab", "LOWER_LEFT") + "</Tabs></CustomNode>";
    auto node = rcCheckedCast<ScCustomNode>(buildFor(grade, text, ScOrientation::Up));
    EXPECT_EQ(node->getNameAlignment(), ScCustomNode::BOTTOM);
    EXPECT_EQ(node->getColorKind(), ScCustomNode::OUTPUT1);
    EXPECT_TRUE(node->isThumbnailShown());
    EXPECT_TRUE(node->canCollapse());
    EXPECT_FLOAT_EQ(node->getBox().getCornerRadius(), 20.0f) << "radius limited to half the shorter side";
    EXPECT_NE(dynamic_cast<const ScRoundedConnectionSetWithMasking*>(node->getInputSet()), nullptr)
        << "the first set kind listed wins";
    EXPECT_NE(dynamic_cast<const ScFanConnectionSet*>(node->getOutputSet()), nullptr);
    EXPECT_NE(dynamic_cast<const ScToggleIRTab*>(node->getToggleIRTab()), nullptr);
    EXPECT_EQ(node->getFeedbackTab()->getNbConnections(), 2) << "one tab per kind of feedback";
    ASSERT_EQ(node->getNbGenericTabs(), 3);
    EXPECT_NE(dynamic_cast<const ScIconTab*>(&node->getGenericTab(0)), nullptr);
    EXPECT_TRUE(dynamic_cast<const ScRoundedTab*>(&node->getGenericTab(1)) &&
                !dynamic_cast<const ScToggleImageTab*>(&node->getGenericTab(1)));
    EXPECT_NE(dynamic_cast<const ScSquareTab*>(&node->getGenericTab(2)), nullptr);
    // The mask is the first tab flowing right, the last otherwise.
    for (ScOrientation orientation : {ScOrientation::Up, ScOrientation::Right}) {
        auto masked = rcCheckedCast<ScCustomNode>(buildFor(grade, text, orientation));
        addSockets(*masked, 2, 0);
        const auto& inputs = dynamic_cast<const ScBasicConnectionSet&>(*masked->getInputSet());
        EXPECT_EQ(inputs.getTab(orientation == ScOrientation::Right ? 0 : 1).getColorIndex(), MaskingTab)
            << toInt(orientation);
        EXPECT_EQ(inputs.getTab(orientation == ScOrientation::Right ? 1 : 0).getColorIndex(), Tabs)
            << toInt(orientation);
    }

    auto toggle = rcCheckedCast<ScImageToggleNode>(build("<ImageToggleNode ImageShown='1'><ImageShownNode>" + kBox +
                                                         "</CustomNode></ImageShownNode>"
                                                         "<ImageNotShownNode><CustomNode Width='50' Height='20' "
                                                         "CornerRadius='2'/></ImageNotShownNode></ImageToggleNode>"));
    EXPECT_TRUE(toggle->isThumbnailShown());
    EXPECT_EQ(toggle->getBaseSize(), GeVector2f(80, 30));
}

TEST_F(NodeFactory, LinkStripShowsTheIconOfTheLinkedRole) {
    const std::string text = withTabs("<LinkNodeIconTab><FootageIcon>Read</FootageIcon>"
                                      "<CompositionIcon>Group</CompositionIcon>" +
                                      basicTab() + "</LinkNodeIconTab>");
    const auto link = create("CompLink");
    const auto iconOf = [&] {
        auto node = rcCheckedCast<ScCustomNode>(buildFor(link, text));
        return dynamic_cast<const ScIconTab&>(*node->getLinkNodeIconTab()).getIcon().get();
    };
    nodeFactory();
    ScNodeIconRegistry& icons = ScNodeIconRegistry::getInstance();
    PiCompositionUtils::setLink(link, "shots/a.xml", PiComposition::CompositionRole);
    EXPECT_EQ(iconOf(), icons.getIcon("Group", false).get());
    PiCompositionUtils::setLink(link, "plates/a.xml", PiComposition::FootageRole);
    EXPECT_EQ(iconOf(), icons.getIcon("Read", false).get());
}

TEST_F(NodeFactory, DescriptionsAreReadOncePerToolAndOrientation) {
    // Ramp is built by no other test, so its descriptions are not yet kept.
    auto ramp = _graph->createNode("Ramp", _graph->getRootGroup());
    EXPECT_EQ(ScNodeFactory::getDescriptionKey(ramp->getToolRef(), ScOrientation::Up), "Ramp:1-VU");
    const int before = nodeFactory().getNbDescriptionsRead();
    auto first = nodeFactory().createNode(ramp, ScOrientation::Up);
    auto second = nodeFactory().createNode(_graph->createNode("Ramp", _graph->getRootGroup()), ScOrientation::Up);
    EXPECT_EQ(nodeFactory().getNbDescriptionsRead(), before + 1);
    EXPECT_NE(first.get(), second.get());
    EXPECT_EQ(first->getProcessingNode().get(), ramp.get());
    nodeFactory().createNode(ramp, ScOrientation::Right);
    EXPECT_EQ(nodeFactory().getNbDescriptionsRead(), before + 2);
}

// Nodes of a kept description are copies of one laid-out prototype: with sockets added, placed
// or not, a copy must measure and connect as a node built afresh from the same text.
TEST_F(NodeFactory, CopiesOfAKeptDescriptionMatchAFreshBuild) {
    auto over = _graph->createNode("Over", _graph->getRootGroup());
    // Over upward is built by no other test, so this node is the one its prototype is made from.
    const int reads = nodeFactory().getNbDescriptionsRead(), refs = over->getRefCount();
    nodeFactory().createNode(over, ScOrientation::Up);
    ASSERT_EQ(nodeFactory().getNbDescriptionsRead(), reads + 1);
    EXPECT_EQ(over->getRefCount(), refs) << "the kept prototype holds no processing node";

    for (ScOrientation orientation : {ScOrientation::Down, ScOrientation::Up}) {
        for (const GePoint2f at : {GePoint2f(0, 0), GePoint2f(200, 100)}) {
            const LiString text = over->getToolRef().getSchematicInterface().getDescription(toInt(orientation));
            auto copy = rcCheckedCast<ScCustomNode>(nodeFactory().createNode(over, orientation));
            auto fresh =
                rcCheckedCast<ScCustomNode>(nodeFactory().createNodeFromDescription(text, "fresh", over, orientation));
            for (ScCustomNode* node : {copy.get(), fresh.get()}) {
                node->setPosition(at);
                for (int i = 0; i < 3; ++i) {
                    ScNode::SocketRecord input;
                    node->addInput(input);
                }
                ScNode::SocketRecord output;
                node->addOutput(output);
            }
            GeRectanglef copyBounds, freshBounds;
            copy->getBoxBounds(copyBounds);
            fresh->getBoxBounds(freshBounds);
            EXPECT_EQ(copyBounds, freshBounds) << toInt(orientation);
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(copy->getInputConnectionPoint(i, 0), fresh->getInputConnectionPoint(i, 0));
            EXPECT_EQ(copy->getOutputConnectionPoint(0, 0), fresh->getOutputConnectionPoint(0, 0));
            EXPECT_EQ(copy->getFeedbackTab()->getNbConnections(), fresh->getFeedbackTab()->getNbConnections());
            const auto* toggle = dynamic_cast<const ScToggleIRTab*>(copy->getToggleIRTab());
            ASSERT_NE(toggle, nullptr);
            EXPECT_EQ(toggle->getState(), 0) << "the copy's strip reports on its own node";
        }
    }
}

TEST(NodeIconRegistry, KeepsOneIconPerNameAndAPlaceholderForMissingFiles) {
    nodeFactory();
    ScNodeIconRegistry& registry = ScNodeIconRegistry::getInstance();
    auto blur = registry.getIcon("Blur", false);
    EXPECT_EQ(registry.getIcon("Blur", true).get(), blur.get());
    EXPECT_FALSE(blur->isStretched());
    EXPECT_EQ(blur->getImage().getWidth(), 32);
    auto missing = registry.getIcon("NoSuchIcon", true);
    EXPECT_TRUE(missing->getImage().isValid());
    EXPECT_EQ(missing->getImage().getWidth(), WsManagedImage::getUnavailableImage()->getImage().getWidth());
}

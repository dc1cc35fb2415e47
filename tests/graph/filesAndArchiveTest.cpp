#include "platform/base/fileUtil.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piGraphUtils.h"
#include "platform/graph/piGraphXmlReader.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeAnchorUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piUndoGuard.h"
#include "platform/graph/snSelection.h"
#include "tests/graph/graphFixture.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>

using namespace Zv;

namespace {

class FilesAndArchive : public GraphTest {
protected:
    // Loads text into the graph and returns the message it raised, or "" when it loaded.
    std::string loadError(const std::string& text) {
        try {
            PiCompositionFile::loadText(_graph, text, "bad.xml");
        } catch (const ExBadInput& error) {
            return error.getMessage();
        }
        return "";
    }
};

std::string composition(const std::string& body) {
    return "<composition version=\"1\" name=\"C\">\n" + body + "</composition>\n";
}

} // namespace

TEST_F(FilesAndArchive, FileRoundTripIsLossless) {
    buildSample();
    std::string path = (std::filesystem::temp_directory_path() / "graphRoundTrip.xml").string();
    PiCompositionFile::save(*_graph, path);
    RCStrongPtr<PiGraph> loaded = PiCompositionFile::load(path);
    std::remove(path.c_str());
    EXPECT_EQ(PiCompositionFile::saveText(*loaded), save());
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));

    auto grade = loaded->findNode(3);
    EXPECT_EQ(grade->getName(), "Grade");
    EXPECT_EQ(PiSchematicInterfaceEx::getNodeColor(*grade)[1], 0.5f);
    EXPECT_EQ(loaded->getSelection()->getNbItems(), 2);
    EXPECT_EQ(rcCheckedCast<PiMultivaluedInput>(loaded->findNode(6)->getInput(0))->getNbValues(), 2);
    auto group = rcCheckedCast<PiGroupNode>(loaded->findNode(8));
    EXPECT_EQ(PiSchematicInterfaceEx::getVisualGroupLockMode(*group), PiLockMode::Group);
    EXPECT_EQ(group->getInput(0)->getOutput()->getNodePtr()->getId(), 1);
    EXPECT_EQ(PiCompositionUtils::getComposition(*loaded->findNode(12))->getRole(), PiComposition::FootageRole);
    EXPECT_EQ(loaded->getCommandStack().getNbUndoEntries(), 0);
}

TEST_F(FilesAndArchive, RefusedFilesNameTheLineAndLeaveTheCompositionAsItWas) {
    buildSample();
    std::string before = save();
    _hints.clear();
    const std::string node = "  <node id=\"1\" tool=\"Blur\" name=\"B\"/>\n";
    auto nodeWith = [](const std::string& attributes, const std::string& children = "") {
        return "  <node id=\"2\" tool=\"CompLink\" name=\"L\" " + attributes + ">" + children + "</node>\n";
    };
    const std::pair<std::string, std::string> cases[] = {
        {"<composition", "1: not valid XML: Error parsing start element tag"},
        {"<archive version=\"1\"/>", "1: the root element must be <composition>"},
        {composition(node + "  <node id=\"2\" tool=\"Sharpen\" name=\"S\"/>\n"), "3: unknown tool \"Sharpen\""},
        {composition(node + node), "3: duplicate id 1"},
        // Refused only when building, after the old content was gone, until every check came first.
        {composition(node + nodeWith("") + "  <node id=\"-3\" tool=\"Blur\" name=\"N\"/>\n"),
         "4: id must be a whole number from 1 to 2147483646: \"-3\""},
        {composition("  <node id=\"2147483647\" tool=\"Blur\" name=\"M\"/>\n"),
         "2: id must be a whole number from 1 to 2147483646: \"2147483647\""},
        {composition(nodeWith("x=\"1.5\" y=\"up\"")), "2: y is not a number: \"up\""},
        {composition(nodeWith("x=\"nan\" y=\"0\"")), "2: x is not a finite number: \"nan\""},
        {composition(nodeWith("x=\"0\" y=\"1e39\"")), "2: y is out of the range of a float: \"1e39\""},
        {composition(nodeWith("color=\"1 0.5 inf\"")), "2: color must be three numbers: \"1 0.5 inf\""},
        {composition(nodeWith("color=\"1 1.5 0\"")), "2: color must be three numbers from 0 to 1"},
        {composition(nodeWith("", "<value key=\"Role\" value=\"5\"/>")),
         "2: value must be a whole number from 0 to 1: \"5\""},
        {composition(nodeWith("", "<value key=\"Collapse\" value=\"0\"/>")),
         "2: value must be a whole number from 1 to 3: \"0\""},
        {composition(nodeWith("", "<value key=\"N\" value=\"2147483648\"/>")),
         "2: value must be a whole number from -2147483648 to 2147483647: \"2147483648\""},
        {composition(nodeWith("lock=\"65537\"")), "2: lock must be a whole number from 0 to 2: \"65537\""},
        {composition(nodeWith("thumbnail=\"2\"")), "2: thumbnail must be a whole number from 0 to 1: \"2\""},
        {composition(nodeWith("colour=\"1 0 0\"")), "2: unknown attribute colour of <node>"},
        {composition(nodeWith("", "<text key=\"Link\" value=\"a\"/><text key=\"Link\" value=\"b\"/>")),
         "2: a second <text> with key \"Link\""},
        {composition(nodeWith("", "notes")), "2: unexpected text"},
        {composition(nodeWith("", "<anchor name=\"A\" type=\"T\"><node/></anchor>")), "2: unexpected element <node>"},
        {composition("  <node id=\"3\" tool=\"Group\" name=\"G\">\n" + node +
                     "    <boundary id=\"4\" direction=\"input\" socket=\"S\"/>\n  </node>\n"),
         "4: a <boundary> after the group's member nodes"},
        {composition(node + "  <link source=\"1\" output=\"Result\" target=\"1\" input=\"Back\"/>\n"),
         "3: no input \"Back\" on node 1"},
        {composition(node + "  <node id=\"2\" tool=\"Invert\" name=\"I\"/>\n" +
                     "  <link source=\"1\" output=\"Result\" target=\"2\" input=\"Input\"/>\n" +
                     "  <link source=\"2\" output=\"Result\" target=\"1\" input=\"Input\"/>\n"),
         "5: link makes a cycle"},
        {composition(node + "  <selection><item node=\"1\"/><item node=\"1\"/></selection>\n"),
         "3: node 1 is selected twice"},
        {"<composition version=\"1\" name=\"C\" uuid=\"0123\"/>",
         "1: uuid must be 32 lower-case hexadecimal digits as 8-4-4-4-12: \"0123\""},
    };
    for (const auto& [text, message] : cases) EXPECT_EQ(loadError(text), "bad.xml:" + message) << text;
    EXPECT_EQ(save(), before);
    EXPECT_TRUE(_hints.batches.empty());
}

TEST_F(FilesAndArchive, WhatLoadsSavesBackTheSame) {
    // Extreme numbers, escaped names and every kind of value, in the form the writer gives them.
    const std::string text = R"(<?xml version="1.0"?>
<composition version="1" name="a&lt;b> &amp; &quot;c&quot;" uuid="0123abcd-ef45-4678-89ab-cdef01234567">
  <node id="1" tool="CompLink" name="tab&#09;line&#10;end\" x="3.4028235e+38" y="-1e-45" color="0 0.1 1" marked="1">
    <value key="Role" value="1" />
    <value key="Frames" value="2147483647" />
    <value key="Offset" value="-2147483648" />
    <text key="Link" value="shots/a.xml" />
  </node>
  <node id="2147483646" tool="Group" name="G" x="-0" y="0.1" thumbnail="0" visualGroup="1" lock="1">
    <boundary id="5" direction="input" socket="Src">
      <anchor name="A" type="Corner" />
    </boundary>
    <node id="6" tool="Blur" name="" mute="1" />
  </node>
  <link source="1" output="Result" target="2147483646" input="Src" />
  <link source="5" output="Src" target="6" input="Input" />
  <selection>
    <item node="6" />
  </selection>
</composition>
)";
    PiCompositionFile::loadText(_graph, text, "exact.xml");
    EXPECT_EQ(save(), text);

    // A file without an identity gets a fresh one, which it then keeps.
    RCStrongPtr<PiGraph> other = PiGraph::create();
    const std::string anonymous = composition("");
    PiCompositionFile::loadText(_graph, anonymous, "a.xml");
    PiCompositionFile::loadText(other, anonymous, "a.xml");
    EXPECT_NE(_graph->getUuid(), other->getUuid());
    PiCompositionFile::loadText(other, save(), "b.xml");
    EXPECT_EQ(_graph->getUuid(), other->getUuid());
}

TEST_F(FilesAndArchive, LoadingSwapsTheWholeContentInOneBatch) {
    buildSample();
    RCStrongPtr<PiNode> former = _graph->findNode(1);
    const int formerCount = _graph->getNbNodes();
    _hints.clear();
    PiCompositionFile::loadText(_graph, composition("  <node id=\"7\" tool=\"Group\" name=\"G\"/>\n"), "new.xml");
    ASSERT_EQ(_hints.batches.size(), 1u);
    std::vector<std::string> kinds = _hints.kinds(0);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "NodeRemoved"), formerCount);
    EXPECT_EQ(std::count(kinds.begin(), kinds.end(), "NodeAdded"), 1);
    EXPECT_FALSE(former->isLive());
    EXPECT_EQ(_graph->getNbNodes(), 1);
    EXPECT_TRUE(_graph->findNode(1).isNull());
    // The loaded nodes belong to this graph: they take edits like any other.
    auto group = rcCheckedCast<PiGroupNode>(_graph->findNode(7));
    EXPECT_EQ(_graph->createNode("Blur", group)->getId(), 8);
}

TEST_F(FilesAndArchive, DeepGroupsAndLongChainsLoadAndSave) {
    const size_t depth = PiGraphXmlReader::kMaxGroupDepth;
    auto nested = [](size_t levels) {
        std::string text = "<composition version=\"1\" name=\"Deep\">\n";
        for (size_t i = 1; i <= levels; ++i)
            text += "<node id=\"" + std::to_string(i) + "\" tool=\"Group\" name=\"\">\n";
        for (size_t i = 1; i <= levels; ++i) text += "</node>\n";
        return text + "</composition>\n";
    };
    EXPECT_EQ(loadError(nested(depth + 1)),
              "bad.xml:" + std::to_string(depth + 2) + ": groups nested more than 10000 deep");
    PiCompositionFile::loadText(_graph, nested(depth), "deep.xml");
    const std::string saved = save();
    PiCompositionFile::loadText(_graph, saved, "deep.xml");
    EXPECT_EQ(save(), saved);

    // A chain whose consumers come first in the file.
    const int length = 1'000'000;
    std::string chain = "<composition version=\"1\" name=\"Chain\">\n";
    for (int id = length; id >= 1; --id)
        chain += "<node id=\"" + std::to_string(id) + "\" tool=\"" + (id == 1 ? "Read" : "Blur") + "\" name=\"N\"/>\n";
    for (int id = length; id > 1; --id)
        chain += "<link source=\"" + std::to_string(id - 1) + "\" output=\"Result\" target=\"" + std::to_string(id) +
                 "\" input=\"Input\"/>\n";
    PiCompositionFile::loadText(_graph, chain + "</composition>\n", "chain.xml");
    ASSERT_EQ(_graph->getNbNodes(), length);
    EXPECT_EQ(_graph->findNode(length)->getInput(0)->getOutput()->getNodePtr()->getId(), length - 1);
    EXPECT_NE(save().find("<link source=\"1\" output=\"Result\" target=\"2\""), std::string::npos);
}

TEST_F(FilesAndArchive, ArchiveThenUnarchiveIntoAnotherGroupKeepsNodesAndInnerLinks) {
    buildSample();
    std::vector<RCStrongPtr<PiNode>> copied{_graph->findNode(1), _graph->findNode(2), _graph->findNode(3),
                                            _graph->findNode(8)};
    XmlWriter writer;
    // Listed twice, or inside a listed group: written once.
    PiGraphUtils::archiveNodes({copied[0], copied[1], copied[0], copied[2], _graph->findNode(11), copied[3]}, writer);
    auto target = rcCheckedCast<PiGroupNode>(add("Group", "Target"));
    _hints.clear();
    std::vector<RCStrongPtr<PiNode>> pasted;
    {
        PiUndoGuard guard(_graph->getCommandStack(), "Paste Selection");
        pasted = PiGraphUtils::unarchiveNodes(writer.str(), "clipboard", target);
    }
    ASSERT_EQ(pasted.size(), 4u);
    EXPECT_EQ(_hints.batches.size(), 1u);
    for (size_t i = 0; i < pasted.size(); ++i) {
        EXPECT_EQ(pasted[i]->getName(), copied[i]->getName());
        EXPECT_EQ(pasted[i]->getGroup(), target);
        EXPECT_NE(pasted[i]->getId(), copied[i]->getId());
    }
    // Read feeds keyer, grade and the group; the grade's mask comes from the keyer.
    EXPECT_EQ(pasted[0]->getOutput(0)->getNbConnections(), 3);
    EXPECT_EQ(pasted[2]->getInput(1)->getOutput(), pasted[1]->getOutput(0));
    EXPECT_EQ(pasted[2]->getValue(PiValueKind::NodeColor), copied[2]->getValue(PiValueKind::NodeColor));
    auto group = rcCheckedCast<PiGroupNode>(pasted[3]);
    EXPECT_EQ(group->getNbMembers(), 3);
    EXPECT_EQ(group->getMember(2)->getInput(0)->getOutput()->getNodePtr(), group->getMember(0).get());
    XmlWriter again;
    PiGraphUtils::archiveNodes(pasted, again);
    // The same archive but for the identities.
    std::regex ids("(id|source|target)=\"[0-9]+\"");
    EXPECT_EQ(std::regex_replace(again.str(), ids, "$1=#"), std::regex_replace(writer.str(), ids, "$1=#"));

    _graph->getCommandStack().undo();
    EXPECT_EQ(target->getNbMembers(), 0);
    EXPECT_THROW(
        PiGraphUtils::unarchiveNodes("<archive version=\"1\"><link source=\"9\"/></archive>", "clipboard", target),
        ExBadInput);
    EXPECT_EQ(target->getNbMembers(), 0);
}

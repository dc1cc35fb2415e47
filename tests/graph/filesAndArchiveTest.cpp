#include "platform/base/fileUtil.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piGraphUtils.h"
#include "platform/graph/piMultivaluedInput.h"
#include "platform/graph/piNodeAnchorUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piUndoGuard.h"
#include "platform/graph/snSelection.h"
#include "tests/graph/graphFixture.h"

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
    EXPECT_EQ(PiSchematicInterfaceEx::getVisualGroupLockMode(*group), 2);
    EXPECT_EQ(group->getInput(0)->getOutput()->getNodePtr()->getId(), 1);
    EXPECT_EQ(PiCompositionUtils::getComposition(*loaded->findNode(12))->getRole(), PiComposition::FootageRole);
    EXPECT_EQ(loaded->getCommandStack().getNbUndoEntries(), 0);
}

TEST_F(FilesAndArchive, MalformedFilesNameTheLineAndLoadNothing) {
    buildSample();
    std::string before = save();
    _hints.clear();
    const std::string node = "  <node id=\"1\" tool=\"Blur\" name=\"B\"/>\n";
    EXPECT_EQ(loadError("<composition"), "bad.xml:1: not valid XML: Error parsing start element tag");
    EXPECT_EQ(loadError(composition(node + "  <node id=\"2\" tool=\"Sharpen\" name=\"S\"/>\n")),
              "bad.xml:3: unknown tool \"Sharpen\"");
    EXPECT_EQ(loadError(composition(node + node)), "bad.xml:3: duplicate id 1");
    EXPECT_EQ(loadError(composition(node + "  <node id=\"2\" tool=\"Blur\" name=\"C\" x=\"1.5\" y=\"up\"/>\n")),
              "bad.xml:3: y is not a number: \"up\"");
    EXPECT_EQ(loadError(composition(node + "  <link source=\"1\" output=\"Result\" target=\"1\" input=\"Back\"/>\n")),
              "bad.xml:3: no input \"Back\" on node 1");
    EXPECT_EQ(loadError(composition(node + "  <node id=\"2\" tool=\"Invert\" name=\"I\"/>\n" +
                                    "  <link source=\"1\" output=\"Result\" target=\"2\" input=\"Input\"/>\n" +
                                    "  <link source=\"2\" output=\"Result\" target=\"1\" input=\"Input\"/>\n")),
              "bad.xml:5: link makes a cycle");
    EXPECT_EQ(loadError("<archive version=\"1\"/>"), "bad.xml:1: the root element must be <composition>");
    EXPECT_EQ(save(), before);
    EXPECT_TRUE(_hints.batches.empty());
}

TEST_F(FilesAndArchive, ArchiveThenUnarchiveIntoAnotherGroupKeepsNodesAndInnerLinks) {
    buildSample();
    std::vector<RCStrongPtr<PiNode>> copied{_graph->findNode(1), _graph->findNode(2), _graph->findNode(3),
                                            _graph->findNode(8)};
    XmlWriter writer;
    PiGraphUtils::archiveNodes(copied, writer);
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
    EXPECT_THROW(PiGraphUtils::unarchiveNodes("<archive version=\"1\"><link source=\"9\"/></archive>", "clipboard", target),
                 ExBadInput);
    EXPECT_EQ(target->getNbMembers(), 0);
}

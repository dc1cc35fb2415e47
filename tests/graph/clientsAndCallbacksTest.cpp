#include "platform/base/cbMethod.h"
#include "platform/base/fileUtil.h"
#include "platform/graph/omComponentsHint.h"
#include "platform/graph/omGraphEx.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piImageFileInfo.h"
#include "platform/graph/piKeyframingUtil.h"
#include "platform/graph/piSchematicInterfaceEx.h"
#include "platform/graph/piSnItemUtil.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "platform/graph/uiComposition.h"
#include "platform/graph/uiCompositionGraphClient.h"
#include "tests/graph/graphFixture.h"

#include <cstdio>
#include <filesystem>

using namespace Zv;

namespace {

class ClientsAndCallbacks : public GraphTest {};

// Writes what a graph client hears, one line per call.
struct Listener : UiCompositionGraphClient {
    using UiCompositionGraphClient::UiCompositionGraphClient;
    std::vector<std::string> heard;
    void compositionRenamed() override { heard.push_back("renamed"); }
    void contextPointChanged(int tag, const RCStrongPtr<PiSnItem<PiNode>>& former,
                             const RCStrongPtr<PiSnItem<PiNode>>& node) override {
        heard.push_back("context " + std::to_string(tag) + (former ? " from " + former->get()->getName().str() : "") +
                        (node ? " to " + node->get()->getName().str() : ""));
    }
    void currentGraphChanged(const RCStrongPtr<PiGraph>& graph) override {
        heard.push_back("graph " + graph->getName().str());
    }
    void newNodeSet(const RCStrongPtr<PiSnItem<PiNode>>& node) override {
        heard.push_back("node " + node->get()->getName().str());
    }
    void selectionChanged(const SnSelection& selection) override {
        heard.push_back("selection " + std::to_string(selection.getNbItems()));
    }
    void nodeRemoved(int id) override { heard.push_back("removed " + std::to_string(id)); }
    void update(const ObHints& hints) override { heard.push_back("hints " + std::to_string(hints.getNbHints())); }
};

std::string writeFile(const char* name, const std::string& bytes) {
    std::string path = (std::filesystem::temp_directory_path() / name).string();
    FileUtil::writeFileAtomically(path, bytes);
    return path;
}

} // namespace

TEST_F(ClientsAndCallbacks, CompositionTellsItsGraphClients) {
    UiComposition composition;
    Listener listener(composition);
    composition.setGraph(_graph);
    auto blur = add("Blur", "Soft");
    composition.setCurrentNode(blur);
    composition.setContextPoint(1, blur);
    composition.setContextPoint(1, nullptr);
    _graph->getSelection()->add(PiSnItemUtil::create(blur));
    composition.rename("Shot");
    _graph->removeNode(blur);
    EXPECT_EQ(listener.heard,
              (std::vector<std::string>{"graph Test", "hints 1", "node Soft", "context 1 to Soft",
                                        "context 1 from Soft", "selection 1", "renamed", "removed 1", "hints 1"}));
    EXPECT_EQ(listener.getCompositionGraph(), _graph);
    EXPECT_EQ(listener.getNode(), blur);
    EXPECT_EQ(listener.getSelection(), _graph->getSelection());
}

TEST_F(ClientsAndCallbacks, MarksLinksAndRefreshRequests) {
    auto blur = add("Blur"), link = add("CompLink"), read = add("Read");
    std::vector<int> marked;
    CbRegistration marking = PiKeyframingUtil::addMarkingCallback(makeRC<CbFunction<const RCStrongPtr<PiNode>&>>(
        [&](const RCStrongPtr<PiNode>& node) { marked.push_back(node->getId()); }));
    PiKeyframingUtil::markTool(blur);
    EXPECT_TRUE(PiKeyframingUtil::hasMarkedAttributes(*blur));
    _graph->getCommandStack().undo();
    EXPECT_FALSE(PiKeyframingUtil::hasMarkedAttributes(*blur));
    EXPECT_EQ(marked, (std::vector<int>{1, 1}));

    _hints.clear();
    PiCompositionUtils::setOutOfDate(link, true);
    EXPECT_FALSE(_hints.batches.at(0).pickHint<OmComponentsHint::LinkChanged>().isNull());
    EXPECT_TRUE(PiCompositionUtils::getComposition(*link)->isOutOfDate());
    EXPECT_TRUE(PiCompositionUtils::getComposition(*blur).isNull());

    std::vector<std::string> messages;
    CbRegistration refresh = PiSchematicInterfaceEx::addRefreshRequestCb(
        *read, makeRC<CbFunction<const PiSchematicNodeInfo&>>(
                   [&](const PiSchematicNodeInfo& info) { messages.push_back(info.message.str()); }));
    std::string rgb =
        writeFile("graphRgb.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\1\0\0\0\1\x08\x02", 26));
    std::string text = writeFile("graphText.png", "not an image");
    _graph->setText(read, PiImageFileInfo::kFileKey, rgb);
    EXPECT_EQ(PiSchematicInterfaceEx::getImageFormat(*read->getOutput(0)).channels, PiSocketDesc::RGB);
    _graph->setText(read, PiImageFileInfo::kFileKey, text);
    EXPECT_EQ(read->getOutput(0)->getChannels(), PiSocketDesc::RGBA);
    _graph->getCommandStack().undo();
    EXPECT_EQ(read->getOutput(0)->getChannels(), PiSocketDesc::RGB);
    EXPECT_EQ(messages, (std::vector<std::string>{"", text + ": not a PNG or TIFF image", ""}));
    std::remove(rgb.c_str());
    std::remove(text.c_str());
}

TEST_F(ClientsAndCallbacks, GroupSocketsAndCyclesThroughGroups) {
    auto group = rcCheckedCast<PiGroupNode>(add("Group"));
    auto blur = add("Blur", "", group), source = add("Read"), after = add("Invert");
    auto input = rcCheckedCast<PiInput>(_graph->addGroupSocket(group, "In", false));
    auto output = rcCheckedCast<PiOutput>(_graph->addGroupSocket(group, "Out", true));
    _graph->connect(rcCheckedCast<PiOutput>(group->getBoundaryNode(*input)->getInnerSocket()), in(blur));
    _graph->connect(out(blur), rcCheckedCast<PiInput>(group->getBoundaryNode(*output)->getInnerSocket()));
    _graph->connect(out(source), input);
    _graph->connect(output, in(after));
    // The group passes its input to its output, so feeding it from after closes a circle.
    EXPECT_THROW(_graph->connect(out(after), input), OmGraphEx::ExCycle);
    EXPECT_THROW(_graph->connect(out(after), in(blur)), OmGraphEx);
    // Files and archives link group sockets by name.
    EXPECT_THROW(_graph->addGroupSocket(group, "In", false), OmGraphEx);
    _graph->addGroupSocket(group, "In", true);
    EXPECT_THROW(_graph->renameGroupSocket(output, "In"), OmGraphEx);

    std::string before = save();
    _hints.clear();
    _graph->removeNode(group->getBoundaryNode(*input));
    EXPECT_EQ(group->getNbInputs(), 0);
    EXPECT_FALSE(input->isLive());
    EXPECT_EQ(_hints.kinds(0),
              (std::vector<std::string>{"SocketDisconnected", "SocketDisconnected", "NodeRemoved", "InputRemoved"}));
    _graph->getCommandStack().undo();
    EXPECT_EQ(save(), before);
    EXPECT_EQ(group->getInput(0), input);

    {
        PiUndoGuardNoLog forget(true);
        PiSchematicInterfaceEx::setXYPosition(group, 1, 2);
    }
    EXPECT_FALSE(_graph->getCommandStack().canUndo());
}

// Every shown node registers: the requests must reach that node's handlers only, in registration
// order, skip one released meanwhile, and registrations may outlive the graph.
TEST_F(ClientsAndCallbacks, RefreshRequestsReachTheNodesOwnHandlersInOrder) {
    auto blur = add("Blur", "B"), invert = add("Invert", "I");
    std::vector<std::string> heard;
    CbRegistration second;
    const auto handler = [&](const std::string& name, bool releaseSecond = false) {
        return makeRC<CbFunction<const PiSchematicNodeInfo&>>([&heard, &second, name, releaseSecond](const auto& info) {
            heard.push_back(name + " " + info.node->getName().str());
            if (releaseSecond) second = CbRegistration();
        });
    };
    CbRegistration first = PiSchematicInterfaceEx::addRefreshRequestCb(*blur, handler("first", true));
    CbRegistration other = PiSchematicInterfaceEx::addRefreshRequestCb(*invert, handler("other"));
    second = PiSchematicInterfaceEx::addRefreshRequestCb(*blur, handler("second"));
    CbRegistration third = PiSchematicInterfaceEx::addRefreshRequestCb(*blur, handler("third"));
    _graph->requestRefresh(blur, "");
    EXPECT_EQ(heard, (std::vector<std::string>{"first B", "third B"}));
    heard.clear();
    first = CbRegistration();
    _graph->requestRefresh(invert, "");
    _graph->requestRefresh(blur, "");
    EXPECT_EQ(heard, (std::vector<std::string>{"other I", "third B"}));
    auto gone = PiGraph::create("Gone");
    auto node = gone->createNode("Blur", gone->getRootGroup());
    CbRegistration late = PiSchematicInterfaceEx::addRefreshRequestCb(*node, handler("late"));
    node.reset();
    gone.reset();
    late = CbRegistration();
}

// Nesting deeper and chains longer than a recursive or quadratic walk of the model could take.
#include "platform/base/xmlWriter.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piGraphSearch.h"
#include "platform/graph/piGraphUtils.h"
#include "platform/graph/piIsPrimaryOutputNode.h"
#include "platform/graph/piUndoGuard.h"
#include "platform/graph/piUndoGuardNoLog.h"
#include "tests/graph/graphFixture.h"

#include <pthread.h>

#include <exception>
#include <functional>

using namespace Zv;

namespace {

class LargeGraphs : public GraphTest {};

std::string archive(const std::vector<RCStrongPtr<PiNode>>& nodes) {
    XmlWriter writer;
    PiGraphUtils::archiveNodes(nodes, writer);
    return writer.str();
}

// Runs work on a thread whose stack is far too small for a walk that recurses once per level.
void onSmallStack(const std::function<void()>& work) {
    constexpr size_t kStackSize = 256 * 1024;
    std::exception_ptr failure;
    std::function<void()> body = [&] {
        PiAppThread::setCurrent();
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
    };
    pthread_attr_t attributes;
    pthread_attr_init(&attributes);
    pthread_attr_setstacksize(&attributes, kStackSize);
    pthread_t thread;
    auto run = [](void* function) -> void* {
        (*static_cast<std::function<void()>*>(function))();
        return nullptr;
    };
    ASSERT_EQ(pthread_create(&thread, &attributes, run, &body), 0);
    pthread_join(thread, nullptr);
    pthread_attr_destroy(&attributes);
    PiAppThread::setCurrent();
    if (failure) std::rethrow_exception(failure);
}

size_t count(const std::string& text, const std::string& part) {
    size_t found = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++found;
    return found;
}

} // namespace

TEST(DeepGroups, NestedTenThousandDeep) {
    constexpr int kDepth = 10000;
    RCStrongPtr<PiGraph> graph;
    RCShdPtr<PiPath> path;
    HintRecorder hints;
    int nbNodes = 0;
    onSmallStack([&] {
        graph = PiGraph::create();
        graph->attachObserver(&hints);
        {
            PiUndoGuardNoLog build;
            RCStrongPtr<PiGroupNode> group = graph->getRootGroup();
            for (int level = 0; level < kDepth; ++level)
                group = rcCheckedCast<PiGroupNode>(graph->createNode("Group", group));
            graph->connect(graph->createNode("Read", group)->getOutput(0),
                           graph->createNode("Output", group)->getInput(0));
        }
        nbNodes = graph->getNbNodes();
        path = PiGraphSearch::heightFirst(graph->getRootGroup()->getMember(0), PiIsPrimaryOutputNode::getPredicate());
        ASSERT_FALSE(path.isNull());
        EXPECT_EQ(path->getNbNodes(), kDepth + 1);
        hints.clear();
        graph->removeNode(path->getNode(0));
        EXPECT_EQ(hints.batches.at(0).getNbHints(), static_cast<size_t>(nbNodes));
        EXPECT_EQ(graph->getNbNodes(), 0);
        graph->getCommandStack().undo();
        EXPECT_EQ(graph->getNbNodes(), nbNodes);
        EXPECT_TRUE(path->getLast()->isLive());
    });
    // Every member of a listed group is written inside it, not again on its own.
    EXPECT_EQ(count(archive({path->getNode(kDepth / 2), path->getNode(0), path->getLast()}), "<node "),
              static_cast<size_t>(nbNodes));
    onSmallStack([&] {
        graph->detachObserver(&hints);
        hints.clear();
        path = nullptr;
        graph = nullptr;
    });
}

TEST_F(LargeGraphs, MillionNodeChainCopiedAndPasted) {
    constexpr int kLength = 1000000;
    {
        // Built from the consumer up, so that each link's cycle check meets a node without inputs.
        PiUndoGuardNoLog build;
        RCStrongPtr<PiNode> consumer = add("Output");
        for (int i = 1; i < kLength; ++i) {
            RCStrongPtr<PiNode> node = add(i + 1 == kLength ? "Read" : "Blur");
            _graph->connect(out(node), in(consumer));
            consumer = node;
        }
    }
    _hints.clear();
    std::string copied = archive(_root->getMembers());
    RCStrongPtr<PiGroupNode> pasted;
    {
        PiUndoGuard guard(_graph->getCommandStack(), "Paste Selection");
        pasted = rcCheckedCast<PiGroupNode>(add("Group", "Pasted"));
        PiGraphUtils::unarchiveNodes(copied, "clipboard", pasted);
    }
    ASSERT_EQ(pasted->getNbMembers(), kLength);
    EXPECT_EQ(pasted->getMember(0)->getInput(0)->getOutput()->getNodePtr(), pasted->getMember(1).get());
    _graph->getCommandStack().undo();
    EXPECT_EQ(_graph->getNbNodes(), kLength);
    EXPECT_FALSE(pasted->isLive());
}

#pragma once

#include "platform/base/obHints.h"
#include "platform/base/obObserver.h"
#include "platform/graph/piGraph.h"

#include <gtest/gtest.h>

#include <string>
#include <typeinfo>
#include <vector>

namespace Zv {

// Keeps every hint batch a graph sends.
struct HintRecorder : ObObserver {
    std::vector<ObHints> batches;
    void update(const ObHints& hints) override { batches.push_back(hints); }

    // Kinds of one batch, by the hint class name without its enclosing class ("NodeAdded").
    std::vector<std::string> kinds(size_t batch) const;
    void clear() { batches.clear(); }
};

// A graph with a hint recorder attached, and helpers that build nodes in code.
class GraphTest : public ::testing::Test {
protected:
    GraphTest();
    ~GraphTest() override;

    RCStrongPtr<PiNode> add(const char* tool, const char* name = "", const RCStrongPtr<PiGroupNode>& group = {});
    RCStrongPtr<PiOutput> out(const RCStrongPtr<PiNode>& node, int index = 0) { return node->getOutput(index); }
    RCStrongPtr<PiInput> in(const RCStrongPtr<PiNode>& node, int index = 0) { return node->getInput(index); }
    // A graph using every kind of value: sources, a mask, a multi-valued merge, a group with
    // sockets, colours, anchors, markers, a link node, and a selection.
    void buildSample();
    std::string save() const;

    RCStrongPtr<PiGraph> _graph;
    RCStrongPtr<PiGroupNode> _root;
    HintRecorder _hints;
};

} // namespace Zv

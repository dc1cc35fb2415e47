#pragma once

#include "platform/graph/piNode.h"

#include <unordered_set>
#include <vector>

namespace Zv {

// How images flow through the processing graph: which output computes what another carries, and
// which inputs a node computes with. Application thread only: it reads the live graph.
class PxUpstream {
public:
    // The output of a computing node that gives what output carries, looking through group outputs
    // into the group and through group inputs out of it; null when nothing feeds it. Every group
    // and boundary node passed on the way is added to passed, when given.
    static const PiOutput* resolve(const PiOutput* output, std::vector<const PiNode*>* passed = nullptr);
    // The inputs a node computes its image from, in socket order; the values of a multi-valued
    // input in their order. Parameter inputs are left out.
    static void getImageInputs(const PiNode& node, std::vector<const PiInput*>& inputs);
    // Whether what root computes depends on any of the nodes: root itself, a node upstream, or a
    // group or boundary node the images pass through.
    static bool dependsOn(const PiNode& root, const std::unordered_set<int>& nodeIds);
};

} // namespace Zv

#pragma once

#include "views/schematic/src/scGraphInterface.h"
#include "views/schematic/src/scNode.h"

#include <unordered_set>

namespace Zv {

// The model side of a scene in tests: it shows no processing node and stores no position, and
// keeps the nodes it was told to fix where they are.
class StubGraphOwner : public ScGraphInterface {
public:
    void fix(const ScNode& node) { _fixed.insert(&node); }
    void clearFixed() { _fixed.clear(); }

    RCStrongPtr<ScNode> findNode(const PiNode&) override { return {}; }
    void storeNodePosition(PiNode&, const GePoint2<float>&) override {}
    GePoint2<float> getNodePosition(const PiNode&) override { return {}; }
    bool isPlaceable(const ScNode& node) override { return _fixed.count(&node) == 0; }

private:
    std::unordered_set<const ScNode*> _fixed;
};

} // namespace Zv

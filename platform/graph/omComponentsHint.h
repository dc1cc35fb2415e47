#pragma once

#include "platform/base/obHint.h"
#include "platform/graph/piNode.h"

namespace Zv {

// Change hints about the compositions a graph links to.
class OmComponentsHint : public ObHint {
public:
    class LinkChanged;
};

// A link node now points elsewhere, or its linked composition changed role or freshness.
class OmComponentsHint::LinkChanged : public OmComponentsHint {
public:
    explicit LinkChanged(RCStrongPtr<PiNode> node) : _node(std::move(node)) {}
    const RCStrongPtr<PiNode>& getNode() const { return _node; }

private:
    RCStrongPtr<PiNode> _node;
};

} // namespace Zv

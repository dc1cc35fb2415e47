#pragma once

#include "platform/graph/piGraphObject.h"
#include "platform/graph/piSocketDesc.h"

namespace Zv {

class PiNode;

// An input or output of a node.
class PiSocket : public PiGraphObject {
public:
    // Null once the node died.
    RCStrongPtr<PiNode> getNode() const;
    PiNode* getNodePtr() const { return _node; }
    const LiString& getName() const { return _desc->name; }
    int getSocketTypeIndex() const { return _desc->typeIndex; }
    const PiSocketDesc& getDesc() const { return *_desc; }
    // Position among the node's inputs or outputs (a value of a multi-valued input: its place in the list).
    int getIndex() const { return _index; }
    virtual bool isInput() const = 0;
    bool isLive() const override;

protected:
    PiSocket(PiNode* node, const PiSocketDesc* desc, int index) : _node(node), _desc(desc), _index(index) {}

private:
    friend class PiGraph;
    friend class PiNode;
    PiNode* _node;
    const PiSocketDesc* _desc;
    int _index;
    bool _attached = true;
};

} // namespace Zv

#pragma once

#include "platform/graph/piSocket.h"

namespace Zv {

class PiOutput;
class PiMultivaluedInput;

// An input: fed by at most one output. A composite input holds values instead (PiMultivaluedInput).
class PiInput : public PiSocket {
public:
    PiInput(PiNode* node, const PiSocketDesc* desc, int index, PiMultivaluedInput* parent = nullptr)
        : PiSocket(node, desc, index), _parent(parent) {}

    virtual bool isComposite() const { return false; }
    bool isInput() const override { return true; }
    // The output feeding this input, or null.
    RCStrongPtr<PiOutput> getOutput() const;
    bool isConnected() const { return _source != nullptr; }
    // The multi-valued input this is a value of, or null.
    RCStrongPtr<PiMultivaluedInput> getParent() const;
    // The socket as the node lists it: the multi-valued input for a value, else itself.
    const PiInput& getTopInput() const;

private:
    friend class PiGraph;
    friend class PiNode;
    PiOutput* _source = nullptr;
    PiMultivaluedInput* _parent;
};

} // namespace Zv

#pragma once

#include "platform/base/obHint.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piValue.h"

namespace Zv {

// Change hints of a processing graph. Observers tell the kinds apart by run-time type.
class OmGraphHint : public ObHint {
public:
    class NodeHint;
    class SocketHint;
    class LinkHint;

    class ValueChanged;
    class OutputChanged;
    class NodeNameChanged;
    class NodeAdded;
    class NodeRemoved;
    class NodeMoved;
    class InputRemoved;
    class OutputRemoved;
    class SocketConnected;
    class SocketDisconnected;
    class DynamicInputAdded;
    class InputAddedToComposite;
    class DynamicInputRenamed;
    class DynamicOutputAdded;
    class DynamicOutputRenamed;
};

class OmGraphHint::NodeHint : public OmGraphHint {
public:
    explicit NodeHint(RCStrongPtr<PiNode> node) : _node(std::move(node)) {}
    const RCStrongPtr<PiNode>& getNode() const { return _node; }

private:
    RCStrongPtr<PiNode> _node;
};

class OmGraphHint::SocketHint : public OmGraphHint {
public:
    explicit SocketHint(RCStrongPtr<PiSocket> socket) : _socket(std::move(socket)) {}
    const RCStrongPtr<PiSocket>& getSocket() const { return _socket; }

private:
    RCStrongPtr<PiSocket> _socket;
};

class OmGraphHint::LinkHint : public OmGraphHint {
public:
    LinkHint(RCStrongPtr<PiOutput> output, RCStrongPtr<PiInput> input)
        : _output(std::move(output)), _input(std::move(input)) {}
    const RCStrongPtr<PiOutput>& getOutput() const { return _output; }
    const RCStrongPtr<PiInput>& getInput() const { return _input; }

private:
    RCStrongPtr<PiOutput> _output;
    RCStrongPtr<PiInput> _input;
};

class OmGraphHint::ValueChanged : public OmGraphHint {
public:
    explicit ValueChanged(RCStrongPtr<PiValue> value) : _value(std::move(value)) {}
    const RCStrongPtr<PiValue>& getValue() const { return _value; }
    const RCStrongPtr<PiNode>& getNode() const { return _value->getNode(); }

private:
    RCStrongPtr<PiValue> _value;
};

class OmGraphHint::OutputChanged : public OmGraphHint {
public:
    explicit OutputChanged(RCStrongPtr<PiOutput> output) : _output(std::move(output)) {}
    const RCStrongPtr<PiOutput>& getOutput() const { return _output; }

private:
    RCStrongPtr<PiOutput> _output;
};

class OmGraphHint::NodeNameChanged : public NodeHint {
public:
    using NodeHint::NodeHint;
};
class OmGraphHint::NodeAdded : public NodeHint {
public:
    using NodeHint::NodeHint;
};
class OmGraphHint::NodeRemoved : public NodeHint {
public:
    using NodeHint::NodeHint;
};

class OmGraphHint::NodeMoved : public NodeHint {
public:
    NodeMoved(RCStrongPtr<PiNode> node, RCStrongPtr<PiGroupNode> formerGroup)
        : NodeHint(std::move(node)), _formerGroup(std::move(formerGroup)) {}
    const RCStrongPtr<PiGroupNode>& getFormerGroup() const { return _formerGroup; }

private:
    RCStrongPtr<PiGroupNode> _formerGroup;
};

class OmGraphHint::InputRemoved : public SocketHint {
public:
    using SocketHint::SocketHint;
};
class OmGraphHint::OutputRemoved : public SocketHint {
public:
    using SocketHint::SocketHint;
};
class OmGraphHint::SocketConnected : public LinkHint {
public:
    using LinkHint::LinkHint;
};
class OmGraphHint::SocketDisconnected : public LinkHint {
public:
    using LinkHint::LinkHint;
};
class OmGraphHint::DynamicInputAdded : public SocketHint {
public:
    using SocketHint::SocketHint;
};
class OmGraphHint::InputAddedToComposite : public SocketHint {
public:
    using SocketHint::SocketHint;
};
class OmGraphHint::DynamicInputRenamed : public SocketHint {
public:
    using SocketHint::SocketHint;
};
class OmGraphHint::DynamicOutputAdded : public SocketHint {
public:
    using SocketHint::SocketHint;
};
class OmGraphHint::DynamicOutputRenamed : public SocketHint {
public:
    using SocketHint::SocketHint;
};

} // namespace Zv

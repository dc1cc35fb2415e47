#pragma once

#include "platform/graph/piSocket.h"

#include <cstdint>
#include <vector>

namespace Zv {

class PiInput;

// An output: feeds any number of inputs.
class PiOutput : public PiSocket {
public:
    PiOutput(PiNode* node, const PiSocketDesc* desc, int index)
        : PiSocket(node, desc, index), _channels(static_cast<uint8_t>(desc->channels)) {}

    bool isInput() const override { return false; }
    int getNbConnections() const { return static_cast<int>(_targets.size()); }
    RCStrongPtr<PiInput> getConnection(int index) const;
    const std::vector<PiInput*>& getConnections() const { return _targets; }
    // Channel layout of the result (PiSocketDesc::Channels).
    int getChannels() const { return _channels; }

private:
    friend class PiGraph;
    friend class PiNode;
    std::vector<PiInput*> _targets;
    uint8_t _channels;
};

} // namespace Zv

#pragma once

#include "platform/graph/piGraph.h"

#include <cstdint>
#include <vector>

namespace Zv {

// Builds large compositions shaped like real ones, for benchmarks and stress runs: trees of
// sources, filter chains and fan-in nodes (up to four inputs) that end in outputs, with about a
// tenth of the nodes feeding a second consumer. Nodes get no positions. The same seed gives the
// same composition on every platform.
class PiCompositionGenerator {
public:
    struct Stats {
        int nbNodes = 0;
        int nbLinks = 0;
        int nbOutputs = 0;
        int nbSecondConsumers = 0;
    };

    explicit PiCompositionGenerator(uint64_t seed) : _state(seed) {}

    // A new graph of exactly nbNodes nodes (at least 1), built without undo entries.
    RCStrongPtr<PiGraph> generate(int nbNodes);
    const Stats& getStats() const { return _stats; }

private:
    // An input still waiting for its source; every open slot reserves one node of the budget.
    struct Slot {
        RCStrongPtr<PiInput> input;
        const PiNode* consumer;
    };

    uint64_t next();
    // Uniform in [0, n).
    int below(int n);
    bool chance(double p);

    void fill(const Slot& slot);
    int drawChainLength(int room);
    // A one-input filter feeding slot; returns its input.
    Slot addFilter(const Slot& slot);
    // Creates a node feeding slot, and sometimes a second open slot as well.
    RCStrongPtr<PiNode> addNode(const char* tool, const Slot& slot);
    void feedSecondConsumer(const RCStrongPtr<PiNode>& node, const PiNode* firstConsumer);
    void openInputs(const RCStrongPtr<PiNode>& node, int nbInputs);
    void connect(const RCStrongPtr<PiNode>& source, const RCStrongPtr<PiInput>& input);
    int getRoom() const { return _budget - _stats.nbNodes - static_cast<int>(_open.size()); }

    uint64_t _state;
    RCStrongPtr<PiGraph> _graph;
    std::vector<Slot> _open;
    int _budget = 0;
    Stats _stats;
};

} // namespace Zv

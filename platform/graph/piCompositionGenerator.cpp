#include "platform/graph/piCompositionGenerator.h"

#include "platform/base/assertions.h"
#include "platform/graph/piUndoGuardNoLog.h"

#include <algorithm>
#include <utility>

namespace Zv {
namespace {

// Plates are the most common leaves.
constexpr const char* kSources[] = {"Read", "Read", "Read", "Constant", "Checker", "Ramp"};
constexpr const char* kFilters[] = {"Blur", "Invert", "Transform", "ColorCorrect"};
constexpr int kNbSources = static_cast<int>(std::size(kSources));
constexpr int kNbFilters = static_cast<int>(std::size(kFilters));
// Near one slot opened per slot filled, so trees grow to tens or hundreds of nodes.
constexpr double kFanChance = 0.52;
// Some draws find no other consumer nearby, so the chance is above the tenth aimed at.
constexpr double kSecondConsumerChance = 0.12;
// A second consumer is taken among the slots opened last, so shared plates stay near their users.
constexpr int kSecondConsumerReach = 8;

} // namespace

uint64_t PiCompositionGenerator::next() {
    // splitmix64: small, and the same sequence everywhere.
    uint64_t z = (_state += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
}

int PiCompositionGenerator::below(int n) {
    return static_cast<int>(next() % static_cast<uint64_t>(n));
}

bool PiCompositionGenerator::chance(double p) {
    return static_cast<double>(next() >> 11) * 0x1.0p-53 < p;
}

RCStrongPtr<PiGraph> PiCompositionGenerator::generate(int nbNodes) {
    ZV_ASSERT(nbNodes >= 1);
    _graph = PiGraph::create("Generated");
    // Drawn from the generator's state, so that the same seed also gives the same identity.
    _graph->setUuid(Uuid::fromBits(_state, static_cast<uint64_t>(nbNodes)));
    _budget = nbNodes;
    _stats = Stats();
    _open.clear();
    {
        PiUndoGuardNoLog noUndo;
        while (_stats.nbNodes < _budget) {
            if (_open.empty()) {
                // A new tree; a budget of one node is a lone output.
                RCStrongPtr<PiNode> output = _graph->createNode("Output", _graph->getRootGroup());
                ++_stats.nbNodes;
                ++_stats.nbOutputs;
                if (getRoom() > 0) openInputs(output, 1);
                continue;
            }
            Slot slot = std::move(_open.back());
            _open.pop_back();
            fill(slot);
        }
    }
    return std::exchange(_graph, {});
}

// Nodes are created consumers first and connected as they are created, so a new node has no
// inputs yet when its output is linked: no link can close a cycle and the check stays cheap.
void PiCompositionGenerator::fill(const Slot& slot) {
    Slot current = slot;
    for (int length = drawChainLength(getRoom() - 1); length > 0; --length) current = addFilter(current);
    // The head takes one node of the room and each input it opens reserves one more.
    int fanIn = chance(kFanChance) ? std::min(2 + below(3), getRoom() - 1) : 0;
    if (fanIn < 2) {
        // A tree never ends one node short of the budget: that node could not start another.
        if (_open.empty() && getRoom() == 2) current = addFilter(current);
        addNode(kSources[below(kNbSources)], current);
        return;
    }
    switch (below(3)) {
    case 0: openInputs(addNode("Merge", current), fanIn); break;
    case 1: openInputs(addNode("Over", current), std::min(fanIn, 3)); break;
    default: openInputs(addNode("ColorCorrect", current), 2); break;
    }
}

// Mostly short chains, sometimes a long one.
int PiCompositionGenerator::drawChainLength(int room) {
    int length = 0;
    if (chance(0.05)) {
        length = 10 + below(50);
    } else {
        while (chance(0.55)) ++length;
    }
    return std::max(0, std::min(length, room));
}

PiCompositionGenerator::Slot PiCompositionGenerator::addFilter(const Slot& slot) {
    RCStrongPtr<PiNode> filter = addNode(kFilters[below(kNbFilters)], slot);
    return {filter->getInput(0), filter.get()};
}

RCStrongPtr<PiNode> PiCompositionGenerator::addNode(const char* tool, const Slot& slot) {
    RCStrongPtr<PiNode> node = _graph->createNode(tool, _graph->getRootGroup());
    ++_stats.nbNodes;
    connect(node, slot.input);
    if (chance(kSecondConsumerChance)) feedSecondConsumer(node, slot.consumer);
    return node;
}

void PiCompositionGenerator::feedSecondConsumer(const RCStrongPtr<PiNode>& node, const PiNode* firstConsumer) {
    // The last open slot stays for the tree's own nodes, so only a source ends a tree.
    int reach = std::min(kSecondConsumerReach, static_cast<int>(_open.size()) - 1);
    if (reach <= 0) return;
    auto slot = _open.end() - 1 - below(reach);
    if (slot->consumer == firstConsumer) return;
    connect(node, slot->input);
    _open.erase(slot);
    ++_stats.nbSecondConsumers;
}

// A multi-valued input opens one slot per value; slots are pushed last first so that inputs fill in order.
void PiCompositionGenerator::openInputs(const RCStrongPtr<PiNode>& node, int nbInputs) {
    for (int i = nbInputs - 1; i >= 0; --i)
        _open.push_back({node->getInput(std::min(i, node->getNbInputs() - 1)), node.get()});
}

void PiCompositionGenerator::connect(const RCStrongPtr<PiNode>& source, const RCStrongPtr<PiInput>& input) {
    _graph->connect(source->getOutput(0), input);
    ++_stats.nbLinks;
}

} // namespace Zv

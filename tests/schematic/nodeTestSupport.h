#pragma once

#include "views/schematic/src/scCustomNode.h"
#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/scNodeIconRegistry.h"

#include "platform/base/exBase.h"
#include "platform/graph/piGraph.h"

#include <string>

namespace Zv::NodeTest {

// The singletons live for the whole test program: once destroyed they cannot come back.
inline ScNodeFactory& factory() {
    if (ScNodeIconRegistry::getState() == ScNodeIconRegistry::NotInitialized) ScNodeIconRegistry::initialize();
    if (ScNodeFactory::getState() == ScNodeFactory::NotInitialized) ScNodeFactory::initialize();
    return ScNodeFactory::getInstance();
}

inline void addSockets(ScNode& node, int inputs, int outputs) {
    for (int i = 0; i < inputs; ++i) {
        ScNode::SocketRecord socket;
        node.addInput(socket);
    }
    for (int i = 0; i < outputs; ++i) {
        ScNode::SocketRecord socket;
        node.addOutput(socket);
    }
}

// What a pick reports; the index starts at 55 so that untouched indices show.
struct Hit {
    bool hit;
    int index;
    int part;
    bool operator==(const Hit&) const = default;
};

inline Hit pickAt(ScNode& node, GePoint2f p, bool markHovered = false) {
    int index = 55, part = -1;
    const bool hit = node.pickSocket(p, markHovered, index, part);
    return {hit, index, part};
}

// The condition text of the assertion the call fails, or "none".
template <class Call>
std::string failedAssertion(Call call) {
    try {
        call();
    } catch (const ExAssertionFailed& ex) {
        return ex.getExpression();
    }
    return "none";
}

// A point in the middle of the band of a tab, or of a set's tab, on a box.
inline GePoint2f bandPoint(const ScRoundedBox& box, const ScRoundedBox::EdgePos& from, const ScRoundedBox::EdgePos& to,
                           float out = 3.0f) {
    const ScRoundedBox::EdgePos mid = box.getOffsetPos(from, to, 0.5f);
    return box.getPoint(mid) + box.getNormal(mid) * out;
}

} // namespace Zv::NodeTest

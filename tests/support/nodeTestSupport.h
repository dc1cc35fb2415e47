#pragma once

#include "views/schematic/src/scCustomNode.h"

#include "platform/graph/piGraph.h"

namespace Zv::NodeTest {

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
    ScPart part;
    bool operator==(const Hit&) const = default;
};

inline Hit pickAt(ScNode& node, GePoint2f p, bool markHovered = false) {
    int index = 55;
    ScPart part = ScPart::Body;
    const bool hit = node.pickSocket(p, markHovered, index, part);
    return {hit, index, part};
}

// A point in the middle of the band of a tab, or of a set's tab, on a box.
inline GePoint2f bandPoint(const ScRoundedBox& box, const ScRoundedBox::EdgePos& from, const ScRoundedBox::EdgePos& to,
                           float out = 3.0f) {
    const ScRoundedBox::EdgePos mid = box.getOffsetPos(from, to, 0.5f);
    return box.getPoint(mid) + box.getNormal(mid) * out;
}

} // namespace Zv::NodeTest

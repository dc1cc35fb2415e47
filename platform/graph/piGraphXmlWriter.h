#pragma once

#include "platform/base/xmlWriter.h"
#include "platform/graph/piNode.h"

#include <vector>

namespace Zv {

// Writes nodes as XML elements: each node with its values, a group with its boundary nodes and
// members, then one link element per connection between the written nodes.
class PiGraphXmlWriter {
public:
    static void writeNodes(XmlWriter& writer, const std::vector<RCStrongPtr<PiNode>>& nodes);
    // Shortest text that reads back as the same float.
    static LiString formatFloat(float value);
};

} // namespace Zv

#pragma once

#include "platform/base/liString.h"

#include <string>
#include <vector>

namespace Zv {

class ScGraph;

// The scene as lines of tab-separated fields, the same for the layout command and scripted sessions.
// Numbers have three decimals; names have tabs, line breaks, carriage returns and backslashes written
// "\t", "\n", "\r" and "\\", so that no name can forge a field or a line.
class SvSceneReport {
public:
    static std::string escapeField(const LiString& text);
    static std::string formatNumber(float value);
    // "node", id, name, x, y, width, height, placed, selected; in node-set order.
    static std::vector<std::string> getNodeLines(const ScGraph& scene);
    // "edge", source id, output index, target id, input index, end x, end y; in edge-set order.
    static std::vector<std::string> getEdgeLines(const ScGraph& scene);
};

} // namespace Zv

#include "views/schematic/src/svSceneReport.h"

#include "views/schematic/src/scGraph.h"

#include "platform/base/liStringUtil.h"
#include "platform/graph/piNode.h"

namespace Zv {
namespace {

std::string joinFields(std::initializer_list<std::string> fields) {
    std::string line;
    for (const std::string& field : fields) line += (line.empty() ? "" : "\t") + field;
    return line;
}

} // namespace

std::string SvSceneReport::escapeField(const LiString& text) {
    std::string field;
    for (char c : text.str()) {
        switch (c) {
        case '\t': field += "\\t"; break;
        case '\n': field += "\\n"; break;
        case '\r': field += "\\r"; break;
        case '\\': field += "\\\\"; break;
        default: field += c;
        }
    }
    return field;
}

std::string SvSceneReport::formatNumber(float value) {
    return LiStringUtil::convertNb(value, 3).str();
}

std::vector<std::string> SvSceneReport::getNodeLines(const ScGraph& scene) {
    std::vector<std::string> lines;
    for (const auto& node : scene.getNodes()) {
        GeVector2<float> size;
        node->getSize(size);
        const GePoint2<float>& p = node->getPosition();
        lines.push_back(
            joinFields({"node", std::to_string(node->getProcessingNode()->getId()), escapeField(node->getName()),
                        formatNumber(p.x), formatNumber(p.y), formatNumber(size.x), formatNumber(size.y),
                        node->isPlaced() ? "1" : "0", node->isSelected() ? "1" : "0"}));
    }
    return lines;
}

std::vector<std::string> SvSceneReport::getEdgeLines(const ScGraph& scene) {
    std::vector<std::string> lines;
    for (const auto& edge : scene.getEdges()) {
        const GePoint2<float> end = edge->getTarget()->getInputConnectionPoint(edge->getTargetSocket(), 0);
        lines.push_back(joinFields(
            {"edge", std::to_string(edge->getSource()->getProcessingNode()->getId()),
             std::to_string(edge->getSourceSocket()), std::to_string(edge->getTarget()->getProcessingNode()->getId()),
             std::to_string(edge->getTargetSocket()), formatNumber(end.x), formatNumber(end.y)}));
    }
    return lines;
}

} // namespace Zv

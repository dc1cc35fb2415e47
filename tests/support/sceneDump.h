#pragma once

#include "views/schematic/src/scGraph.h"

#include "platform/graph/piGroupNode.h"

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace Zv::TestSupport {

// Everything a scene shows, one sorted line per node, link and visual group, so that two scenes of
// the same document compare equal however they were built and in whatever order their objects came.
// Links leave out their selection: a view keeps it while the selected nodes stay the same.
inline std::string dumpScene(const ScGraph& scene) {
    const auto id = [](const ScNode& node) { return node.getProcessingNode()->getId(); };
    std::vector<std::string> lines;
    for (const auto& node : scene.getNodes()) {
        std::ostringstream line;
        GeVector2<float> size;
        node->getSize(size);
        const UiResColor& color = node->getColor();
        line << "node " << id(*node) << " '" << node->getName().str() << "' at " << node->getPosition().x << ","
             << node->getPosition().y << " size " << size.x << "x" << size.y << " placed " << node->isPlaced()
             << " selected " << node->isSelected() << " thumbnail " << node->isThumbnailShown() << " color "
             << node->hasColor();
        if (node->hasColor()) line << " " << color.r << " " << color.g << " " << color.b;
        line << " contexts " << node->getContextPointCount() << " in";
        for (const auto& input : node->getInputs())
            line << " '" << input.label.str() << "'" << (input.converted ? "*" : "");
        line << " out";
        for (const auto& output : node->getOutputs()) line << " '" << output.label.str() << "'";
        lines.push_back(line.str());
    }
    for (const auto& edge : scene.getEdges()) {
        std::ostringstream line;
        line << "edge " << id(*edge->getSource()) << "." << edge->getSourceSocket() << "/" << edge->getSourceFanIndex()
             << " > " << id(*edge->getTarget()) << "." << edge->getTargetSocket() << "/" << edge->getTargetFanIndex();
        lines.push_back(line.str());
    }
    for (const auto& group : scene.getGroups()) {
        std::ostringstream line;
        const GeRectangle<float>& rect = group->getRect();
        line << "group " << group->getGroup()->getId() << " color " << group->getColor().r << " " << group->getColor().g
             << " " << group->getColor().b << " lock " << static_cast<int>(group->getLockState()) << " selected "
             << group->isSelected() << " rect " << rect.xMin << " " << rect.xMax << " " << rect.yMin << " " << rect.yMax
             << " members";
        std::vector<int> members;
        for (const auto& member : group->getMembers()) members.push_back(id(*member));
        std::sort(members.begin(), members.end());
        for (int member : members) line << " " << member;
        lines.push_back(line.str());
    }
    std::sort(lines.begin(), lines.end());
    std::string dump;
    for (const std::string& line : lines) dump += line + "\n";
    return dump;
}

} // namespace Zv::TestSupport

#pragma once

#include "platform/engine/pxImageMultiTileRequest.h"
#include "platform/graph/piGraph.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

namespace Zv {

using Rgba = std::array<float, 4>;

// A graph built in code and the engine's images of its nodes.
class EngineTest : public ::testing::Test {
protected:
    EngineTest();

    RCStrongPtr<PiNode> add(const char* tool, const char* name = "", const RCStrongPtr<PiGroupNode>& group = {});
    // Connects the node's first output to an input of another.
    void link(const RCStrongPtr<PiNode>& from, const RCStrongPtr<PiNode>& to, int input = 0);
    void setText(const RCStrongPtr<PiNode>& node, const char* key, const std::string& text);
    // The engine node of the node's first image output (or an output node's result).
    RCStrongPtr<PxImageNode> imageOf(const RCStrongPtr<PiNode>& node) const;
    // Computes the node's image on the workers and waits for it.
    PxImageMultiTileRequest::Results render(const RCStrongPtr<PiNode>& node, double time = 1) const;
    IxTile picture(const RCStrongPtr<PiNode>& node, double time = 1) const;

    RCStrongPtr<PiGraph> _graph;
};

Rgba meanOf(const IxTile& tile);
Rgba pixelOf(const IxTile& tile, int x, int y);

} // namespace Zv

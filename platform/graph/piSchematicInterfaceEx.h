#pragma once

#include "platform/graph/piGraph.h"
#include "platform/graph/piImageFormat.h"
#include "platform/graph/piValue.h"

#include <array>

namespace Zv {

// The schematic's values on nodes. Setters are undoable edits of the node's graph.
class PiSchematicInterfaceEx {
public:
    using Node = RCStrongPtr<PiNode>;
    using Color = std::array<float, 3>;

    // False, with (0, 0), when the node has no stored position.
    static bool getXYPosition(const PiNode& node, float& x, float& y);
    static void setXYPosition(const Node& node, float x, float y);
    static void removeXYPosition(const Node& node);

    static bool hasNodeColor(const PiNode& node);
    // Black when the node has no colour.
    static Color getNodeColor(const PiNode& node);
    static void setNodeColor(const Node& node, const Color& color);
    static void removeNodeColor(const Node& node);

    // Only group nodes can be visual groups.
    static bool isVisualGroup(const PiNode& node);
    static void setVisualGroup(const Node& node, bool on);
    // The highest lock number files and values may carry.
    static constexpr int kMaxLockMode = static_cast<int>(PiLockMode::Group);
    static PiLockMode getVisualGroupLockMode(const PiNode& node);
    static void setVisualGroupLock(const Node& node, PiLockMode mode);
    static void removeVisualGroupLock(const Node& node);

    // False when no thumbnail state was ever set; state tells whether the thumbnail is shown.
    static bool isThumbnailStateSet(const PiNode& node, bool& state);
    static void enableThumbnail(const Node& node, bool on);

    static PiImageFormat getImageFormat(const PiOutput& output);

    static bool isPositionValue(const PiValue& value) { return value.getKind() == PiValueKind::Position; }
    static bool isNodeColorValue(const PiValue& value) { return value.getKind() == PiValueKind::NodeColor; }
    static bool isThumbnailValue(const PiValue& value) { return value.getKind() == PiValueKind::Thumbnail; }
    static bool isVisualGroupValue(const PiValue& value) { return value.getKind() == PiValueKind::VisualGroup; }
    static bool isVisualGroupLockValue(const PiValue& value) { return value.getKind() == PiValueKind::VisualGroupLock; }

    // Called when the node's look must be built again (a reader's file changed, for one).
    static CbRegistration addRefreshRequestCb(const PiNode& node, RCStrongPtr<PiGraph::RefreshHandler> handler);

    // Layout spacing, in scene units: the gap between a consumer and its inputs, the node extents
    // counted in that gap, the gap between neighbours, and the spread of fanned connectors.
    static float getPlacementDepth() { return 40; }
    static float getNodeDepthX() { return 100; }
    static float getNodeDepthY() { return 30; }
    static float getPlacementBreadth() { return 20; }
    static float getFanConnectorSpace() { return 12; }
};

} // namespace Zv

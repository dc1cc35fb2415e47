#pragma once

#include "views/schematic/src/scGroup.h"
#include "views/schematic/src/scNode.h"

#include "platform/graph/omGraphHint.h"

#include <map>
#include <set>
#include <utility>
#include <vector>

namespace Zv {

class ObHints;
class SvDisplayInterface;
class SvSceneBuilder;

// Applies one batch of the graph's change hints to the scene, piece by piece where it can: values
// change single scene nodes in place, node and connection changes rebuild only the nodes they touch.
// What it cannot apply piecewise it reports, for the scene to be rebuilt once.
class SvHintApplier {
public:
    struct Outcome {
        bool rebuild = false;
        // Nodes or links changed piecewise.
        bool changed = false;
        // Nodes came, went or moved between boxes: the boxes' bounds are computed again.
        bool nodesChanged = false;
        // Scene nodes the changes brought in, to be placed.
        std::vector<RCStrongPtr<ScNode>> entered;
    };

    SvHintApplier(SvSceneBuilder& builder, SvDisplayInterface& display);

    // storingPositions: the positions coming back are the view's own. wholeLevel: the scene shows a
    // whole level rather than one node and its sources, which only a rebuild keeps right.
    Outcome apply(const ObHints& hints, bool storingPositions, bool wholeLevel);

private:
    using Connection = std::pair<RCStrongPtr<PiOutput>, RCStrongPtr<PiInput>>;
    // What one batch asks for once its hints are read.
    struct Batch {
        bool fullRefresh = false;
        std::map<int, RCStrongPtr<PiNode>> nodes;
        std::vector<Connection> connections;
    };

    void readValue(const PiValue& value, Batch& batch);
    void readGraphHint(const OmGraphHint& hint, Batch& batch);
    void moveToStoredPosition(ScNode& sceneNode, const PiNode& node);
    void refitBox(const RCShdPtr<ScGroup>& box);
    RCShdPtr<ScGroup> findBoxOf(const PiNode& node) const;
    void showColor(const PiNode& node, const RCStrongPtr<ScNode>& sceneNode);
    void rename(const PiNode& node);
    void applyNodeChanges(const Batch& batch);
    void applyConnectionChanges(const Batch& batch);
    // Whether the scene shows the node, as a node or as a visual group's box.
    bool isInScene(const PiNode& node) const;

    SvSceneBuilder& _builder;
    SvDisplayInterface& _display;
};

} // namespace Zv

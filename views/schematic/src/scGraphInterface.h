#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/rcStrongPtr.h"

namespace Zv {

class PiNode;
class ScNode;

// How the scene asks the model side for what only the owner of the scene knows: which scene node
// shows a processing node, stored positions (written without undo) and which nodes stay put.
class ScGraphInterface {
public:
    // The scene node shown for a processing node, or null.
    virtual RCStrongPtr<ScNode> findNode(const PiNode& node) = 0;
    // Writes a position to the model without an undo entry.
    virtual void storeNodePosition(PiNode& node, const GePoint2<float>& position) = 0;
    // The stored position; (0, 0) when the model has none.
    virtual GePoint2<float> getNodePosition(const PiNode& node) = 0;
    // False for nodes the layout must leave where they are (inside a locked visual group).
    virtual bool isPlaceable(const ScNode& node) = 0;

protected:
    ~ScGraphInterface() = default;
};

} // namespace Zv

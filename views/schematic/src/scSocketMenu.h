#pragma once

#include "views/schematic/src/scNode.h"

#include "platform/base/rcStrongPtr.h"

#include <vector>

namespace Zv {

class ScContext;
class ScDrawContext;

// The list of a node's input or output sockets opened beside a hovered tab. Its entry under the
// pointer stands for the socket itself, so tools treat it like the tab. Laid out in menu units
// (scene units times the zoom it opened at) so that it keeps its size on screen.
class ScSocketMenu : public RCBase {
public:
    ScSocketMenu(const RCStrongPtr<ScNode>& node, ScPart side, int socketIndex,
                 const std::vector<ScNode::SocketRecord>& entries, const GePoint2<float>& point, const ScContext& ctx);
    ~ScSocketMenu() override;

    // Makes the entry under the point current; false when the point is off the menu.
    bool update(const GePoint2<float>& point);
    const RCStrongPtr<ScNode>& getNode() const { return _node; }
    // Input or Output: the part a pick reports.
    ScPart getSide() const { return _side; }
    // Socket index of the current entry, or -1.
    int getCurrentSocket() const;
    GeRectangle<float> getBounds(float scale) const;
    void draw(ScDrawContext& ctx) const;

private:
    void setEntryHighlight(bool on);

    RCStrongPtr<ScNode> _node;
    std::vector<ScNode::SocketRecord> _entries;
    ScPart _side;
    int _numSockets;
    int _currentRow = -1;
    bool _savedHighlight;
    float _top;
    float _rowHeight;
    float _height;
    float _left;
    float _right;
    float _scale;
};

} // namespace Zv

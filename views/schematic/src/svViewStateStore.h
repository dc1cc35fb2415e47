#pragma once

#include "views/schematic/src/svDisplayInterface.h"

#include "platform/base/liString.h"

#include <map>

namespace Zv {

class PiGraph;

// The zoom and pan the user left on each level of each composition, given back on return.
class SvViewStateStore {
public:
    // A level: the composition's identity (names are not unique) and the shown group's, 0 for the root.
    static LiString getLevelKey(const PiGraph* graph, int groupId);

    void save(const LiString& level, const SvDisplayInterface::ZoomPan& zoomPan) { _states[level] = zoomPan; }
    // Null for a level never left.
    const SvDisplayInterface::ZoomPan* find(const LiString& level) const;
    void clear() { _states.clear(); }

private:
    std::map<LiString, SvDisplayInterface::ZoomPan> _states;
};

} // namespace Zv

#include "views/schematic/src/svViewStateStore.h"

#include "platform/base/liStringUtil.h"
#include "platform/graph/piGraph.h"

namespace Zv {

LiString SvViewStateStore::getLevelKey(const PiGraph* graph, int groupId) {
    const LiString composition = graph ? graph->getUuid().toString() : LiString();
    return composition + ":" + LiStringUtil::convertNb(groupId);
}

const SvDisplayInterface::ZoomPan* SvViewStateStore::find(const LiString& level) const {
    const auto found = _states.find(level);
    return found == _states.end() ? nullptr : &found->second;
}

} // namespace Zv

#include "platform/graph/piValue.h"

namespace Zv {

LiString PiValue::getKindName(PiValueKind kind, const LiString& key) {
    switch (kind) {
    case PiValueKind::Position: return "Position";
    case PiValueKind::NodeColor: return "NodeColor";
    case PiValueKind::Thumbnail: return "Thumbnail";
    case PiValueKind::VisualGroup: return "VisualGroup";
    case PiValueKind::VisualGroupLock: return "VisualGroupLock";
    case PiValueKind::Mute: return "Mute";
    case PiValueKind::KeyframeMark: return "KeyframeMark";
    case PiValueKind::Anchors: return "Anchors";
    case PiValueKind::Stored:
    case PiValueKind::Text: break;
    }
    return key;
}

} // namespace Zv

#include "platform/graph/piValue.h"

#include "platform/graph/piComposition.h"
#include "platform/graph/piCompositionUtils.h"
#include "platform/graph/piNodeUtils.h"
#include "platform/graph/piSchematicInterfaceEx.h"

#include <cfloat>
#include <cmath>

namespace Zv {
namespace {

bool isFloat(double v) {
    return std::isfinite(v) && std::fabs(v) <= FLT_MAX;
}

bool isWhole(double v, int min, int max) {
    return v >= min && v <= max && v == std::floor(v);
}

} // namespace

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

std::pair<int, int> PiValue::getStoredRange(const LiString& key) {
    if (key == PiNodeUtils::C_VALUE) return {PiNodeUtils::HIDDEN, PiNodeUtils::UNCOLLAPSED};
    if (key == PiCompositionUtils::kRoleKey) return {PiComposition::FootageRole, PiComposition::CompositionRole};
    if (key == PiNodeUtils::RESULT_VALUE || key == PiCompositionUtils::kOutOfDateKey) return {0, 1};
    return {INT32_MIN, INT32_MAX};
}

std::string PiValue::findFault(PiValueKind kind, const LiString& key, PiTool::Kind toolKind, const PiValueData& data) {
    if (!data.isSet) return {};
    const auto& v = data.v;
    switch (kind) {
    case PiValueKind::Position: return isFloat(v[0]) && isFloat(v[1]) ? "" : "a position must be two finite numbers";
    case PiValueKind::NodeColor:
        for (double c : v)
            if (!(c >= 0 && c <= 1)) return "color must be three numbers from 0 to 1";
        return {};
    case PiValueKind::VisualGroupLock:
        return isWhole(v[0], 0, PiSchematicInterfaceEx::kMaxLockMode) ? "" : "lock must be a whole number from 0 to 2";
    case PiValueKind::Thumbnail:
    case PiValueKind::VisualGroup:
    case PiValueKind::Mute:
    case PiValueKind::KeyframeMark:
        if (!isWhole(v[0], 0, 1)) return getKindName(kind, {}).str() + " must be 0 or 1";
        if (v[0] == 0) return {};
        if (kind == PiValueKind::VisualGroup && toolKind != PiTool::Group) return "only a group can be a visual group";
        if (kind == PiValueKind::Mute && toolKind != PiTool::Modifier) return "only an image modifier can be muted";
        return {};
    case PiValueKind::Stored: {
        auto [min, max] = getStoredRange(key);
        if (isWhole(data.v[0], min, max)) return {};
        return key.str() + " must be a whole number from " + std::to_string(min) + " to " + std::to_string(max);
    }
    case PiValueKind::Anchors:
    case PiValueKind::Text: break;
    }
    return {};
}

} // namespace Zv

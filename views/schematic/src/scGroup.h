#pragma once

#include "views/schematic/src/scNode.h"

#include "platform/base/rcStrongPtr.h"
#include "platform/graph/piValueData.h"
#include "platform/ui/uiResColor.h"

#include <cstdint>
#include <vector>

namespace Zv {

class PiGroupNode;
class ScDrawContext;

// The drawn box of a visual group: a coloured body around its member nodes under a title bar with
// the group's name and, for locked groups, a lock icon.
class ScGroup : public RCBase {
public:
    static constexpr float kTitleHeight = 21.0f;
    static constexpr const char* kLockIcon = "lock";
    // The body of a group the user gave no colour, and of nodes coloured as groups.
    static constexpr UiResColor kDefaultColor{0.44f, 0.518f, 0.463f};

    ScGroup(const RCStrongPtr<PiGroupNode>& group, const RCStrongPtr<RCBase>& owner, const UiResColor& color,
            int64_t tag);
    ~ScGroup() override;

    const RCStrongPtr<PiGroupNode>& getGroup() const { return _group; }
    const std::vector<RCStrongPtr<ScNode>>& getMembers() const { return _members; }
    void addMember(const RCStrongPtr<ScNode>& node) { _members.push_back(node); }
    void removeMember(const ScNode& node);
    void clearMembers() { _members.clear(); }

    // Around the members, or around the group's stored position when it has none.
    void updateBounds();
    const GeRectangle<float>& getRect() const { return _rect; }
    // The body and its title bar.
    GeRectangle<float> getBounds() const;
    // The middle of the title bar, which stands for the group when a band selects.
    GePoint2<float> getTitleCenter() const {
        return {(_rect.xMin + _rect.xMax) * 0.5f, _rect.yMax + kTitleHeight * 0.5f};
    }
    bool pick(const GePoint2<float>& p) const;
    void draw(ScDrawContext& ctx) const;

    const UiResColor& getColor() const { return _color; }
    void setColor(const UiResColor& color) { _color = color; }
    bool isSelected() const { return _selected; }
    void setSelected(bool selected) { _selected = selected; }
    bool isHighlighted() const { return _highlighted; }
    void setHighlighted(bool highlighted) { _highlighted = highlighted; }
    // Locked tools show a faded lock icon, a locked group the icon in full.
    PiLockMode getLockState() const { return _lockState; }
    void setLockState(PiLockMode state) { _lockState = state; }
    int64_t getTag() const { return _tag; }

private:
    void drawName(ScDrawContext& ctx, float xMin, float xMax, float yMax) const;

    RCStrongPtr<PiGroupNode> _group;
    RCStrongPtr<RCBase> _owner;
    UiResColor _color;
    GeRectangle<float> _rect;
    bool _selected = false;
    bool _highlighted = false;
    PiLockMode _lockState = PiLockMode::None;
    int64_t _tag;
    std::vector<RCStrongPtr<ScNode>> _members;
};

} // namespace Zv

#pragma once

#include "platform/base/liString.h"

namespace Zv {

class SnItem;
class UiView;

// A command a view offers on selection items: shown in context menus under its group, with the key
// text of its hotkey beside it.
class ActAction {
public:
    virtual ~ActAction() = default;

    // The menu text.
    virtual LiString getName() const = 0;
    // The shortcut text shown beside the name; none by default.
    virtual LiString getDisplayString() const { return {}; }
    // The sub-menu the action goes in; none by default.
    virtual LiString getGroup() const { return {}; }
    // "Group/Name", or the name alone.
    virtual LiString getCompositeName() const;
    virtual bool isApplicable(const SnItem& target, UiView& view) const = 0;
    virtual void execute(const SnItem& target, UiView& view) = 0;
};

} // namespace Zv

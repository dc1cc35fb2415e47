#pragma once

#include "views/schematic/src/scRoundedBox.h"

#include "platform/base/uPtr.h"
#include "platform/ui/uiResColor.h"

#include <memory>

namespace Zv {

class ScDrawContext;

// The picture inside a custom node's body; the node gives it its box.
class ScImageHandler {
public:
    virtual ~ScImageHandler() = default;
    // A copy on the same anchor.
    virtual std::unique_ptr<ScImageHandler> clone() const = 0;
    virtual void setAnchorRBox(UPtr<ScRoundedBox> anchor) = 0;
    virtual bool contains(const GePoint2<float>& p) const = 0;
    // rgb: the body colour under the picture (the node fills its box with it first).
    virtual void draw(ScDrawContext& ctx, float alpha, const UiResColor& rgb) const = 0;
};

} // namespace Zv

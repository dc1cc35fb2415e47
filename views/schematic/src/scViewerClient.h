#pragma once

#include "platform/base/gePoint2.h"

namespace Zv {

// What the viewer and the options panel ask of the view that owns them.
class ScViewerClient {
public:
    // The viewer laid the scene out (cleanUp): its positions belong in the model.
    virtual void layoutDone() = 0;
    // The options panel switched automatic clean-up off.
    virtual void autoCleanupSwitchedOff() = 0;
    // An option changed: the options panel shows it.
    virtual void optionsChanged() = 0;
    // Window points, in the viewer's pixels.
    virtual void contextMenuRequest(const GePoint2<float>& windowPoint) = 0;
    virtual void doubleClick(const GePoint2<float>& windowPoint) = 0;
    // A manual zoom or pan ends automatic zoom.
    virtual void autoZoomOff() = 0;

protected:
    ~ScViewerClient() = default;
};

} // namespace Zv

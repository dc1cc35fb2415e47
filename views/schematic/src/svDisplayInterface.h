#pragma once

#include "platform/base/geRectangle.h"
#include "platform/base/liString.h"
#include "views/schematic/src/scDefinitions.h"

namespace Zv {

class CmCommandStack;
class ScNode;

// What the view may do with the graph it shows.
enum class SvAccessLevel : int32_t {
    None = 0,     // no graph: no hotkeys
    ReadOnly = 1, // browsing: only the hotkeys that do not edit
    Editing = 2,  // every hotkey, and the editing tools
};

// What the browser graph asks of the view that shows its scene: the window, the render command
// and tests each implement it.
class SvDisplayInterface {
public:
    // The view's zoom and pan, kept per group level.
    struct ZoomPan {
        float zoom = 1.0f;
        float panX = 0.0f;
        float panY = 0.0f;
    };

    virtual bool isViewShown() const = 0;
    // The reason names the caller, for tracing redraws.
    virtual void redraw(const LiString& reason) = 0;
    virtual void redrawNode(const ScNode& node) = 0;
    // Redraws what lies in a scene rectangle.
    virtual void redrawArea(const GeRectangle<float>& rect) = 0;
    virtual void resetUserZoomPan() = 0;
    virtual ZoomPan getUserZoomPan() const = 0;
    virtual void setUserZoomPan(const ZoomPan& zoomPan) = 0;
    // The scene rectangle the viewport shows.
    virtual GeRectangle<float> getVisibleWorldRect() const = 0;
    // The viewer's automatic clean-up option: lay out every node after a rebuild.
    virtual bool isAutoCleanup() const = 0;
    // Flow direction of the diagram.
    virtual ScOrientation getOrientation() const = 0;
    // The command stack edits go to (null for none) and what the view may do.
    virtual void setCommandStack(CmCommandStack* stack, SvAccessLevel accessLevel) = 0;
    virtual void setTitle(const LiString& title) = 0;
    // One warning for the user.
    virtual void showWarning(const LiString& message) = 0;

protected:
    ~SvDisplayInterface() = default;
};

} // namespace Zv

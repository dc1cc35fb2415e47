#pragma once

#include "platform/base/geRectangle.h"
#include "platform/base/geVector2.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/graph/snSelection.h"
#include "platform/ui/mfUndoScope.h"
#include "platform/ui/vwView.h"

#include <memory>

namespace Zv {

class MfChainOfResponsibilityToolset;

// The manipulation side of a viewer: its view, the selection it edits and the tools that get its
// pointer and key events.
class MfViewer {
public:
    MfViewer();
    virtual ~MfViewer();
    MfViewer(const MfViewer&) = delete;
    MfViewer& operator=(const MfViewer&) = delete;

    VwView& getView() { return _view; }
    const VwView& getView() const { return _view; }
    // Zoom and pan asked for by the user (navigation, wheel, script); the view redraws.
    virtual void setUserZoom(const GeVector2<float>& zoom);
    virtual void setUserPan(const GeVector2<float>& pan);

    const RCShdPtr<SnSelection>& getSelection() const { return _selection; }
    void setSelection(const RCShdPtr<SnSelection>& selection) { _selection = selection; }
    const RCShdPtr<MfChainOfResponsibilityToolset>& getToolset() const { return _toolset; }
    void setToolset(const RCShdPtr<MfChainOfResponsibilityToolset>& toolset);

    // The undo group a tool's manipulation runs in, named by the tool; null when edits are not undone.
    virtual std::unique_ptr<MfUndoScope> openUndoScope(const LiString& name);

    virtual void markForUpdate() = 0;
    // A region of window pixels.
    virtual void markRegionForRedraw(const GeRectangle<float>& region) = 0;

private:
    VwView _view;
    RCShdPtr<SnSelection> _selection;
    RCShdPtr<MfChainOfResponsibilityToolset> _toolset;
};

} // namespace Zv

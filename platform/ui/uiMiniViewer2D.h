#pragma once

#include "platform/ui/uiViewer2D.h"

namespace Zv {

class UiMiniViewerSource;

// A navigator: an overview of another viewer's scene with the rectangle that viewer shows framed.
// Pressing or dragging the left button in it centres the other viewer on the point.
class UiMiniViewer2D : public UiViewer2D {
public:
    explicit UiMiniViewer2D(LiString name);
    // A navigator inside parent.
    static RCShdPtr<UiMiniViewer2D> create(UiContainer& parent, const LiString& name);

    void setSource(UiMiniViewerSource* source) { _source = source; }
    UiMiniViewerSource* getSource() const { return _source; }
    // Shows the scene rectangle whole and centred, margin pixels in from each side.
    void frame(const GeRectangle<float>& worldRect, float margin = 5.0f);

    void handleEvent(EvEvent& event) override;

protected:
    void drawScene() override;

private:
    UiMiniViewerSource* _source = nullptr;
};

} // namespace Zv

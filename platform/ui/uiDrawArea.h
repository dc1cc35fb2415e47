#pragma once

#include "platform/base/gePoint2.h"
#include "platform/ui/uiContainer.h"

namespace Zv {

class MfViewer;
class UiDragAndDrop;

// A widget drawn with OpenGL. The outermost one is the window the backend shows; draw areas inside
// it (a navigator in a viewer) are painted after it, each in its own viewport.
class UiDrawArea : public UiContainer {
public:
    explicit UiDrawArea(LiString name);
    ~UiDrawArea() override;

    // Size of the outermost area, set by the backend.
    void setWindowSize(int width, int height);
    int getWidth() const { return getGeometry().getWidth(); }
    int getHeight() const { return getGeometry().getHeight(); }

    // Paints the area and the shown draw areas inside it; the backend calls it with the context current.
    void paint();
    // The innermost shown draw area at a point of the window (this one when no inner one is there).
    UiDrawArea& findDrawAreaAt(const GePoint2<float>& windowPoint);
    // A window point in this area's own pixels.
    GePoint2<float> toLocal(const GePoint2<float>& windowPoint) const;

    void setDragAndDrop(const RCShdPtr<UiDragAndDrop>& dragAndDrop);
    const RCShdPtr<UiDragAndDrop>& getDragAndDrop() const { return _dragAndDrop; }

    // The viewer side of the area, for the events sent to it; null when it is not a viewer.
    virtual MfViewer* getMfViewer() { return nullptr; }

protected:
    // Draws the area with the viewport and scissor box on it.
    virtual void draw() {}

private:
    RCShdPtr<UiDragAndDrop> _dragAndDrop;
};

} // namespace Zv

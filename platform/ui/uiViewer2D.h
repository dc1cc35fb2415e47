#pragma once

#include "platform/ui/uiViewer.h"

namespace Zv {

class SnSelection;

// A viewer of a 2D scene under an orthographic view. Each repaint sets up the scene's projection,
// clears the background, draws the scene and the tools' feedback, then the info banner in window
// pixels.
class UiViewer2D : public UiViewer {
public:
    // What zoom to fit shows.
    enum class FitType : int {
        All = 0,       // the whole scene
        Selection = 1, // the selected items
    };
    // Pixels left free around what is fitted.
    static constexpr float FitMargin = 20.0f;

    UiViewer2D(LiString name, const RCShdPtr<SnSelection>& selection);
    ~UiViewer2D() override;

    // Shows the rectangle of the fit type whole and centred, at a zoom within the rectangle-zoom
    // limits; nothing for an empty rectangle.
    void zoomToFit(FitType type = FitType::All);
    virtual GeRectangle<float> getSceneBoundingRect() const;
    // The scene's by default.
    virtual GeRectangle<float> getSelectionBoundingRect() const;

protected:
    void draw() override;
    // Loads the view's projection; the modelview is the identity.
    virtual void setupScene();
    virtual void unSetupScene();
    // Clears to the background colour (in the scene's projection).
    virtual void drawBackground();
    virtual void drawScene();
    // Drawn last, in window pixels; nothing by default.
    virtual void drawInfoBanner();
    // Adds "Fit" to the viewer's hotkeys.
    bool handleViewerHotkey(const LiString& name) override;
};

} // namespace Zv

#include "platform/ui/uiViewer2D.h"

#include "platform/graph/snSelection.h"
#include "platform/ui/mfChainOfResponsibilityToolset.h"
#include "platform/ui/vwUtils.h"

#include <GL/gl.h>

#include <algorithm>

namespace Zv {

UiViewer2D::UiViewer2D(LiString name, const RCShdPtr<SnSelection>& selection) : UiViewer(std::move(name)) {
    setSelection(selection);
}

UiViewer2D::~UiViewer2D() = default;

void UiViewer2D::zoomToFit(FitType type) {
    const GeRectangle<float> rect = type == FitType::All ? getSceneBoundingRect() : getSelectionBoundingRect();
    if (rect.isEmpty()) return;
    const VwViewingLimits& limits = getView().getViewingLimits();
    const VwUtils::ZoomPan fit = VwUtils::computeZoomPanToFit(
        getView(), rect, FitMargin, std::min(limits.getUserRectZoomXMax(), limits.getUserRectZoomYMax()));
    getView().setUserZoom(fit.zoom);
    getView().setUserPan(fit.pan);
    markForUpdate();
}

GeRectangle<float> UiViewer2D::getSceneBoundingRect() const {
    return {};
}

GeRectangle<float> UiViewer2D::getSelectionBoundingRect() const {
    return getSceneBoundingRect();
}

void UiViewer2D::draw() {
    setupScene();
    drawBackground();
    drawScene();
    if (RCShdPtr<MfChainOfResponsibilityToolset> toolset = getToolset()) {
        toolset->draw();
        toolset->drawDecorations();
    }
    unSetupScene();
    drawInfoBanner();
}

void UiViewer2D::setupScene() {
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(VwUtils::computeProjectionMatrix(getView()).data());
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void UiViewer2D::unSetupScene() {
    glFlush();
}

void UiViewer2D::drawBackground() {
    const UiResColor background = getColor(ColorRole::Background);
    glClearColor(background.r, background.g, background.b, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
}

void UiViewer2D::drawScene() {}

void UiViewer2D::drawInfoBanner() {}

bool UiViewer2D::handleViewerHotkey(const LiString& name) {
    if (name != "Fit") return UiViewer::handleViewerHotkey(name);
    zoomToFit(FitType::All);
    return true;
}

} // namespace Zv

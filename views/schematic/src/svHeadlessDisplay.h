#pragma once

#include "views/schematic/src/svDisplayInterface.h"

#include <vector>

namespace Zv {

// The display of a view without a window: it keeps what the browser graph tells it, so headless
// commands, tests and benchmarks can read the title, warnings, redraw requests and view changes.
class SvHeadlessDisplay : public SvDisplayInterface {
public:
    SvHeadlessDisplay(ScOrientation orientation, bool autoCleanup)
        : _orientation(orientation), _autoCleanup(autoCleanup) {}

    bool isViewShown() const override { return true; }
    void redraw(const LiString& reason) override { _redrawReasons.push_back(reason); }
    void redrawNode(const ScNode&) override {}
    void redrawArea(const GeRectangle<float>&) override {}
    void resetUserZoomPan() override {
        _zoomPan = ZoomPan();
        ++_nbZoomPanResets;
    }
    ZoomPan getUserZoomPan() const override { return _zoomPan; }
    void setUserZoomPan(const ZoomPan& zoomPan) override { _zoomPan = zoomPan; }
    GeRectangle<float> getVisibleWorldRect() const override { return _visible; }
    bool isAutoCleanup() const override { return _autoCleanup; }
    ScOrientation getOrientation() const override { return _orientation; }
    void setCommandStack(CmCommandStack*, SvAccessLevel accessLevel) override { _accessLevel = accessLevel; }
    void setTitle(const LiString& title) override { _title = title; }
    void showWarning(const LiString& message) override { _warnings.push_back(message); }

    void setVisibleWorldRect(const GeRectangle<float>& visible) { _visible = visible; }
    const std::vector<LiString>& getRedrawReasons() const { return _redrawReasons; }
    const std::vector<LiString>& getWarnings() const { return _warnings; }
    const LiString& getTitle() const { return _title; }
    SvAccessLevel getAccessLevel() const { return _accessLevel; }
    int getNbZoomPanResets() const { return _nbZoomPanResets; }

private:
    ScOrientation _orientation;
    bool _autoCleanup;
    ZoomPan _zoomPan;
    GeRectangle<float> _visible{-500.0f, 500.0f, -500.0f, 500.0f};
    std::vector<LiString> _redrawReasons;
    std::vector<LiString> _warnings;
    LiString _title;
    SvAccessLevel _accessLevel = SvAccessLevel::None;
    int _nbZoomPanResets = 0;
};

} // namespace Zv

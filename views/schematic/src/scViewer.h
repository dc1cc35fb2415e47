#pragma once

#include "views/schematic/src/scDrawContext.h"
#include "views/schematic/src/scGraph.h"

#include "platform/base/cbGroup.h"
#include "platform/ui/evDeviceEvent.h"
#include "platform/ui/mtAlarmHandle.h"
#include "platform/ui/uiMiniViewer2D.h"
#include "platform/ui/uiMiniViewerSource.h"
#include "platform/ui/uiViewer2D.h"

#include <vector>

namespace Zv {

class EvDeviceEvent;
class EvPointerButtonEvent;
class EvTooltipEvent;
class ScToolset;
class ScViewerClient;
class UiResTable;
class WsScaledFont;

// The 2D viewer of the schematic: draws the scene graph, owns the tools that get its pointer and key
// events, keeps the view options, zooms and pans, runs the hover behaviour (highlight, socket names,
// socket menu) and answers tooltips; a navigator in its top right corner shows the whole scene.
class ScViewer : public UiViewer2D, public UiMiniViewerSource {
public:
    struct Options {
        bool highlight = true;    // picking marks the tab or strip under the pointer
        bool autoCleanup = false; // lay the whole graph out after every change
        bool autoZoom = false;    // fit the scene after every refresh, never above zoom 1
        bool locateNode = false;  // bring the current node into view
        bool navigator = false;   // show the navigator
        ScLinkStyle linkStyle = ScLinkStyle::Curved;
    };
    using Pick = ScGraph::Pick;
    static constexpr float kMaxAutoZoom = 1.0f;
    static constexpr float kMinHoverZoom = 0.5f;
    static constexpr int kMaxAutoPanStep = 15;
    static constexpr float kEdgeZone = 30.0f; // pixels from a viewport side where dragging auto-pans

    // The viewer is added to parent. The options start from the user's settings.
    ScViewer(UiContainer& parent, const LiString& name, const UiResTable& resources,
             const RCShdPtr<SnSelection>& selection, const RCShdPtr<ScGraph>& scene, ScViewerClient* client);
    ~ScViewer() override;

    // Stored-layout records shared by every schematic viewer of the process, from module start-up to
    // shut-down.
    static void createStoredLayouts();
    static void releaseStoredLayouts();
    static const std::vector<LayoutRecord>& getStoredLayouts();

    const RCShdPtr<ScGraph>& getScene() const { return _scene; }
    ScViewerClient& getClient() const { return *_client; }
    ScToolset& getScToolset() const;
    // 2 the editing tools, anything else the browsing ones.
    void setMode(int mode);

    // The common refresh: fits the scene when automatic zoom is on, repaints, shows or hides the
    // navigator. The reason names the caller; it is kept while tracing.
    void update(const LiString& reason);
    // Lays every node out (or the selected ones), tells the client, refreshes.
    void cleanUp();
    void cleanUpSelected();
    // Places nodes again after one changed size: all of them with automatic clean-up, else the new ones.
    void layoutAfterResize();
    // Fits the scene (or the selection), never above zoom 1.
    void zoomAutomatically(FitType type);

    // Whether a keyboard modifier was down with the event the move tools were last offered: their
    // special moves depend on it.
    void setKeyModifierDown(bool down) { _keyModifierDown = down; }
    bool isKeyModifierDown() const { return _keyModifierDown; }

    const Options& getOptions() const { return _options; }
    // Automatic zoom and clean-up stay off while a gesture moves things. Resuming gives them back;
    // with layout asked for and clean-up on, everything is laid out again.
    struct SuspendedOptions {
        bool autoZoom, autoCleanup;
    };
    SuspendedOptions suspendAutoLayout();
    void resumeAutoLayout(const SuspendedOptions& saved, bool layout);
    void setHighlight(bool on) { _options.highlight = on; }
    void setAutoCleanup(bool on) { _options.autoCleanup = on; }
    void setAutoZoom(bool on) { _options.autoZoom = on; }
    void setLocateNode(bool on) { _options.locateNode = on; }
    void setNavigator(bool on) { _options.navigator = on; }
    void setLinkStyle(ScLinkStyle style) { _options.linkStyle = style; }

    // The table grows with black entries up to id.
    void setColor(int id, const UiResColor& color);
    const ScColorTable& getColorTable() const { return _colors; }

    // Pans one auto-pan step for the edge-zone flags (1 right, 2 left, 4 bottom, 8 top) and a step in
    // pixels; returns the scene displacement of what was under the pointer.
    GeVector2<float> autoPanStep(int flags, int step);
    // The edge-zone flags of a window point.
    int getEdgeZone(const GePoint2<float>& windowPoint) const;
    // Repaints a scene rectangle, or everything when the viewer is not plainly visible.
    void redrawSceneRect(const GeRectangle<float>& rect);
    void redrawNode(const ScNode& node);
    // Nodes being moved and the links that move with them.
    void redrawMoving(const std::vector<RCStrongPtr<ScNode>>& nodes, const std::vector<RCStrongPtr<ScEdge>>& links);
    Pick pick(const GePoint2<float>& scenePoint);
    Pick pickAtWindow(const GePoint2<float>& windowPoint) { return pick(toScene(windowPoint)); }
    // The schematic viewer a device event went to; null for any other event.
    static ScViewer* getEventViewer(const EvEvent& event);
    // Hover at a window point: highlight, socket names and the socket menu after a rest.
    void hover(const GePoint2<float>& windowPoint);
    // Opens the menu of the node's input or output sockets at a scene point, with the socket's row
    // (or the middle of the menu without one) under it; closing restores the node's highlight.
    void openSocketMenu(const RCStrongPtr<ScNode>& node, ScPart side, int socketIndex, const GePoint2<float>& point);
    void closeSocketMenu();
    GeRectangle<float> getVisibleWorldRect() const;
    GePoint2<float> toScene(const GePoint2<float>& windowPoint) const;

    // Reasons given to update while tracing is on, oldest first.
    void setTracing(bool tracing) { _tracing = tracing; }
    std::vector<LiString> takeUpdateReasons() { return std::exchange(_updateReasons, {}); }

    const RCShdPtr<UiMiniViewer2D>& getNavigator() const { return _navigator; }

    using UiWidget::setColor;
    void setUserZoom(const GeVector2<float>& zoom) override;
    void setLayout(int index) override;
    void deleteLayout(int index) override;
    void activateLayout(int index) override;
    GeRectangle<float> getSceneBoundingRect() const override;
    GeRectangle<float> getSelectionBoundingRect() const override;
    std::unique_ptr<MfUndoScope> openUndoScope(const LiString& name) override;

    void drawNavigatorScene(UiMiniViewer2D& navigator) override;
    void panFromNavigator(const GePoint2<float>& worldPoint) override;
    GeRectangle<float> getMainVisibleRect() const override;

protected:
    void drawBackground() override;
    void drawScene() override;
    void drawInfoBanner() override;

private:
    void armCb(EvPointerButtonEvent& event);
    void tooltipCb(EvTooltipEvent& event);
    void socketNameAlarmCb(MtAlarmHandle& alarm);
    void socketMenuAlarmCb(MtAlarmHandle& alarm);
    // Labels follow the pointer: while they are shown every paint asks for another.
    void updateRequested();
    void showSocketNames();
    void openHoveredSocketMenu();
    void setAlarm(const RCShdPtr<MtAlarmHandle>& alarm, bool registered);
    ScDrawContext makeDrawContext(float zoom) const;
    GeRectangle<float> getNodeBounds(const ScNode& node) const;
    GeRectangle<float> getHighlightBounds(const ScGraph::Highlight& highlight) const;
    void redrawChange(const GeRectangle<float>& rect);
    void frameNavigator();

    RCShdPtr<ScGraph> _scene;
    ScViewerClient* _client;
    RCShdPtr<WsFont> _defaultFont;
    ScColorTable _colors;
    CbGroup _callbacks;
    Options _options;
    bool _keyModifierDown = false;
    RCShdPtr<MtAlarmHandle> _socketNameAlarm;
    RCShdPtr<MtAlarmHandle> _socketMenuAlarm;
    GePoint2<float> _socketMenuPosition;
    RCShdPtr<UiMiniViewer2D> _navigator;
    RCShdPtr<WsScaledFont> _scaledFont;
    bool _tracing = false;
    std::vector<LiString> _updateReasons;
};

} // namespace Zv

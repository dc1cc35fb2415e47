#include "views/schematic/src/scViewer.h"

#include "views/schematic/src/scPickContext.h"
#include "views/schematic/src/scSocketMenu.h"
#include "views/schematic/src/scToolset.h"
#include "views/schematic/src/scViewerClient.h"

#include "platform/base/assertions.h"
#include "platform/base/cbMethod.h"
#include "platform/graph/piGroupNode.h"
#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/evRequestEvent.h"
#include "platform/ui/evTooltipEvent.h"
#include "platform/ui/mtAlarmManager.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiColorRegistry.h"
#include "platform/ui/uiConstraint.h"
#include "platform/ui/vwUtils.h"
#include "platform/ui/wsFontRegistry.h"
#include "platform/ui/wsScaledFont.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>

namespace Zv {
namespace {

std::unique_ptr<std::vector<UiViewer::LayoutRecord>> gStoredLayouts;

// Work an alarm or a paint asks for, done later between events.
class ViewerRequest : public EvRequestEvent {
public:
    using Work = void (ScViewer::*)();
    ViewerRequest(ScViewer& viewer, Work work) : _viewer(&viewer), _work(work) {}
    void execute() override { (_viewer.get()->*_work)(); }

private:
    RCShdPtr<ScViewer> _viewer;
    Work _work;
};

void post(ScViewer& viewer, ViewerRequest::Work work) {
    UiApplication::getInstance().postRequest(makeRC<ViewerRequest>(viewer, work));
}

// Scene rectangles are grown by this many pixels when redrawn, for anti-aliased edges.
constexpr float kRedrawMargin = 2.0f;
// The navigator shows the scene this many pixels in from its sides.
constexpr float kNavigatorMargin = 5.0f;

GeRectangle<float> outwardToIntegers(const GeRectangle<float>& r) {
    return {std::floor(r.xMin), std::ceil(r.xMax), std::floor(r.yMin), std::ceil(r.yMax)};
}

} // namespace

ScViewer::ScViewer(UiContainer& parent, const LiString& name, const UiResTable& resources,
                   const RCShdPtr<SnSelection>& selection, const RCShdPtr<ScGraph>& scene, ScViewerClient* client)
    : UiViewer2D(name, selection), _scene(scene), _client(client),
      _defaultFont(WsFontRegistry::getFont(WsFontRegistry::DefaultFont)) {
    setToolset(makeRC<ScToolset>(*this));
    ZV_ASSERT(!_defaultFont.isNull());
    _callbacks.add(addArmCb(makeRC<CbMethod<ScViewer, EvPointerButtonEvent&>>(this, &ScViewer::armCb)));
    _callbacks.add(addTooltipCb(makeRC<CbMethod<ScViewer, EvTooltipEvent&>>(this, &ScViewer::tooltipCb)));

    UiApplication& application = UiApplication::getInstance();
    const StgUserSettings& settings = application.getUserSettings();
    _options.highlight = settings.getBool("Schematic/Highlight", _options.highlight);
    _options.autoCleanup = settings.getBool("Schematic/AutoCleanup", _options.autoCleanup);
    _options.autoZoom = settings.getBool("Schematic/AutoZoom", _options.autoZoom);
    _options.locateNode = settings.getBool("Schematic/LocateNode", _options.locateNode) && !_options.autoZoom;
    _options.navigator = settings.getBool("Schematic/Navigator", _options.navigator);
    _options.linkStyle = toScCode<ScLinkStyle>(
        std::clamp(settings.getInt("Schematic/LinkStyle", toInt(_options.linkStyle)), 0, getMaxScCode<ScLinkStyle>()));

    VwViewingLimits& limits = getView().getViewingLimits();
    limits.setUserZoomXMax(1.5f);
    limits.setUserZoomYMax(1.5f);
    limits.setUserRectZoomXMax(kMaxAutoZoom);
    limits.setUserRectZoomYMax(kMaxAutoZoom);

    const double rest = application.getPointerFocusDuration();
    MtAlarmManager& alarms = application.getAlarmManager();
    _socketNameAlarm = alarms.create("Show Socket Name (ScViewer)", rest,
                                     makeRC<CbMethod<ScViewer, MtAlarmHandle&>>(this, &ScViewer::socketNameAlarmCb));
    _socketMenuAlarm = alarms.create("Show Socket Menu (ScViewer)", rest,
                                     makeRC<CbMethod<ScViewer, MtAlarmHandle&>>(this, &ScViewer::socketMenuAlarmCb));

    auto dummy = makeRC<UiWidget>("DummyWidget");
    dummy->display(false);
    dummy->setEnabled(false);
    addChild(dummy);

    // The navigator takes the right half of the top, less a margin, at half its width in height.
    using Type = UiConstraint::Type;
    using Target = UiConstraint::Target;
    _navigator = UiMiniViewer2D::create(*this, "UiMiniViewer2D");
    _navigator->setSource(this);
    _navigator->setConstraint(
        UiConstraint({0.5f, 15.0f, 15.0f, -0.5f}, {Type::Fraction, Type::Pixels, Type::Pixels, Type::Proportional},
                     {Target::ParentStart, Target::ParentEnd, Target::ParentEnd, Target::Opposite}));

    setColor(ColorRole::Background, UiColorRegistry::getColor(UiColorRegistry::Grey80));
    setColor(ColorRole::InfoRect, UiColorRegistry::getColor(UiColorRegistry::Grey60));
    _scaledFont = makeRC<WsScaledFont>(0);
    _colors = ScDrawContext::readColorTable(resources);
    // Last: showing or hiding the navigator asks for a repaint, which holds the viewer for a moment,
    // so the parent must hold it already.
    parent.addChild(RCShdPtr<UiWidget>(this));
    _navigator->display(_options.navigator);
}

ScViewer::~ScViewer() {
    setAlarm(_socketNameAlarm, false);
    setAlarm(_socketMenuAlarm, false);
    _callbacks.releaseAll();
    _navigator->setSource(nullptr);
}

// --- Module statics ---

void ScViewer::createStoredLayouts() {
    gStoredLayouts = std::make_unique<std::vector<LayoutRecord>>(getNbStoredLayouts());
}

void ScViewer::releaseStoredLayouts() {
    gStoredLayouts.reset();
}

const std::vector<UiViewer::LayoutRecord>& ScViewer::getStoredLayouts() {
    ZV_ASSERT(gStoredLayouts != nullptr);
    return *gStoredLayouts;
}

// --- Refresh and layout ---

ScToolset& ScViewer::getScToolset() const {
    return static_cast<ScToolset&>(*getToolset());
}

void ScViewer::setMode(int mode) {
    getScToolset().setMode(mode);
}

void ScViewer::update(const LiString& reason) {
    if (_tracing) _updateReasons.push_back(reason);
    if (_options.autoZoom) zoomAutomatically(FitType::All);
    markForUpdate();
    _navigator->display(_options.navigator);
}

void ScViewer::cleanUp() {
    _scene->layout(ScGraph::LayoutType::LayoutAll);
    _client->layoutDone();
    update("ScViewer::cleanUp");
}

void ScViewer::cleanUpSelected() {
    _scene->layout(ScGraph::LayoutType::LayoutSelected);
    _client->layoutDone();
    update("ScViewer::cleanUpSelected");
}

void ScViewer::layoutAfterResize() {
    _scene->layout(_options.autoCleanup ? ScGraph::LayoutType::LayoutAll : ScGraph::LayoutType::LayoutUnplaced);
}

void ScViewer::zoomAutomatically(FitType type) {
    zoomToFit(type);
    if (getView().getUserZoom().x > kMaxAutoZoom) getView().setUserZoom({kMaxAutoZoom, kMaxAutoZoom});
    if (type != FitType::All && _options.locateNode) _client->autoZoomOff();
}

ScViewer::SuspendedOptions ScViewer::suspendAutoLayout() {
    const SuspendedOptions saved{_options.autoZoom, _options.autoCleanup};
    _options.autoZoom = false;
    _options.autoCleanup = false;
    return saved;
}

void ScViewer::resumeAutoLayout(const SuspendedOptions& saved, bool layout) {
    _options.autoZoom = saved.autoZoom;
    _options.autoCleanup = saved.autoCleanup;
    if (saved.autoCleanup && layout) cleanUp();
}

void ScViewer::setColor(int id, const UiResColor& color) {
    ZV_ASSERT(id >= 0);
    if (static_cast<size_t>(id) >= _colors.size()) _colors.resize(id + 1);
    _colors[id] = color;
}

void ScViewer::setUserZoom(const GeVector2<float>& zoom) {
    UiViewer2D::setUserZoom(zoom);
    if (_options.autoZoom) _client->autoZoomOff();
}

// --- Geometry ---

GePoint2<float> ScViewer::toScene(const GePoint2<float>& windowPoint) const {
    return VwUtils::windowToWorldOrtho(getView(), windowPoint);
}

GeRectangle<float> ScViewer::getVisibleWorldRect() const {
    return VwUtils::windowToWorldOrtho(getView(), getView().getWindowRect());
}

GeRectangle<float> ScViewer::getMainVisibleRect() const {
    return getVisibleWorldRect();
}

GeRectangle<float> ScViewer::getNodeBounds(const ScNode& node) const {
    GeRectangle<float> bounds;
    node.getBounds(bounds, ScContext(_defaultFont, getView().getUserZoom().x));
    return bounds;
}

GeRectangle<float> ScViewer::getSceneBoundingRect() const {
    GeRectangle<float> bounds;
    for (const auto& node : _scene->getNodes()) bounds.unite(getNodeBounds(*node));
    for (const auto& group : _scene->getGroups()) bounds.unite(group->getBounds());
    return bounds;
}

GeRectangle<float> ScViewer::getSelectionBoundingRect() const {
    GeRectangle<float> bounds;
    for (const auto& node : _scene->getNodes())
        if (node->isSelected()) bounds.unite(getNodeBounds(*node));
    for (const auto& group : _scene->getGroups())
        if (group->isSelected()) bounds.unite(group->getBounds());
    return bounds;
}

int ScViewer::getEdgeZone(const GePoint2<float>& windowPoint) const {
    const GeRectangle<float> viewport = getView().getWindowRect();
    int code = 0;
    if (windowPoint.x < viewport.xMin + kEdgeZone) code += 2;
    if (windowPoint.x > viewport.xMax - kEdgeZone) code += 1;
    if (windowPoint.y < viewport.yMin + kEdgeZone) code += 4;
    if (windowPoint.y > viewport.yMax - kEdgeZone) code += 8;
    return code;
}

GeVector2<float> ScViewer::autoPanStep(int flags, int step) {
    int s = step < kMaxAutoPanStep + 1 ? step : kMaxAutoPanStep;
    const EvKeyboardState& keys = UiApplication::getInstance().getKeyboardState();
    if (keys.isKeyDown(EvKeyCode::Control)) s *= 5;
    else if (keys.isKeyDown(EvKeyCode::Alt)) s = std::min(s, 5);
    const float zoom = getView().getUserZoom().x;
    if (zoom < 1.0f) s = static_cast<int>(s * 1.5f / zoom);
    GeVector2<float> screen;
    if (flags & 1) screen.x -= s;
    if (flags & 2) screen.x += s;
    if (flags & 4) screen.y += s;
    if (flags & 8) screen.y -= s;
    const GeVector2<float> scene = VwUtils::windowToWorldVector(getView(), screen);
    setUserPan(getView().getUserPan() + scene);
    return -scene;
}

// --- Redraws ---

void ScViewer::redrawSceneRect(const GeRectangle<float>& rect) {
    if (isMapped() && getOpacity() == 1.0f)
        markRegionForRedraw(VwUtils::worldToWindow(getView(), rect).grown(kRedrawMargin));
    else markForUpdate();
}

void ScViewer::redrawNode(const ScNode& node) {
    redrawSceneRect(getNodeBounds(node));
}

void ScViewer::redrawMoving(const std::vector<RCStrongPtr<ScNode>>& nodes,
                            const std::vector<RCStrongPtr<ScEdge>>& links) {
    for (const RCStrongPtr<ScNode>& node : nodes) redrawNode(*node);
    for (const RCStrongPtr<ScEdge>& link : links) {
        GeRectangle<float> bounds;
        link->getBounds(bounds, _options.linkStyle);
        redrawSceneRect(bounds);
    }
}

GeRectangle<float> ScViewer::getHighlightBounds(const ScGraph::Highlight& highlight) const {
    GeRectangle<float> bounds;
    if (!highlight.node.isNull()) bounds = getNodeBounds(*highlight.node);
    else if (!highlight.edge.isNull()) highlight.edge->getBounds(bounds, _options.linkStyle);
    else if (!highlight.group.isNull()) bounds = highlight.group->getBounds();
    return bounds;
}

void ScViewer::redrawChange(const GeRectangle<float>& rect) {
    if (_options.autoZoom) update("ScViewer::hover");
    else if (!rect.isEmpty()) redrawSceneRect(rect);
}

// --- Picking and hover ---

ScViewer* ScViewer::getEventViewer(const EvEvent& event) {
    auto* device = dynamic_cast<const EvDeviceEvent*>(&event);
    return device ? dynamic_cast<ScViewer*>(device->getViewer().get()) : nullptr;
}

ScViewer::Pick ScViewer::pick(const GePoint2<float>& p) {
    return _scene->pick(p, _options.highlight, _options.linkStyle);
}

std::unique_ptr<MfUndoScope> ScViewer::openUndoScope(const LiString& name) {
    return _client->openUndoScope(name);
}

void ScViewer::hover(const GePoint2<float>& windowPoint) {
    const GeRectangle<float> before = getHighlightBounds(_scene->getHighlight());
    // Zoomed out this far the tabs are too small to aim at: nothing is hovered.
    if (getView().getUserZoom().x < kMinHoverZoom || _scene->isShowingDetails()) {
        _scene->setHighlight({});
        setAlarm(_socketMenuAlarm, false);
        redrawChange(before);
        return;
    }
    const GePoint2<float> p = toScene(windowPoint);
    if (const RCShdPtr<ScSocketMenu> menu = _scene->getSocketMenu(); menu && !menu->update(p)) closeSocketMenu();
    const Pick picked = pick(p);
    const ScGraph::Highlight highlight = picked.toHighlight();
    if (!(highlight == _scene->getHighlight())) {
        _scene->setHighlight(highlight);
        redrawChange(before | getHighlightBounds(highlight));
    }
    if (picked.isSocketTab() && _scene->getSocketMenu().isNull()) {
        _socketMenuPosition = p;
        if (!_socketMenuAlarm->isRegistered()) setAlarm(_socketMenuAlarm, true);
    } else {
        setAlarm(_socketMenuAlarm, false);
    }
}

void ScViewer::setAlarm(const RCShdPtr<MtAlarmHandle>& alarm, bool registered) {
    if (alarm->isRegistered() == registered || !UiApplication::exists()) return;
    MtAlarmManager& alarms = UiApplication::getInstance().getAlarmManager();
    if (registered) alarms.registerAlarm(alarm);
    else alarms.unregisterAlarm(alarm);
}

void ScViewer::socketNameAlarmCb(MtAlarmHandle&) {
    post(*this, &ScViewer::showSocketNames);
}

void ScViewer::socketMenuAlarmCb(MtAlarmHandle&) {
    post(*this, &ScViewer::openHoveredSocketMenu);
}

void ScViewer::updateRequested() {
    update("UpdateViewerEvent::execute");
}

void ScViewer::showSocketNames() {
    _scene->setShowLabelsUnderPointer(true);
    update("ShowIOEvent::execute");
}

void ScViewer::openHoveredSocketMenu() {
    setAlarm(_socketMenuAlarm, false);
    const Pick picked = pick(_socketMenuPosition);
    if (!picked.isSocketTab() || !_scene->getSocketMenu().isNull()) return;
    openSocketMenu(picked.node, picked.partCode, picked.tabIndex, _socketMenuPosition);
}

void ScViewer::openSocketMenu(const RCStrongPtr<ScNode>& node, ScPart side, int socketIndex,
                              const GePoint2<float>& point) {
    const auto& sockets = side == ScPart::Input ? node->getInputs() : node->getOutputs();
    if (sockets.empty()) return;
    // The old menu goes first, so that it gives its node's highlight back before the new one saves it.
    _scene->setSocketMenu({});
    const ScPickContext ctx(_defaultFont, getView().getUserZoom().x, point);
    _scene->setSocketMenu(makeRC<ScSocketMenu>(node, side, socketIndex, sockets, point, ctx));
    update("SocketMenuEvent::execute");
}

void ScViewer::closeSocketMenu() {
    _scene->setSocketMenu({});
    update("ScViewer::closeSocketMenu");
}

// --- Events of the widget ---

void ScViewer::armCb(EvPointerButtonEvent& event) {
    if (event.getTriggerButton() == EvButton::Right) {
        _client->contextMenuRequest(event.getCoord());
    } else if (event.isDoubleClick()) {
        _client->doubleClick(event.getCoord());
        event.setProcessed();
    }
}

void ScViewer::tooltipCb(EvTooltipEvent& event) {
    if (_scene->isShowingDetails()) return;
    const Pick picked = pick(toScene(event.getCoord()));
    if (!picked.node.isNull()) {
        LiString text;
        for (const LiString& line : picked.node->getDetailsLines()) text += (text.isEmpty() ? "" : "<br>") + line;
        event.setTooltip(text, VwUtils::worldToWindow(getView(), getNodeBounds(*picked.node)));
    } else if (!picked.group.isNull()) {
        event.setTooltip(picked.group->getGroup()->getName(),
                         VwUtils::worldToWindow(getView(), picked.group->getBounds()));
    }
}

// --- Stored layouts ---

void ScViewer::setLayout(int index) {
    UiViewer2D::setLayout(index);
    (*gStoredLayouts).at(index) = {getView().getUserZoom(), getView().getUserPan(), true};
    markForUpdate();
}

void ScViewer::deleteLayout(int index) {
    UiViewer2D::deleteLayout(index);
    (*gStoredLayouts).at(index).stored = false;
    markForUpdate();
}

void ScViewer::activateLayout(int index) {
    if (_options.autoZoom) _client->autoZoomOff();
    UiViewer2D::activateLayout(index);
}

// --- Drawing ---

ScDrawContext ScViewer::makeDrawContext(float zoom) const {
    return ScDrawContext(const_cast<ScViewer*>(this), _scaledFont->getScaledFont(1.0f),
                         _scaledFont->getScaledFont(zoom), zoom, _colors, getOpacity());
}

void ScViewer::drawBackground() {
    UiViewer2D::drawBackground();
    if (gStoredLayouts) drawLayoutPoints(*gStoredLayouts);
}

void ScViewer::drawScene() {
    ScDrawContext ctx = makeDrawContext(getView().getUserZoom().x);
    switch (_scene->draw(ctx, getVisibleWorldRect(), _options.linkStyle, true)) {
    case ScDrawResult::LabelsShown: post(*this, &ScViewer::updateRequested); break;
    case ScDrawResult::LabelsHidden:
        if (!_socketNameAlarm->isRegistered()) setAlarm(_socketNameAlarm, true);
        break;
    case ScDrawResult::NoLabels:
        _scene->setShowLabelsUnderPointer(false);
        setAlarm(_socketNameAlarm, false);
        break;
    default: break;
    }
    if (_navigator->isDisplayed()) frameNavigator();
}

// The navigator shows the whole scene and what the main view shows; it is painted after this viewer,
// so its view is set without asking for another paint.
void ScViewer::frameNavigator() {
    GeRectangle<float> shown = outwardToIntegers(getSceneBoundingRect());
    shown.unite(outwardToIntegers(getVisibleWorldRect()));
    if (shown.isEmpty()) return;
    const VwUtils::ZoomPan fit =
        VwUtils::computeZoomPanToFit(_navigator->getView(), shown, kNavigatorMargin, std::numeric_limits<float>::max());
    _navigator->getView().setUserZoom(fit.zoom);
    _navigator->getView().setUserPan(fit.pan);
}

void ScViewer::drawNavigatorScene(UiMiniViewer2D& navigator) {
    const VwView& view = navigator.getView();
    ScDrawContext ctx = makeDrawContext(view.getUserZoom().x);
    _scene->draw(ctx, VwUtils::windowToWorldOrtho(view, view.getWindowRect()), _options.linkStyle, false);
}

void ScViewer::panFromNavigator(const GePoint2<float>& worldPoint) {
    if (_options.autoZoom) _client->autoZoomOff();
    setUserPan({-worldPoint.x, -worldPoint.y});
}

void ScViewer::drawInfoBanner() {
    const LiString& text = _scene->getInfoText();
    const int m = UiConstraint::getUIGrid() / 2;
    const GeRectangle<float> canvas = getView().getWindowRect();
    if (text.isEmpty() || m <= 0 || !(canvas.xMin + m < canvas.xMax - m)) return;
    // Along the bottom of the canvas, six grid halves high, clear of the navigator at the top.
    drawInfo(text, {canvas.xMin + m, canvas.xMax - m, canvas.yMin + m, canvas.yMin + 7 * m});
}

} // namespace Zv

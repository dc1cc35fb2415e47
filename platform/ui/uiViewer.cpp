#include "platform/ui/uiViewer.h"

#include "platform/base/assertions.h"
#include "platform/base/cbMethod.h"
#include "platform/base/liStringUtil.h"
#include "platform/ui/evHotkeyEvent.h"
#include "platform/ui/mfChainOfResponsibilityToolset.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/wsFontRegistry.h"

#include <GL/gl.h>

namespace Zv {
namespace {

LiString layoutName(const char* prefix, int index) {
    return LiString(prefix) + LiStringUtil::convertNb(index + 1);
}

LiString viewerKeyText(const LiString& name) {
    if (!UiApplication::exists()) return {};
    const UiHotkeyRegistry& registry = UiApplication::getInstance().getHotkeyRegistry();
    const int entry = registry.findEntry(UiHotkeyRegistry::ViewerDomain, name);
    return entry == UiHotkeyRegistry::NoEntry ? LiString() : registry.toString(entry);
}

void issueColor(const UiResColor& color, float alpha) {
    glColor4f(color.r, color.g, color.b, alpha);
}

} // namespace

UiViewer::UiViewer(LiString name) : UiDrawArea(std::move(name)) {}

UiViewer::~UiViewer() = default;

void UiViewer::setLayout(int index) {
    ZV_ASSERT(index >= 0 && index < NbStoredLayouts);
    _layouts[index] = {getView().getUserZoom(), getView().getUserPan(), true};
    markForUpdate();
}

void UiViewer::deleteLayout(int index) {
    ZV_ASSERT(index >= 0 && index < NbStoredLayouts);
    _layouts[index].stored = false;
    markForUpdate();
}

void UiViewer::activateLayout(int index) {
    const LayoutRecord& layout = getLayout(index);
    if (!layout.stored) return;
    getView().setUserZoom(layout.zoom);
    getView().setUserPan(layout.pan);
    markForUpdate();
}

const UiViewer::LayoutRecord& UiViewer::getLayout(int index) const {
    ZV_ASSERT(index >= 0 && index < NbStoredLayouts);
    return _layouts[index];
}

void UiViewer::buildLayoutMenu(UiPopupMenu& menu) {
    RCShdPtr<UiViewer> self(this);
    auto handler = [self](void (UiViewer::*operation)(int)) {
        return makeRC<CbFunction<int>>([self, operation](int index) { (self.get()->*operation)(index); });
    };
    UiPopupMenu& layouts = menu.appendMenu("Layouts");
    for (int i = 0; i < NbStoredLayouts; ++i) {
        const LiString name = layoutName("Layout ", i);
        layouts.appendText(name, handler(&UiViewer::activateLayout), i, _layouts[i].stored, viewerKeyText(name));
    }
    layouts.appendSeparator();
    for (int i = 0; i < NbStoredLayouts; ++i) {
        const LiString name = layoutName("Store Layout ", i);
        layouts.appendText(name, handler(&UiViewer::setLayout), i, true, viewerKeyText(name));
    }
    layouts.appendSeparator();
    for (int i = 0; i < NbStoredLayouts; ++i)
        layouts.appendText(layoutName("Delete Layout ", i), handler(&UiViewer::deleteLayout), i, _layouts[i].stored);
}

void UiViewer::drawLayoutPoints(const std::vector<LayoutRecord>& records) {
    const float half = 5.0f / getView().getUserZoom().x; // a marker of 10 pixels at any zoom
    issueColor(getColor(ColorRole::Frame), 1.0f);
    for (const LayoutRecord& record : records) {
        if (!record.stored) continue;
        const float x = -record.pan.x, y = -record.pan.y;
        glBegin(GL_LINE_LOOP);
        glVertex2f(x - half, y);
        glVertex2f(x, y - half);
        glVertex2f(x + half, y);
        glVertex2f(x, y + half);
        glEnd();
    }
}

void UiViewer::drawInfo(const LiString& text, const GeRectangle<float>& rect) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, getWidth(), 0.0, getHeight(), -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    issueColor(getColor(ColorRole::InfoRect), 0.85f);
    glRectf(rect.xMin, rect.yMin, rect.xMax, rect.yMax);
    RCShdPtr<WsFont> font = WsFontRegistry::getFont();
    if (font.isNull() || text.isEmpty()) return;
    issueColor(getColor(ColorRole::Text), 1.0f);
    font->drawStringScaled(text, rect.xMin + 4.0f, (rect.yMin + rect.yMax) * 0.5f, WsFont::LEFT, WsFont::CENTER, 1.0f);
}

void UiViewer::resetUserZoomPan() {
    getView().resetUserZoomPan();
    markForUpdate();
}

LiString UiViewer::getResetDisplayString() {
    return viewerKeyText("Reset Zoom/Pan");
}

void UiViewer::markForUpdate() {
    UiDrawArea::markForUpdate();
}

void UiViewer::markRegionForRedraw(const GeRectangle<float>& region) {
    UiDrawArea::markRegionForRedraw(region);
}

void UiViewer::handleEvent(EvEvent& event) {
    UiDrawArea::handleEvent(event);
    if (event.isProcessed()) return;
    RCShdPtr<MfChainOfResponsibilityToolset> toolset = getToolset();
    if (!toolset.isNull() && toolset->handleEvent(event)) event.setProcessed();
    auto* hotkey = dynamic_cast<EvHotkeyEvent*>(&event);
    if (hotkey == nullptr || event.isProcessed() || !UiApplication::exists()) return;
    const UiHotkeyRegistry& registry = UiApplication::getInstance().getHotkeyRegistry();
    if (registry.getDomain(hotkey->getEntry()) == UiHotkeyRegistry::ViewerDomain &&
        handleViewerHotkey(registry.getName(hotkey->getEntry())))
        event.setProcessed();
}

bool UiViewer::handleViewerHotkey(const LiString& name) {
    if (name == "Reset Zoom/Pan") {
        resetUserZoomPan();
        return true;
    }
    for (int i = 0; i < NbStoredLayouts; ++i) {
        if (name == layoutName("Layout ", i)) activateLayout(i);
        else if (name == layoutName("Store Layout ", i)) setLayout(i);
        else continue;
        return true;
    }
    return false;
}

void UiViewer::setGeometry(const GeRectangle<int>& geometry) {
    UiDrawArea::setGeometry(geometry);
    getView().setWindowSize(geometry.getWidth(), geometry.getHeight());
}

} // namespace Zv

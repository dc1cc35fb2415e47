#include "platform/ui/uiApplication.h"

#include "platform/base/assertions.h"
#include "platform/ui/actRegistry.h"
#include "platform/ui/drClipboard.h"
#include "platform/ui/evHotkeyEvent.h"
#include "platform/ui/evKeyEvent.h"
#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/evPointerMoveEvent.h"
#include "platform/ui/evRequestEvent.h"
#include "platform/ui/evTooltipEvent.h"
#include "platform/ui/evWheelEvent.h"
#include "platform/ui/mtAlarmManager.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/uiBackend.h"
#include "platform/ui/uiColorDialog.h"
#include "platform/ui/uiDragAndDrop.h"
#include "platform/ui/uiDrawArea.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/wsCursorRegistry.h"

namespace Zv {
namespace {

UiApplication* gInstance = nullptr;

} // namespace

struct UiApplication::Target {
    RCShdPtr<UiDrawArea> area;
    GePoint2<float> point; // in the area's own pixels
};

UiApplication::UiApplication(UiBackend& backend)
    : _backend(backend), _alarms(std::make_unique<MtAlarmManager>(backend)),
      _hotkeys(std::make_unique<UiHotkeyRegistry>()), _actions(std::make_unique<ActRegistry>()),
      _clipboard(std::make_unique<DrClipboard>(backend)), _settings(std::make_unique<StgUserSettings>()) {
    ZV_ASSERT(gInstance == nullptr);
    gInstance = this;
    _hotkeys->loadDefaults(UiHotkeyRegistry::getDefaultsPath());
}

UiApplication::~UiApplication() {
    _requests.clear();
    _openMenu.reset();
    _openColorDialog.reset();
    gInstance = nullptr;
}

bool UiApplication::exists() {
    return gInstance != nullptr;
}

UiApplication& UiApplication::getInstance() {
    ZV_ASSERT(gInstance != nullptr);
    return *gInstance;
}

void UiApplication::loadUserSettings(const std::string& path) {
    _settings->load(path);
    _hotkeys->applyUserBindings(*_settings);
}

void UiApplication::postRequest(const RCShdPtr<EvRequestEvent>& request) {
    ZV_ASSERT(!request.isNull());
    {
        std::lock_guard<std::mutex> lock(_requestsMutex);
        _requests.push_back(request);
    }
    _backend.requestsPosted();
}

void UiApplication::runPostedRequests() {
    for (;;) {
        RCShdPtr<EvRequestEvent> request;
        {
            std::lock_guard<std::mutex> lock(_requestsMutex);
            if (_requests.empty()) return;
            request = std::move(_requests.front());
            _requests.pop_front();
        }
        request->execute();
    }
}

size_t UiApplication::getNbPostedRequests() const {
    std::lock_guard<std::mutex> lock(_requestsMutex);
    return _requests.size();
}

void UiApplication::fireDueAlarms() {
    while (_alarms->fireNext(_backend.getTime())) {
    }
}

double UiApplication::getPointerFocusDuration() const {
    return _settings->getNumber("PointerFocusDuration", 0.5);
}

void UiApplication::pushOverrideCursor(const RCShdPtr<WsCursor>& cursor) {
    ZV_ASSERT(!cursor.isNull());
    _overrideCursors.push_back(cursor);
    updateCursor();
}

void UiApplication::popOverrideCursor() {
    ZV_ASSERT(!_overrideCursors.empty());
    _overrideCursors.pop_back();
    updateCursor();
}

void UiApplication::setWidgetCursor(const RCShdPtr<WsCursor>& cursor) {
    _widgetCursor = cursor;
    updateCursor();
}

RCShdPtr<WsCursor> UiApplication::getCurrentCursor() const {
    if (!_overrideCursors.empty()) return _overrideCursors.back();
    return _widgetCursor.isNull() ? WsCursorRegistry::getCursor(WsCursorRegistry::Default) : _widgetCursor;
}

void UiApplication::updateCursor() {
    RCShdPtr<WsCursor> cursor = getCurrentCursor();
    if (cursor->getName() == _shownCursor) return;
    _shownCursor = cursor->getName();
    _backend.setCursor(*cursor);
}

void UiApplication::showPopupMenu(const RCShdPtr<UiPopupMenu>& menu, UiDrawArea& area, const GePoint2<float>& point) {
    _openMenu = menu;
    _backend.showPopupMenu(menu, area, point);
}

void UiApplication::popupMenuClosed() {
    _openMenu.reset();
}

void UiApplication::showColorDialog(const RCShdPtr<UiColorDialog>& dialog, UiDrawArea& area,
                                    const GePoint2<float>& point) {
    _openColorDialog = dialog;
    _backend.showColorDialog(dialog, area, point);
}

void UiApplication::colorDialogClosed() {
    _openColorDialog.reset();
}

UiApplication::Target UiApplication::route(UiDrawArea& window, const GePoint2<float>& point, bool pressing) {
    Target target{_grab.lock(), point};
    if (target.area.isNull()) target.area = RCShdPtr<UiDrawArea>(&window.findDrawAreaAt(point));
    target.point = target.area->toLocal(point);
    _focus = target.area;
    _focusPoint = target.point;
    if (pressing) _grab = target.area;
    return target;
}

void UiApplication::send(UiDrawArea& area, EvDeviceEvent& event) {
    event.setViewer(area.getMfViewer());
    area.handleEvent(event);
}

void UiApplication::pointerPress(UiDrawArea& window, const GePoint2<float>& point, EvButton button, bool doubleClick) {
    _buttonsHeld |= static_cast<int>(button);
    Target target = route(window, point, true);
    EvPointerButtonEvent event(target.point, _keyboard, _buttonsHeld, button, true, doubleClick);
    send(*target.area, event);
}

void UiApplication::pointerRelease(UiDrawArea& window, const GePoint2<float>& point, EvButton button) {
    Target target = route(window, point, false);
    _buttonsHeld &= ~static_cast<int>(button);
    if (_buttonsHeld == 0) _grab = nullptr;
    EvPointerButtonEvent event(target.point, _keyboard, _buttonsHeld, button, false, false);
    send(*target.area, event);
}

void UiApplication::pointerMove(UiDrawArea& window, const GePoint2<float>& point) {
    Target target = route(window, point, false);
    EvPointerMoveEvent event(target.point, _keyboard, _buttonsHeld);
    send(*target.area, event);
}

void UiApplication::wheel(UiDrawArea& window, const GePoint2<float>& point, float steps) {
    Target target = route(window, point, false);
    EvWheelEvent event(target.point, _keyboard, _buttonsHeld, steps);
    send(*target.area, event);
}

bool UiApplication::keyPress(EvKeyCode key) {
    _keyboard.setKeyDown(key, true);
    RCShdPtr<UiDrawArea> area = _focus.lock();
    if (area.isNull()) return false;
    EvKeyEvent event(_focusPoint, _keyboard, _buttonsHeld, key, true);
    send(*area, event);
    if (event.isProcessed()) return true;
    for (int entry : _hotkeys->findEntries(key, _keyboard.getModifiers()))
        if (sendHotkey(*area, _focusPoint, entry)) return true;
    return false;
}

bool UiApplication::runHotkey(UiDrawArea& area, int entry) {
    const bool focused = _focus.lock().get() == &area;
    const GePoint2<float> centre(area.getWidth() * 0.5f, area.getHeight() * 0.5f);
    return sendHotkey(area, focused ? _focusPoint : centre, entry);
}

bool UiApplication::sendHotkey(UiDrawArea& area, const GePoint2<float>& point, int entry) {
    EvHotkeyEvent hotkey(point, _keyboard, _buttonsHeld, entry);
    send(area, hotkey);
    return hotkey.isProcessed();
}

void UiApplication::keyRelease(EvKeyCode key) {
    _keyboard.setKeyDown(key, false);
    RCShdPtr<UiDrawArea> area = _focus.lock();
    if (area.isNull()) return;
    EvKeyEvent event(_focusPoint, _keyboard, _buttonsHeld, key, false);
    send(*area, event);
}

void UiApplication::setModifiers(EvModifier held) {
    for (EvKeyCode key : {EvKeyCode::Shift, EvKeyCode::Control, EvKeyCode::Alt})
        _keyboard.setKeyDown(key, hasModifiers(held, EvKeyCodes::getModifierOfKey(key)));
}

void UiApplication::setKeyFocus(UiDrawArea& window, const GePoint2<float>& point) {
    route(window, point, false);
}

LiString UiApplication::requestTooltip(UiDrawArea& window, const GePoint2<float>& point) {
    Target target = route(window, point, false);
    EvTooltipEvent event(target.point, _keyboard, _buttonsHeld);
    send(*target.area, event);
    _backend.showTooltip(*target.area, event.getText(), event.getRect());
    return event.getText();
}

bool UiApplication::dragMove(UiDrawArea& window, const RCShdPtr<DrCarrier>& carrier, const GePoint2<float>& point) {
    UiDrawArea& area = window.findDrawAreaAt(point);
    if (_dragArea.lock().get() != &area) dragLeave();
    _dragArea = RCShdPtr<UiDrawArea>(&area);
    const RCShdPtr<UiDragAndDrop>& dnd = area.getDragAndDrop();
    return !dnd.isNull() && dnd->dragMove(carrier, area.toLocal(point));
}

bool UiApplication::drop(UiDrawArea& window, const RCShdPtr<DrCarrier>& carrier, const GePoint2<float>& point) {
    UiDrawArea& area = window.findDrawAreaAt(point);
    _dragArea = nullptr;
    const RCShdPtr<UiDragAndDrop>& dnd = area.getDragAndDrop();
    return !dnd.isNull() && dnd->drop(carrier, area.toLocal(point));
}

void UiApplication::dragLeave() {
    RCShdPtr<UiDrawArea> area = _dragArea.lock();
    _dragArea = nullptr;
    if (!area.isNull() && !area->getDragAndDrop().isNull()) area->getDragAndDrop()->dragLeave();
}

} // namespace Zv

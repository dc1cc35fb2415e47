#pragma once

#include "platform/base/gePoint2.h"
#include "platform/base/liString.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/base/rcWeakPtr.h"
#include "platform/ui/evDeviceEvent.h"
#include "platform/ui/evKeyboardState.h"

#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Zv {

class ActRegistry;
class DrCarrier;
class DrClipboard;
class EvRequestEvent;
class MtAlarmManager;
class StgUserSettings;
class UiBackend;
class UiColorDialog;
class UiDrawArea;
class UiHotkeyRegistry;
class UiPopupMenu;
class WsCursor;

// The UI side of the process: the backend it runs on, the queue of posted requests, alarms,
// hotkeys, actions, the clipboard, user settings, cursors and the input state. One application
// exists at a time; creating it makes it current.
class UiApplication {
public:
    explicit UiApplication(UiBackend& backend);
    ~UiApplication();
    UiApplication(const UiApplication&) = delete;
    UiApplication& operator=(const UiApplication&) = delete;

    static bool exists();
    static UiApplication& getInstance();

    UiBackend& getBackend() { return _backend; }
    MtAlarmManager& getAlarmManager() { return *_alarms; }
    UiHotkeyRegistry& getHotkeyRegistry() { return *_hotkeys; }
    ActRegistry& getActRegistry() { return *_actions; }
    DrClipboard& getClipboard() { return *_clipboard; }
    StgUserSettings& getUserSettings() { return *_settings; }
    // Reads the user's settings (see StgUserSettings::load) and applies their hotkey bindings.
    void loadUserSettings(const std::string& path);

    // Runs the request later on the UI thread, after the event being handled and before the next
    // repaint. Any thread may post (the image engine's worker hands its results back this way).
    void postRequest(const RCShdPtr<EvRequestEvent>& request);
    // Runs posted requests in posting order, those they post included, until none is left.
    void runPostedRequests();
    size_t getNbPostedRequests() const;
    // Calls every alarm due on the backend's clock.
    void fireDueAlarms();

    // How long the pointer rests before hover behaviour starts (user setting "PointerFocusDuration").
    double getPointerFocusDuration() const;

    // Cursors: the top of the override stack, else the widget's cursor, else the default arrow.
    void pushOverrideCursor(const RCShdPtr<WsCursor>& cursor);
    void popOverrideCursor();
    size_t getNbOverrideCursors() const { return _overrideCursors.size(); }
    void setWidgetCursor(const RCShdPtr<WsCursor>& cursor);
    RCShdPtr<WsCursor> getCurrentCursor() const;

    // Popup menus: the one the backend shows, until it reports it closed.
    void showPopupMenu(const RCShdPtr<UiPopupMenu>& menu, UiDrawArea& area, const GePoint2<float>& point);
    void popupMenuClosed();
    const RCShdPtr<UiPopupMenu>& getOpenPopupMenu() const { return _openMenu; }
    // Colour dialogs likewise.
    void showColorDialog(const RCShdPtr<UiColorDialog>& dialog, UiDrawArea& area, const GePoint2<float>& point);
    void colorDialogClosed();
    const RCShdPtr<UiColorDialog>& getOpenColorDialog() const { return _openColorDialog; }

    // Input from the backend. Points are window pixels of the top draw area (origin bottom left, y
    // up); each event goes to the innermost shown draw area under the point, or to the one that
    // took the press while buttons are held. Keys go to the area the pointer was last over; a key
    // press nobody takes is then offered as the hotkey events bound to it.
    void pointerPress(UiDrawArea& window, const GePoint2<float>& point, EvButton button, bool doubleClick = false);
    void pointerRelease(UiDrawArea& window, const GePoint2<float>& point, EvButton button);
    void pointerMove(UiDrawArea& window, const GePoint2<float>& point);
    void wheel(UiDrawArea& window, const GePoint2<float>& point, float steps);
    // True when the key press or a hotkey bound to it was taken.
    bool keyPress(EvKeyCode key);
    void keyRelease(EvKeyCode key);
    // Sets the modifier keys to what the window system reports with an event, quietly: a modifier
    // released while another window had the keyboard would otherwise stay down.
    void setModifiers(EvModifier held);
    // Keys go to the area under the point until the pointer moves: a window can get the keyboard
    // before the pointer ever came over it.
    void setKeyFocus(UiDrawArea& window, const GePoint2<float>& point);
    const EvKeyboardState& getKeyboardState() const { return _keyboard; }
    // Runs a hotkey entry on the area as its key would, at the last pointer point when the area
    // has the keys, else at its centre: menus of a window offer the view's hotkeys this way.
    // True when the area took it.
    bool runHotkey(UiDrawArea& area, int entry);
    int getButtonsHeld() const { return _buttonsHeld; }
    // Asks the area under the point for its tooltip and shows it; returns its text (empty for none).
    LiString requestTooltip(UiDrawArea& window, const GePoint2<float>& point);

    // Drags from outside over a top draw area; the carrier's location is set to the scene point.
    bool dragMove(UiDrawArea& window, const RCShdPtr<DrCarrier>& carrier, const GePoint2<float>& point);
    bool drop(UiDrawArea& window, const RCShdPtr<DrCarrier>& carrier, const GePoint2<float>& point);
    void dragLeave();

private:
    struct Target;
    Target route(UiDrawArea& window, const GePoint2<float>& point, bool pressing);
    void send(UiDrawArea& area, EvDeviceEvent& event);
    bool sendHotkey(UiDrawArea& area, const GePoint2<float>& point, int entry);
    void updateCursor();

    UiBackend& _backend;
    std::unique_ptr<MtAlarmManager> _alarms;
    std::unique_ptr<UiHotkeyRegistry> _hotkeys;
    std::unique_ptr<ActRegistry> _actions;
    std::unique_ptr<DrClipboard> _clipboard;
    std::unique_ptr<StgUserSettings> _settings;
    mutable std::mutex _requestsMutex;
    std::deque<RCShdPtr<EvRequestEvent>> _requests;
    std::vector<RCShdPtr<WsCursor>> _overrideCursors;
    RCShdPtr<WsCursor> _widgetCursor;
    LiString _shownCursor;
    RCShdPtr<UiPopupMenu> _openMenu;
    RCShdPtr<UiColorDialog> _openColorDialog;
    EvKeyboardState _keyboard;
    int _buttonsHeld = 0;
    RCWeakPtr<UiDrawArea> _grab;     // took the press; gets the events until every button is up
    RCWeakPtr<UiDrawArea> _focus;    // the pointer was last over it; it gets the keys
    GePoint2<float> _focusPoint;     // last pointer position, in the focus area's pixels
    RCWeakPtr<UiDrawArea> _dragArea; // a drag from outside is over it
};

} // namespace Zv

#include "platform/base/cbMethod.h"
#include "platform/graph/snSelection.h"
#include "platform/ui/drCarrier.h"
#include "platform/ui/drFileItem.h"
#include "platform/ui/drSrcSink.h"
#include "platform/ui/evHotkeyEvent.h"
#include "platform/ui/evKeyEvent.h"
#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/evTooltipEvent.h"
#include "platform/ui/evWheelEvent.h"
#include "platform/ui/qt/uiQtCursors.h"
#include "platform/ui/qt/uiQtKeyMap.h"
#include "platform/ui/qt/uiQtViewWidget.h"
#include "platform/ui/uiDragAndDrop.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiViewer2D.h"
#include "platform/ui/wsCursorRegistry.h"
#include "tests/qt/qtTestSupport.h"

#include <QHelpEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QToolTip>
#include <QUrl>

#include <string>
#include <vector>

using namespace Zv;
using namespace Zv::QtTest;

namespace {

std::string at(const GePoint2<float>& point) {
    return std::to_string(static_cast<int>(point.x)) + "," + std::to_string(static_cast<int>(point.y));
}

// Logs what reaches it, with the coordinates in its own pixels; answers tooltips left of x = 100.
class RecordingViewer : public UiViewer2D {
public:
    RecordingViewer() : UiViewer2D("viewer", SnSelection::create()) {}

    void handleEvent(EvEvent& event) override {
        if (auto* button = dynamic_cast<EvPointerButtonEvent*>(&event))
            log.push_back(std::string(button->isPress() ? "press " : "release ") +
                          std::to_string(static_cast<int>(button->getTriggerButton())) +
                          (button->isDoubleClick() ? " double " : " ") + at(button->getCoord()));
        else if (auto* wheel = dynamic_cast<EvWheelEvent*>(&event))
            log.push_back("wheel " + std::to_string(wheel->getSteps()).substr(0, 4) + " " + at(wheel->getCoord()));
        else if (auto* key = dynamic_cast<EvKeyEvent*>(&event))
            log.push_back("key " + EvKeyCodes::getName(key->getKey()).str() + (key->isPress() ? " down" : " up"));
        else if (auto* hotkey = dynamic_cast<EvHotkeyEvent*>(&event))
            log.push_back("hotkey " +
                          UiApplication::getInstance().getHotkeyRegistry().getName(hotkey->getEntry()).str());
        else if (auto* tooltip = dynamic_cast<EvTooltipEvent*>(&event); tooltip && tooltip->getCoord().x < 100)
            tooltip->setTooltip("Blur1<br>a < b", {0.0f, 100.0f, 0.0f, 50.0f});
        UiViewer2D::handleEvent(event);
    }

    std::vector<std::string> log;
};

class RecordingSink : public DrSrcSink {
public:
    bool willConsumeSelection(const DrCarrier& carrier) override {
        log.push_back("over " + at(carrier.getLocation()));
        return true;
    }
    bool consumeSelection(const DrCarrier& carrier) override {
        std::string what = "drop \"" + carrier.getText().str() + "\"";
        for (const auto& item : carrier.getItems())
            what += " " + dynamic_cast<const DrFileItem&>(*item).getPath().str();
        log.push_back(what + " at " + at(carrier.getLocation()));
        return true;
    }
    void operationCancelled() override { log.push_back("left"); }

    std::vector<std::string> log;
};

// A 400 × 300 view. It is never shown (the offscreen platform has no GL): Qt events, its resize
// among them, are sent to it straight.
class ViewWidget : public QtBackendTest {
protected:
    RCShdPtr<RecordingViewer> viewer = makeRC<RecordingViewer>();
    UiQtViewWidget view{backend, viewer};

    ViewWidget() {
        view.resize(400, 300);
        QResizeEvent resize(view.size(), {});
        QApplication::sendEvent(&view, &resize);
    }

    void mouse(QEvent::Type type, Qt::MouseButton button, QPointF pos, Qt::KeyboardModifiers modifiers = {}) {
        QMouseEvent event(type, pos, view.mapToGlobal(pos), button, button, modifiers);
        QApplication::sendEvent(&view, &event);
    }
    // Whether the view accepted the event; Qt offers shortcut overrides unaccepted.
    bool key(QEvent::Type type, int qtKey, Qt::KeyboardModifiers modifiers = {}) {
        QKeyEvent event(type, qtKey, modifiers);
        if (type == QEvent::ShortcutOverride) event.ignore();
        QApplication::sendEvent(&view, &event);
        return event.isAccepted();
    }
};

} // namespace

TEST_F(ViewWidget, PointerInputArrivesInToolkitPixelsCountedFromTheBottomRow) {
    EXPECT_EQ(viewer->getWidth(), 400);
    EXPECT_EQ(viewer->getHeight(), 300);
    mouse(QEvent::MouseButtonPress, Qt::LeftButton, {10, 0});
    mouse(QEvent::MouseButtonRelease, Qt::LeftButton, {10, 0});
    mouse(QEvent::MouseButtonDblClick, Qt::LeftButton, {399, 299});
    mouse(QEvent::MouseButtonPress, Qt::RightButton, {0, 150});
    QWheelEvent wheel({5, 295}, view.mapToGlobal(QPointF(5, 295)), {}, {0, -240}, {}, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    EXPECT_EQ(viewer->log, (std::vector<std::string>{"press 1 10,299", "release 1 10,299", "press 1 double 399,0",
                                                     "press 4 0,149", "wheel -2.0 5,4"}));

    // Toolkit points and rectangles go back to the same Qt pixels.
    EXPECT_EQ(view.fromArea(GePoint2<float>(10.0f, 299.0f)), QPoint(10, 0));
    EXPECT_EQ(view.fromArea(GeRectangle<float>(0.0f, 100.0f, 0.0f, 50.0f)), QRect(0, 250, 100, 50));
}

TEST_F(ViewWidget, KeysReachTheViewAndItsHotkeysWithTheModifiersQtReports) {
    // The view has the keyboard before the pointer ever came over it.
    QFocusEvent focus(QEvent::FocusIn);
    QApplication::sendEvent(&view, &focus);
    key(QEvent::KeyPress, Qt::Key_Control);
    key(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier);
    key(QEvent::KeyRelease, Qt::Key_C, Qt::ControlModifier);
    // Ctrl was let go while another window had the keyboard: the next event says so.
    mouse(QEvent::MouseMove, Qt::NoButton, {201, 150});
    EXPECT_FALSE(app.getKeyboardState().isKeyDown(EvKeyCode::Control));
    key(QEvent::KeyPress, Qt::Key_F);
    key(QEvent::KeyPress, Qt::Key_Exclam, Qt::ShiftModifier);
    EXPECT_EQ(viewer->log, (std::vector<std::string>{"key ctrl down", "key c down", "hotkey Copy", "key c up",
                                                     "key f down", "hotkey Fit", "key 1 down"}));
    EXPECT_TRUE(app.getKeyboardState().isKeyDown(EvKeyCode::Shift));

    EXPECT_EQ(UiQtKeyMap::toKeyCode(Qt::Key_Z), EvKeyCode::Z);
    EXPECT_EQ(UiQtKeyMap::toKeyCode(Qt::Key_F12), EvKeyCode::F12);
    EXPECT_EQ(UiQtKeyMap::toKeyCode(Qt::Key_ParenLeft), EvKeyCode::Digit9);
    EXPECT_EQ(UiQtKeyMap::toKeyCode(Qt::Key_Enter), EvKeyCode::Return);
    EXPECT_FALSE(UiQtKeyMap::toKeyCode(Qt::Key_VolumeUp));
}

// A window's shortcuts yield to the keys bound to hotkeys, and get the presses the view leaves.
TEST_F(ViewWidget, BoundKeysComeBeforeShortcutsAndPressesTheViewLeavesGoOn) {
    EXPECT_TRUE(key(QEvent::ShortcutOverride, Qt::Key_C, Qt::ControlModifier));
    EXPECT_FALSE(key(QEvent::ShortcutOverride, Qt::Key_Z, Qt::ControlModifier));
    mouse(QEvent::MouseMove, Qt::NoButton, {200, 150});
    EXPECT_TRUE(key(QEvent::KeyPress, Qt::Key_F)) << "the viewer fits";
    EXPECT_FALSE(key(QEvent::KeyPress, Qt::Key_K)) << "nothing takes K";
    EXPECT_TRUE(key(QEvent::KeyPress, Qt::Key_Tab)) << "Tab stays with the view";
}

TEST_F(ViewWidget, ATooltipRequestShowsTheAnswerAsQtTooltipLinesOverItsRectangle) {
    QHelpEvent over(QEvent::ToolTip, {50, 280}, view.mapToGlobal(QPoint(50, 280)));
    QApplication::sendEvent(&view, &over);
    EXPECT_TRUE(QToolTip::isVisible());
    EXPECT_EQ(QToolTip::text(), "<qt>Blur1<br>a &lt; b</qt>");
    QHelpEvent background(QEvent::ToolTip, {300, 280}, view.mapToGlobal(QPoint(300, 280)));
    QApplication::sendEvent(&view, &background);
    EXPECT_TRUE(runUntil([] { return !QToolTip::isVisible(); }));
}

TEST_F(ViewWidget, DropsOfTextAndFilesReachTheSinkAtTheirScenePoint) {
    auto sink = makeRC<RecordingSink>();
    auto dragAndDrop = makeRC<UiDragAndDrop>(*viewer);
    dragAndDrop->setSink(sink);
    dragAndDrop->enableDrop(true);
    viewer->setDragAndDrop(dragAndDrop);

    QMimeData files;
    files.setUrls({QUrl::fromLocalFile("/tmp/a.exr"), QUrl::fromLocalFile("/tmp/b c.tif")});
    QDragEnterEvent enter({200, 149}, Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(&view, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDragLeaveEvent leave;
    QApplication::sendEvent(&view, &leave);
    QMimeData text;
    text.setText("Blur");
    QDragEnterEvent enterText({0, 0}, Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(&view, &enterText);
    QDropEvent drop({210, 139}, Qt::CopyAction, &text, Qt::LeftButton, {});
    QApplication::sendEvent(&view, &drop);
    QDropEvent fileDrop({200, 149}, Qt::CopyAction, &files, Qt::LeftButton, {});
    QDragEnterEvent enterFiles({200, 149}, Qt::CopyAction, &files, Qt::LeftButton, {});
    QApplication::sendEvent(&view, &enterFiles);
    QApplication::sendEvent(&view, &fileDrop);
    EXPECT_EQ(sink->log, (std::vector<std::string>{"over 0,0", "left", "over -200,149", "drop \"Blur\" at 10,10",
                                                   "over 0,0", "drop \"\" /tmp/a.exr /tmp/b c.tif at 0,0"}));
}

TEST_F(ViewWidget, ToolkitCursorsShowOnTheViewAsDrawnShapes) {
    for (const char* name :
         {WsCursorRegistry::Pan, WsCursorRegistry::Scissor, WsCursorRegistry::Recycle, WsCursorRegistry::Zoom}) {
        app.pushOverrideCursor(WsCursorRegistry::getCursor(name));
        EXPECT_EQ(view.cursor().shape(), Qt::BitmapCursor) << name;
        EXPECT_EQ(view.cursor().pixmap().toImage(), UiQtCursors::getPixmap(name).toImage()) << name;
        app.popOverrideCursor();
    }
    EXPECT_EQ(view.cursor().shape(), Qt::ArrowCursor);
    EXPECT_NE(UiQtCursors::getPixmap(WsCursorRegistry::Pan).toImage(),
              UiQtCursors::getPixmap(WsCursorRegistry::Scissor).toImage());
}

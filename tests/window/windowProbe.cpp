// A window with a toolkit viewer drawing one box, for the window tests: they drive it with real
// input under Xvfb and read what it reports, one line per happening, on standard output.
//
//   window_probe [--title TITLE] [--clip TEXT] [--pos X,Y]
//
// The box is red and off centre at first; the viewer's "Fit" key (F) centres it. Right-clicking
// opens a menu that recolours it; Ctrl+C copies the --clip text, Ctrl+V prints what is pasted;
// resting on the box shows its tooltip.

#include "platform/base/cbMethod.h"
#include "platform/ui/drCarrier.h"
#include "platform/ui/drClipboard.h"
#include "platform/ui/evHotkeyEvent.h"
#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/evTooltipEvent.h"
#include "platform/ui/qt/uiQtBackend.h"
#include "platform/ui/qt/uiQtViewWidget.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiViewer2D.h"
#include "platform/ui/vwUtils.h"

#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>

#include <GL/gl.h>

#include <cstdio>
#include <string>

using namespace Zv;

namespace {

void report(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

struct Colour {
    const char* name;
    float r, g, b;
};

constexpr Colour kRed{"red", 1.0f, 0.0f, 0.0f};
constexpr Colour kGreen{"green", 0.0f, 1.0f, 0.0f};
constexpr Colour kBlue{"blue", 0.0f, 0.0f, 1.0f};

class ProbeViewer : public UiViewer2D {
public:
    explicit ProbeViewer(std::string clip) : UiViewer2D("ProbeViewer", SnSelection::create()), _clip(std::move(clip)) {
        // Off centre and small, so that fitting shows.
        getView().setUserZoom({0.5f, 0.5f});
        getView().setUserPan({150.0f, 80.0f});
        _callbacks.push_back(addArmCb(makeRC<CbMethod<ProbeViewer, EvPointerButtonEvent&>>(this, &ProbeViewer::armCb)));
        _callbacks.push_back(
            addTooltipCb(makeRC<CbMethod<ProbeViewer, EvTooltipEvent&>>(this, &ProbeViewer::tooltipCb)));
        _callbacks.push_back(addHotkeyCb(makeRC<CbMethod<ProbeViewer, EvHotkeyEvent&>>(this, &ProbeViewer::hotkeyCb)));
    }

    GeRectangle<float> getSceneBoundingRect() const override { return kBox; }

protected:
    void drawScene() override {
        glColor3f(_colour.r, _colour.g, _colour.b);
        glRectf(kBox.xMin, kBox.yMin, kBox.xMax, kBox.yMax);
        if (!_painted) report("ready");
        _painted = true;
    }

    bool handleViewerHotkey(const LiString& name) override {
        report("hotkey " + name.str());
        return UiViewer2D::handleViewerHotkey(name);
    }

private:
    static constexpr GeRectangle<float> kBox{-100.0f, 100.0f, -50.0f, 50.0f};

    void armCb(EvPointerButtonEvent& event) {
        if (event.getTriggerButton() != EvButton::Right) return;
        auto menu = makeRC<UiPopupMenu>("Probe Menu");
        menu->appendText("Fill Green", colourHandler(kGreen), 1, true, "G");
        UiPopupMenu& colours = menu->appendMenu("Colour");
        colours.appendText("Red", colourHandler(kRed), 2);
        colours.appendText("Blue", colourHandler(kBlue), 3);
        colours.appendText("Grey", colourHandler(kRed), 4, false);
        menu->appendSeparator();
        menu->appendText("Disabled Entry", colourHandler(kRed), 5, false, "Ctrl+D");
        menu->popup(*this, event.getCoord());
        // Reported from the event loop, once the menu's window is on its way to the screen.
        QTimer::singleShot(0, [] {
            if (QApplication::activePopupWidget() != nullptr) report("menu shown");
        });
        event.setProcessed();
    }

    RCShdPtr<UiPopupMenu::Handler> colourHandler(const Colour& colour) {
        return makeRC<CbFunction<int>>([this, colour](int id) {
            _colour = colour;
            report(std::string("chose ") + std::to_string(id) + " " + colour.name);
            markForUpdate();
        });
    }

    void tooltipCb(EvTooltipEvent& event) {
        const GePoint2<float> point = VwUtils::windowToWorldOrtho(getView(), event.getCoord());
        if (!kBox.contains(point)) return;
        event.setTooltip(LiString("Box<br>") + _colour.name, VwUtils::worldToWindow(getView(), kBox));
        // Reported once the backend has shown it.
        QTimer::singleShot(100, [] {
            if (QToolTip::isVisible()) report("tooltip shown " + QToolTip::text().toStdString());
        });
    }

    void hotkeyCb(EvHotkeyEvent& event) {
        const UiHotkeyRegistry& hotkeys = UiApplication::getInstance().getHotkeyRegistry();
        DrClipboard& clipboard = UiApplication::getInstance().getClipboard();
        if (event.getEntry() == hotkeys.getSharedEntry(UiHotkeyRegistry::Copy)) {
            RCShdPtr<DrCarrier> carrier = DrCarrier::create();
            carrier->setText(_clip);
            clipboard.setContent(carrier);
            report("copied " + _clip);
        } else if (event.getEntry() == hotkeys.getSharedEntry(UiHotkeyRegistry::Paste)) {
            RCShdPtr<DrCarrier> content = clipboard.getContent();
            report("pasted " + (content.isNull() ? std::string("nothing") : content->getText().str()));
        } else {
            return;
        }
        event.setProcessed();
    }

    std::string _clip;
    Colour _colour = kRed;
    bool _painted = false;
    std::vector<CbRegistration> _callbacks;
};

struct Options {
    QString title = "window probe";
    std::string clip = "probe";
    QPoint pos{0, 0};
};

Options parseOptions(const QStringList& args) {
    Options options;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--title") options.title = args[i + 1];
        else if (args[i] == "--clip") options.clip = args[i + 1].toStdString();
        else if (args[i] == "--pos")
            options.pos = QPoint(args[i + 1].section(',', 0, 0).toInt(), args[i + 1].section(',', 1, 1).toInt());
    }
    return options;
}

} // namespace

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    const Options options = parseOptions(QApplication::arguments());
    UiQtBackend backend;
    UiApplication app(backend);

    auto viewer = makeRC<ProbeViewer>(options.clip);

    QMainWindow window;
    window.setWindowTitle(options.title);
    auto* view = new UiQtViewWidget(backend, viewer);
    view->setFixedSize(400, 300);
    window.setCentralWidget(view);
    backend.setStatusBar(window.statusBar());
    window.move(options.pos);
    window.show();
    view->setFocus();
    return QApplication::exec();
}

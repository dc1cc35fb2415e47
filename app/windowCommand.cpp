// schematic window: the desktop program, a window with the schematic view of a composition. It is
// also what `schematic` runs without a command, and with a file instead of one.
#include "app/appCommand.h"
#include "app/commandArgs.h"
#include "app/desktop/appMainWindow.h"
#include "app/host/scriptSession.h"

#include "platform/base/exBase.h"
#include "platform/base/inPackageManager.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/ui/qt/uiQtBackend.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiWorkspaceLayout.h"

#include <QApplication>
#include <QScreen>

#include <algorithm>
#include <cstdlib>

namespace Zv {
namespace {

constexpr int kDefaultWidth = 1280;
constexpr int kDefaultHeight = 800;

// The packages run from start-up until the window's view is gone, whatever ends it.
struct StartedPackages {
    explicit StartedPackages(AppMainWindow& window) : window(window) { InPackageManager::startAll(); }
    ~StartedPackages() {
        window.releaseView();
        InPackageManager::shutDownAll();
    }
    AppMainWindow& window;
};

// Qt aborts when it finds no display to open a window on; the user gets a message instead.
bool hasDisplay() {
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        if (const char* value = std::getenv(name); value && *value) return true;
    return false;
}

// The default view size, kept within the screen.
QSize getDefaultViewSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return {kDefaultWidth, kDefaultHeight};
    const QSize available = screen->availableSize() * 0.8;
    return {std::min(kDefaultWidth, available.width()), std::min(kDefaultHeight, available.height())};
}

int window(const std::vector<std::string>& argv) {
    CommandArgs args(argv, {"--size"}, {});
    const std::vector<std::string>& operands = args.getOperands();
    if (operands.size() > 1) throw ExBadInput(__FILE__, __LINE__, "window takes at most one FILE");
    int width = 0, height = 0;
    if (args.has("--size")) args.getSize("--size", width, height);
    const std::string path = operands.empty() ? std::string() : operands[0];

    // A bad file is refused before any window opens.
    PiAppThread::claim();
    const RCStrongPtr<PiGraph> graph =
        PiCompositionFile::load(path.empty() ? ScriptSession::getDefaultCompositionPath() : path);

    if (!hasDisplay())
        throw ExBadInput(__FILE__, __LINE__,
                         "no display to open a window on ($DISPLAY and $WAYLAND_DISPLAY are not set); "
                         "'schematic help' lists the commands that need none");

    static int qtArgc = 1;
    static char qtName[] = "schematic";
    static char* qtArgv[] = {qtName, nullptr};
    QApplication qtApplication(qtArgc, qtArgv);
    UiQtBackend backend;
    UiApplication application(backend);
    UiWorkspaceLayout workspace;
    AppMainWindow mainWindow(backend, workspace);
    // Loaded once the status bar can show their warnings.
    application.loadUserSettings(StgUserSettings::getDefaultPath());
    workspace.load(UiWorkspaceLayout::getDefaultPath());
    StartedPackages packages(mainWindow);
    // The built-in sample opens as a new composition: saving it asks for a file of the user's.
    mainWindow.createView("Schematic", graph, path, width > 0 ? QSize(width, height) : getDefaultViewSize());
    mainWindow.show();
    return QApplication::exec();
}

const AppCommand::Registration registration({"window", "window [FILE] [--size WxH]",
                                             "open FILE (the built-in sample) in a window; also `schematic [FILE]`",
                                             window});

} // namespace
} // namespace Zv

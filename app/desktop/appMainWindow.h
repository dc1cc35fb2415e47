#pragma once

#include "platform/base/cbRegistration.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/graph/uiComposition.h"

#include <QMainWindow>

#include <string>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;

namespace Zv {

class PiGraph;
class UiDrawArea;
class UiQtBackend;
class UiQtViewWidget;
class UiView;
class UiWidget;
class UiWorkspaceLayout;

// The desktop program's window: a view of the composition as its central widget, the view's
// options panel in a dock, the File, Edit and View menus, the view's info text in the status bar,
// and the file name with a mark for unsaved changes in the title. The mark follows the command
// stack's saved point, so undoing back to it clears the mark.
//
// Keys: the window's shortcuts never take a key the view binds to a hotkey while the view has the
// keyboard; a key the view leaves untaken comes back here and runs the window's action for it.
class AppMainWindow : public QMainWindow {
public:
    static constexpr const char* ViewName = "Schematic1";

    // The view's settings are read from and kept in the workspace layout.
    AppMainWindow(UiQtBackend& backend, UiWorkspaceLayout& workspace);
    ~AppMainWindow() override;

    // Makes the view of type viewType on graph, read from path (empty: a composition not saved yet).
    // The view area gets viewSize pixels at first.
    void createView(const char* viewType, const RCStrongPtr<PiGraph>& graph, const std::string& path,
                    const QSize& viewSize);
    // Keeps the view's settings in the workspace layout and takes the view down, before the
    // packages shut down.
    void releaseView();

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QAction* addAction(QMenu* menu, const QString& text, const QList<QKeySequence>& keys,
                       void (AppMainWindow::*slot)());
    // An entry that runs one of the view's hotkeys, showing its key (bound by the view, not here).
    void addHotkeyAction(QMenu* menu, const QString& text, const char* domain, const char* name);
    void buildMenus();
    void buildViewMenu(QMenu* menu);
    void showGraph(const RCStrongPtr<PiGraph>& graph, const std::string& path);
    void commandStackChanged();
    void updateInfo();
    UiDrawArea& getArea() const;

    // True when the user saved the changes, discarded them, or there were none.
    bool maySetAside();
    bool saveTo(const std::string& path);
    void storeSettings();

    void newCmd();
    void openCmd();
    void saveCmd();
    void saveAsCmd();
    void undoCmd();
    void redoCmd();
    void cutCmd();
    void copyCmd();
    void pasteCmd();
    void deleteCmd();
    // Runs the view's shared hotkey; false when the view does not take it.
    bool runSharedHotkey(const char* name);

    UiQtBackend& _backend;
    UiWorkspaceLayout& _workspace;
    UiComposition _composition;
    RCStrongPtr<PiGraph> _graph;
    std::string _path;
    CbRegistration _stackChanged;
    RCShdPtr<UiWidget> _top;
    UiView* _view = nullptr;
    UiQtViewWidget* _viewWidget = nullptr;
    QDockWidget* _optionsDock = nullptr;
    QLabel* _info = nullptr;
    QAction* _undoAction = nullptr;
    QAction* _redoAction = nullptr;
    QAction* _cutAction = nullptr;
    QAction* _pasteAction = nullptr;
    QMenu* _viewMenu = nullptr;
};

} // namespace Zv

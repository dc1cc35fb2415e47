#include "app/desktop/appMainWindow.h"

#include "platform/base/cbMethod.h"
#include "platform/base/exBase.h"
#include "platform/graph/cmCommandStack.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/ui/msgWarning.h"
#include "platform/ui/qt/uiQtBackend.h"
#include "platform/ui/qt/uiQtViewWidget.h"
#include "platform/ui/qt/uiQtWidgetBuilder.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiContainer.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiMenu.h"
#include "platform/ui/uiScriptedView.h"
#include "platform/ui/uiView.h"
#include "platform/ui/uiViewFactory.h"
#include "platform/ui/uiViewer.h"
#include "platform/ui/uiWorkspaceLayout.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

namespace Zv {
namespace {

// The user setting the view reads its flow direction from (0 down, 1 right, 2 up; 1 unless set).
constexpr const char* kOrientationSetting = "Schematic/Orientation";
constexpr int kDefaultOrientation = 1;
constexpr const char* kOrientationNames[] = {"Top to Bottom", "Left to Right", "Bottom to Top"};
constexpr const char* kFileFilter = "Compositions (*.xml);;All files (*)";

QString toQt(const std::string& text) {
    return QString::fromStdString(text);
}

// Report fields escape tabs, line breaks and backslashes; the status bar shows one line.
QString unescapeField(const std::string& field) {
    QString text;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            text += QChar::fromLatin1(field[i]);
            continue;
        }
        const char next = field[++i];
        text += next == '\\' ? QChar('\\') : QChar(' ');
    }
    return text.simplified();
}

} // namespace

AppMainWindow::AppMainWindow(UiQtBackend& backend, UiWorkspaceLayout& workspace)
    : _backend(backend), _workspace(workspace) {
    _info = new QLabel(this);
    statusBar()->addWidget(_info, 1);
    _backend.setStatusBar(statusBar());
    _optionsDock = new QDockWidget("Options", this);
    _optionsDock->setObjectName("OptionsDock");
    addDockWidget(Qt::RightDockWidgetArea, _optionsDock);
    _optionsDock->hide();
}

AppMainWindow::~AppMainWindow() {
    releaseView();
    _backend.setStatusBar(nullptr);
}

void AppMainWindow::createView(const char* viewType, const RCStrongPtr<PiGraph>& graph, const std::string& path,
                               const QSize& viewSize) {
    UiViewFactory* factory = UiViewFactory::findViewFactory(viewType);
    if (!factory) throw ExBadInput(__FILE__, __LINE__, std::string("no view type \"") + viewType + "\" is registered");
    showGraph(graph, path);
    _top = factory->createView({}, &_composition, _workspace.getViewSettings(ViewName));
    _view = UiViewFactory::findView(*_top);
    if (!_view || !_view->getDrawArea())
        throw ExBadInput(__FILE__, __LINE__, std::string("the view type \"") + viewType + "\" draws nothing");
    _viewWidget = new UiQtViewWidget(_backend, RCShdPtr<UiDrawArea>(_view->getDrawArea()), this);
    setCentralWidget(_viewWidget);
    // The view starts at the size asked for, then may shrink with the window.
    _viewWidget->setMinimumSize(viewSize);
    QTimer::singleShot(0, _viewWidget, [widget = _viewWidget] { widget->setMinimumSize(64, 64); });
    connect(_viewWidget, &QOpenGLWidget::frameSwapped, this, &AppMainWindow::updateInfo);
    if (UiContainer* panel = _view->getOptionsPanel())
        _optionsDock->setWidget(UiQtWidgetBuilder::build(RCShdPtr<UiWidget>(panel)));
    buildMenus();
    _viewWidget->setFocus();
}

void AppMainWindow::releaseView() {
    if (!_view) return;
    _stackChanged.release();
    delete _optionsDock->widget();
    delete _viewWidget;
    _viewWidget = nullptr;
    _view = nullptr;
    _top.reset();
    _composition.setGraph({});
}

UiDrawArea& AppMainWindow::getArea() const {
    return *_view->getDrawArea();
}

// --- Menus ---

QAction* AppMainWindow::addAction(QMenu* menu, const QString& text, const QList<QKeySequence>& keys,
                                  void (AppMainWindow::*slot)()) {
    QAction* action = menu->addAction(text);
    action->setShortcuts(keys);
    connect(action, &QAction::triggered, this, slot);
    return action;
}

void AppMainWindow::addHotkeyAction(QMenu* menu, const QString& text, const char* domain, const char* name) {
    UiHotkeyRegistry& hotkeys = UiApplication::getInstance().getHotkeyRegistry();
    const int entry = hotkeys.findEntry(domain, name);
    if (entry == UiHotkeyRegistry::NoEntry) return;
    // After a tab, Qt shows the text in the shortcut column without binding the key.
    QAction* action = menu->addAction(text + "\t" + toQt(hotkeys.toString(entry).str()));
    connect(action, &QAction::triggered, this, [this, entry] {
        if (_view) UiApplication::getInstance().runHotkey(getArea(), entry);
    });
}

void AppMainWindow::buildMenus() {
    QMenu* file = menuBar()->addMenu("&File");
    addAction(file, "&New", {QKeySequence("Ctrl+N")}, &AppMainWindow::newCmd);
    addAction(file, "&Open...", {QKeySequence("Ctrl+O")}, &AppMainWindow::openCmd);
    addAction(file, "&Save", {QKeySequence("Ctrl+S")}, &AppMainWindow::saveCmd);
    addAction(file, "Save &As...", {QKeySequence("Shift+Ctrl+S")}, &AppMainWindow::saveAsCmd);
    file->addSeparator();
    QAction* quit = file->addAction("&Quit");
    quit->setShortcut(QKeySequence("Ctrl+Q"));
    connect(quit, &QAction::triggered, this, &QWidget::close);

    QMenu* edit = menuBar()->addMenu("&Edit");
    _undoAction = addAction(edit, "Undo", {QKeySequence("Ctrl+Z")}, &AppMainWindow::undoCmd);
    _redoAction =
        addAction(edit, "Redo", {QKeySequence("Shift+Ctrl+Z"), QKeySequence("Ctrl+Y")}, &AppMainWindow::redoCmd);
    edit->addSeparator();
    _cutAction = addAction(edit, "Cu&t", {QKeySequence("Ctrl+X")}, &AppMainWindow::cutCmd);
    addAction(edit, "&Copy", {QKeySequence("Ctrl+C")}, &AppMainWindow::copyCmd);
    _pasteAction = addAction(edit, "&Paste", {QKeySequence("Ctrl+V")}, &AppMainWindow::pasteCmd);
    addAction(edit, "&Delete", {QKeySequence(Qt::Key_Delete)}, &AppMainWindow::deleteCmd);

    _viewMenu = menuBar()->addMenu("&View");
    buildViewMenu(_viewMenu);
    commandStackChanged();
}

void AppMainWindow::buildViewMenu(QMenu* menu) {
    addHotkeyAction(menu, "&Fit", UiHotkeyRegistry::ViewerDomain, "Fit");
    addHotkeyAction(menu, "&Reset Zoom/Pan", UiHotkeyRegistry::ViewerDomain, "Reset Zoom/Pan");
    menu->addSeparator();
    addHotkeyAction(menu, "Layout &All", UiHotkeyRegistry::SchematicDomain, "Layout All");
    addHotkeyAction(menu, "Layout &Selected", UiHotkeyRegistry::SchematicDomain, "Layout Selected");
    menu->addSeparator();

    // The flow direction is a user setting, which every schematic view follows.
    QMenu* orientation = menu->addMenu("&Orientation");
    auto* orientations = new QActionGroup(orientation);
    for (int i = 0; i < 3; ++i) {
        QAction* action = orientations->addAction(kOrientationNames[i]);
        action->setCheckable(true);
        orientation->addAction(action);
        connect(action, &QAction::triggered, this,
                [i] { UiApplication::getInstance().getUserSettings().setInt(kOrientationSetting, i); });
    }
    connect(orientation, &QMenu::aboutToShow, this, [orientations] {
        const int current =
            UiApplication::getInstance().getUserSettings().getInt(kOrientationSetting, kDefaultOrientation);
        const QList<QAction*> actions = orientations->actions();
        if (current >= 0 && current < actions.size()) actions[current]->setChecked(true);
    });

    // The link style is the options panel's: choosing here is choosing there.
    UiContainer* panel = _view->getOptionsPanel();
    RCShdPtr<UiMenu> linkStyle;
    if (panel && linkStyle.dynamicAssign(panel->findWidget("LinkStyle"))) {
        QMenu* styles = menu->addMenu("&Link Style");
        auto* group = new QActionGroup(styles);
        for (int i = 0; i < static_cast<int>(linkStyle->getItems().size()); ++i) {
            QAction* action = group->addAction(toQt(linkStyle->getItems()[i].str()));
            action->setCheckable(true);
            styles->addAction(action);
            connect(action, &QAction::triggered, this, [linkStyle, i] { linkStyle->setSelectedIndex(i, true); });
        }
        connect(styles, &QMenu::aboutToShow, this, [linkStyle, group] {
            const QList<QAction*> actions = group->actions();
            const int current = linkStyle->getSelectedIndex();
            if (current >= 0 && current < actions.size()) actions[current]->setChecked(true);
        });
    }
    menu->addSeparator();
    QAction* options = _optionsDock->toggleViewAction();
    options->setText("Options &Panel");
    menu->addAction(options);
}

void AppMainWindow::keyPressEvent(QKeyEvent* event) {
    const QKeySequence pressed(event->keyCombination());
    for (QAction* action : menuBar()->findChildren<QAction*>())
        if (action->isEnabled() && action->shortcuts().contains(pressed)) {
            action->trigger();
            return;
        }
    QMainWindow::keyPressEvent(event);
}

// --- Document ---

void AppMainWindow::showGraph(const RCStrongPtr<PiGraph>& graph, const std::string& path) {
    _stackChanged.release();
    _graph = graph;
    _path = path;
    _composition.setGraph(graph);
    _stackChanged = graph->getCommandStack().addChangedCb(makeRC<CbFunction<>>([this] { commandStackChanged(); }));
    const QString name = path.empty() ? QString("Untitled") : QFileInfo(toQt(path)).fileName();
    setWindowTitle(name + "[*] - Schematic");
    commandStackChanged();
}

void AppMainWindow::commandStackChanged() {
    const CmCommandStack& stack = _graph->getCommandStack();
    setWindowModified(!stack.isClean());
    if (!_undoAction) return;
    _undoAction->setEnabled(stack.canUndo());
    _undoAction->setText(stack.canUndo() ? "&Undo " + toQt(stack.getUndoName().str()) : "&Undo");
    _redoAction->setEnabled(stack.canRedo());
    _redoAction->setText(stack.canRedo() ? "&Redo " + toQt(stack.getRedoName().str()) : "&Redo");
    _cutAction->setEnabled(stack.isWritable());
    _pasteAction->setEnabled(stack.isWritable());
}

void AppMainWindow::updateInfo() {
    UiScriptedView* scripted = _view ? _view->getScriptedView() : nullptr;
    if (!scripted) return;
    const std::vector<std::string> lines = scripted->getReport("info");
    const std::string prefix = "info\t";
    const QString text =
        !lines.empty() && lines[0].starts_with(prefix) ? unescapeField(lines[0].substr(prefix.size())) : QString();
    if (text != _info->text()) _info->setText(text);
}

bool AppMainWindow::maySetAside() {
    if (_graph.isNull() || _graph->getCommandStack().isClean()) return true;
    QMessageBox box(QMessageBox::Question, "Unsaved Changes", "The composition has unsaved changes. Save them first?",
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save: saveCmd(); return _graph->getCommandStack().isClean();
    case QMessageBox::Discard: return true;
    default: return false;
    }
}

bool AppMainWindow::saveTo(const std::string& path) {
    try {
        PiCompositionFile::save(*_graph, path);
    } catch (const ExBase& ex) {
        QMessageBox::warning(this, "Cannot Save", toQt(ex.getMessage()));
        return false;
    }
    showGraph(_graph, path);
    _graph->getCommandStack().setClean();
    return true;
}

void AppMainWindow::newCmd() {
    if (!maySetAside()) return;
    showGraph(PiGraph::create(), {});
}

void AppMainWindow::openCmd() {
    if (!maySetAside()) return;
    const QString path = QFileDialog::getOpenFileName(this, "Open", QString(), kFileFilter);
    if (path.isEmpty()) return;
    // The file is read whole and checked before anything changes: a bad one leaves the view as it was.
    RCStrongPtr<PiGraph> graph;
    try {
        graph = PiCompositionFile::load(path.toStdString());
    } catch (const ExBase& ex) {
        QMessageBox::warning(this, "Cannot Open", toQt(ex.getMessage()));
        return;
    }
    showGraph(graph, path.toStdString());
}

void AppMainWindow::saveCmd() {
    if (_path.empty()) saveAsCmd();
    else saveTo(_path);
}

void AppMainWindow::saveAsCmd() {
    const QString path = QFileDialog::getSaveFileName(this, "Save As", toQt(_path), kFileFilter);
    if (!path.isEmpty()) saveTo(path.toStdString());
}

void AppMainWindow::closeEvent(QCloseEvent* event) {
    if (!maySetAside()) return event->ignore();
    storeSettings();
    event->accept();
}

// Written as the window closes; the folder is made on the first save.
void AppMainWindow::storeSettings() {
    try {
        if (_view) _workspace.storeView(ViewName, *_view);
        _workspace.save();
        UiApplication::getInstance().getUserSettings().save();
    } catch (const ExBase& ex) {
        MsgWarning(ex.getMessage()).display();
    }
}

// --- Edit ---

// A refused edit leaves the document as it was; the message says why.
void AppMainWindow::undoCmd() {
    try {
        if (_graph->getCommandStack().canUndo()) _graph->getCommandStack().undo();
    } catch (const ExBase& ex) {
        MsgWarning(ex.getMessage()).display();
    }
}

void AppMainWindow::redoCmd() {
    try {
        if (_graph->getCommandStack().canRedo()) _graph->getCommandStack().redo();
    } catch (const ExBase& ex) {
        MsgWarning(ex.getMessage()).display();
    }
}

bool AppMainWindow::runSharedHotkey(const char* name) {
    UiApplication& app = UiApplication::getInstance();
    return _view && app.runHotkey(getArea(), app.getHotkeyRegistry().getSharedEntry(name));
}

// Cut, copy and paste are the view's own; the Edit menu's paste puts the nodes where the view places
// new ones, the view's paste key at the pointer.
void AppMainWindow::copyCmd() {
    if (_view) _view->copy();
}

void AppMainWindow::cutCmd() {
    if (_view) _view->cut();
}

void AppMainWindow::pasteCmd() {
    if (_view) _view->paste();
}

void AppMainWindow::deleteCmd() {
    runSharedHotkey(UiHotkeyRegistry::Delete);
}

} // namespace Zv

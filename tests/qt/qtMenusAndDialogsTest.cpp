#include "platform/base/cbMethod.h"
#include "platform/graph/snSelection.h"
#include "platform/ui/msgError.h"
#include "platform/ui/msgWarning.h"
#include "platform/ui/qt/uiQtViewWidget.h"
#include "platform/ui/qt/uiQtWidgetBuilder.h"
#include "platform/ui/uiColorDialog.h"
#include "platform/ui/uiLabel.h"
#include "platform/ui/uiMenu.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiPopupMsgBox.h"
#include "platform/ui/uiResTable.h"
#include "platform/ui/uiTab.h"
#include "platform/ui/uiTextField.h"
#include "platform/ui/uiToggle.h"
#include "platform/ui/uiViewer2D.h"
#include "platform/ui/uiWidgetFactory.h"
#include "tests/qt/qtTestSupport.h"
#include "tests/support/toolkitSamples.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include <memory>
#include <vector>

using namespace Zv;
using ToolkitSamples::find;
using namespace Zv::QtTest;

namespace {

void sendKey(QWidget* target, int key, const QString& text = {}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
}

QStringList texts(const QMenu& menu) {
    QStringList result;
    for (const QAction* action : menu.actions())
        result << (action->isSeparator() ? "-" : action->text() + (action->isEnabled() ? "" : " (off)"));
    return result;
}

} // namespace

TEST_F(QtBackendTest, PopupMenusBecomeQtMenusWhoseChosenEntryRunsItsHandlerOnceClosed) {
    auto viewer = makeRC<UiViewer2D>("viewer", SnSelection::create());
    UiQtViewWidget view(backend, viewer);
    std::vector<int> chosen;
    auto handler = makeRC<CbFunction<int>>([&](int id) {
        EXPECT_TRUE(app.getOpenPopupMenu().isNull()) << "closed before the handler runs";
        chosen.push_back(id);
    });
    RCShdPtr<UiPopupMenu> menu = ToolkitSamples::contextMenu(handler);

    menu->popup(*viewer, {10.0f, 10.0f});
    QPointer<QMenu> shown = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(texts(*shown), (QStringList{"Layout All\tL", "Group", "-", "Cut && Paste"}));
    EXPECT_EQ(texts(*shown->actions()[1]->menu()), (QStringList{"Lock", "Unlock (off)"}));
    sendKey(shown, Qt::Key_Down);
    sendKey(shown, Qt::Key_Return);
    EXPECT_EQ(chosen, std::vector<int>{1});
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(shown.isNull()) << "a closed menu is deleted";

    menu->popup(*viewer, {10.0f, 10.0f});
    sendKey(QApplication::activePopupWidget(), Qt::Key_Escape);
    EXPECT_TRUE(app.getOpenPopupMenu().isNull());
    EXPECT_EQ(chosen, std::vector<int>{1});
}

TEST_F(QtBackendTest, QtWidgetsFollowTheirToolkitWidgetsQuietChangesIncludedAndReportUserEdits) {
    const UiResTable table = ToolkitSamples::editorPanel();
    RCShdPtr<UiWidget> editor = UiWidgetFactory::createWidget(table, "Editor");
    std::unique_ptr<QWidget> built(UiQtWidgetBuilder::build(editor));
    auto* loop = built->findChild<QCheckBox*>("Loop");
    auto* kind = built->findChild<QWidget*>("Kind")->findChild<QComboBox*>();
    auto* field = built->findChild<QLineEdit*>("Field");
    auto* title = built->findChild<QLabel*>("Title");
    auto* pages = built->findChild<QTabWidget*>("Pages");
    ASSERT_TRUE(loop && kind && field && title && pages);
    EXPECT_TRUE(loop->isChecked());
    EXPECT_EQ(kind->currentText(), "B");
    EXPECT_EQ(field->text(), "anchor");

    // The program's quiet changes show, each on its own.
    find<UiToggle>(editor, "Loop")->setValue(false, false);
    EXPECT_FALSE(loop->isChecked());
    find<UiMenu>(editor, "Kind")->setSelectedIndex(0, false);
    EXPECT_EQ(kind->currentText(), "A");
    find<UiTextField>(editor, "Field")->setText("top", false);
    EXPECT_EQ(field->text(), "top");
    find<UiLabel>(editor, "Title")->setText("Anchor");
    EXPECT_EQ(title->text(), "Anchor");
    find<UiTab>(editor, "Pages")->setCurrentPage(1);
    EXPECT_EQ(pages->currentIndex(), 1);
    find<UiLabel>(editor, "Title")->display(false);
    EXPECT_TRUE(title->isHidden());
    find<UiToggle>(editor, "Loop")->setEnabled(false);
    EXPECT_FALSE(loop->isEnabled());

    // The user's edits reach the toolkit as notified changes.
    int notices = 0;
    auto count = [&](auto& widget) {
        using W = std::remove_reference_t<decltype(widget)>;
        return widget.addValueChangedCb(makeRC<CbFunction<W&>>([&](W&) { ++notices; }));
    };
    CbRegistration toggleNotices = count(*find<UiToggle>(editor, "Loop"));
    CbRegistration menuNotices = count(*find<UiMenu>(editor, "Kind"));
    CbRegistration fieldNotices = count(*find<UiTextField>(editor, "Field"));
    loop->setEnabled(true);
    loop->click();
    emit kind->activated(1);
    sendKey(field, Qt::Key_S, "s");
    pages->setCurrentIndex(0);
    EXPECT_TRUE(find<UiToggle>(editor, "Loop")->getValue());
    EXPECT_EQ(find<UiMenu>(editor, "Kind")->getSelectedIndex(), 1);
    EXPECT_EQ(find<UiTextField>(editor, "Field")->getText(), "tops");
    EXPECT_EQ(find<UiTab>(editor, "Pages")->getCurrentPage(), 0);
    EXPECT_EQ(notices, 3);
}

TEST_F(QtBackendTest, MessageBoxesRunModallyAndAnswerTheButtonChosenOrCancel) {
    const UiResTable table = UiResTable::parse(R"(<resources><container name="Editor">
        <textField name="Name" text=""/></container></resources>)",
                                               "editor.xml");
    UiPopupMsgBox box("Add Anchor", "Name the anchor", {"OK", "Cancel"}, 0, 1);
    box.setContent(UiWidgetFactory::createWidget(table, "Editor"));
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), "Add Anchor");
        sendKey(dialog->findChild<QLineEdit*>("Name"), Qt::Key_T, "t");
        dialog->findChild<QPushButton*>("OK")->click();
    });
    EXPECT_EQ(box.run(), 0);
    EXPECT_EQ(find<UiTextField>(box.getContent(), "Name")->getText(), "t");

    QTimer::singleShot(0, [] { sendKey(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(box.run(), 1);
}

TEST_F(QtBackendTest, WarningsGoToTheStatusBarAndErrorsToAMessageBox) {
    QStatusBar statusBar;
    backend.setStatusBar(&statusBar);
    MsgWarning("file.xml:3: skipped").display();
    EXPECT_EQ(statusBar.currentMessage(), "file.xml:3: skipped");
    MsgError("cannot save").display();
    int boxes = 0;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible() && box->text() == "cannot save") {
            ++boxes;
            box->close();
        }
    EXPECT_EQ(boxes, 1);
}

TEST_F(QtBackendTest, ColorDialogsStartFromTheirColourAndRunTheHandlerOnlyWhenAColourIsPicked) {
    auto viewer = makeRC<UiViewer2D>("viewer", SnSelection::create());
    UiQtViewWidget view(backend, viewer);
    std::vector<UiResColor> picked;
    auto open = [&] {
        auto dialog = makeRC<UiColorDialog>(
            "Color", UiResColor{1.0f, 0.0f, 0.0f},
            makeRC<CbFunction<const UiResColor&>>([&](const UiResColor& color) { picked.push_back(color); }));
        app.showColorDialog(dialog, *viewer, {10.0f, 10.0f});
        QColorDialog* shown = nullptr;
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* candidate = qobject_cast<QColorDialog*>(widget); candidate && candidate->isVisible())
                shown = candidate;
        return shown;
    };

    QColorDialog* shown = open();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->windowTitle(), "Color");
    EXPECT_EQ(shown->currentColor(), QColor(255, 0, 0));
    shown->setCurrentColor(QColor(0, 255, 0));
    shown->accept();
    ASSERT_EQ(picked.size(), 1u);
    EXPECT_EQ(picked[0], (UiResColor{0.0f, 1.0f, 0.0f}));
    EXPECT_TRUE(app.getOpenColorDialog().isNull());

    shown = open();
    ASSERT_NE(shown, nullptr);
    shown->reject();
    EXPECT_EQ(picked.size(), 1u) << "a cancelled dialog picks nothing";
    EXPECT_TRUE(app.getOpenColorDialog().isNull());
}

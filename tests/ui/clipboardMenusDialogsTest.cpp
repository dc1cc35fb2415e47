#include "platform/base/cbMethod.h"
#include "platform/base/exBase.h"
#include "platform/ui/drClipboard.h"
#include "platform/ui/evTooltipEvent.h"
#include "platform/ui/msgError.h"
#include "platform/ui/msgWarning.h"
#include "platform/ui/uiDragAndDrop.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/uiPopupMsgBox.h"
#include "platform/ui/uiResTable.h"
#include "platform/ui/uiTextField.h"
#include "platform/ui/uiWidgetFactory.h"
#include "platform/ui/wsCursorRegistry.h"
#include "tests/support/failedAssertion.h"
#include "tests/support/toolkitSamples.h"
#include "tests/ui/uiTestSupport.h"

using namespace Zv;
using namespace Zv::UiTest;

TEST_F(HeadlessTest, ClipboardKeepsItemsWhileItsTextIsStillTheSystemClipboards) {
    DrClipboard& clipboard = app.getClipboard();
    EXPECT_FALSE(clipboard.hasContent());
    RCShdPtr<DrCarrier> copied = DrCarrier::create();
    copied->setText("<nodes/>");
    copied->addItem(item("Blur1"));
    clipboard.setContent(copied);
    EXPECT_EQ(backend.getClipboardText(), "<nodes/>");
    EXPECT_EQ(clipboard.getContent().get(), copied.get());

    backend.setClipboardText("text from another program");
    RCShdPtr<DrCarrier> pasted = clipboard.getContent();
    EXPECT_EQ(pasted->getText(), "text from another program");
    EXPECT_TRUE(pasted->getItems().empty()) << "items never leave the process";
    backend.setClipboardText("");
    EXPECT_FALSE(clipboard.hasContent());
}

TEST_F(HeadlessTest, MenuEntriesAreChosenByPathAndRunTheirHandlerOnce) {
    std::vector<int> chosen;
    auto handler = makeRC<CbFunction<int>>([&](int id) { chosen.push_back(id); });
    RCShdPtr<UiPopupMenu> menu = ToolkitSamples::contextMenu(handler);

    std::vector<std::string> rows;
    for (const UiPopupMenu::Row& row : menu->getRows())
        rows.push_back(row.path.str() + "|" + row.entry->shortcut.str() + "|" + (row.entry->enabled ? "1" : "0"));
    EXPECT_EQ(rows, (std::vector<std::string>{"Layout All|L|1", "Group||1", "Group/Lock||1", "Group/Unlock||0", "||1",
                                              "Cut & Paste||1"}));

    auto viewer = makeRC<TestViewer>();
    menu->popup(*viewer, {10.0f, 10.0f});
    EXPECT_EQ(app.getOpenPopupMenu().get(), menu.get());
    for (const char* refused : {"Group/Unlock", "Group", "Group/Open", "Lock"})
        EXPECT_THROW(backend.chooseMenuEntry(refused), ExBadInput) << refused;
    EXPECT_TRUE(chosen.empty());
    EXPECT_FALSE(app.getOpenPopupMenu().isNull()) << "a refused choice leaves the menu open";
    backend.chooseMenuEntry("Group/Lock");
    EXPECT_EQ(chosen, std::vector<int>{2});
    EXPECT_TRUE(app.getOpenPopupMenu().isNull());
    EXPECT_THROW(backend.chooseMenuEntry("Cut & Paste"), ExBadInput) << "no menu is open";
}

TEST_F(HeadlessTest, DialogsTakeTheirScriptedAnswersInOrderAndAreCancelledWithout) {
    const UiResTable table = UiResTable::parse(R"(<resources><container name="Editor">
        <textField name="_anchorNameTextField" text=""/></container></resources>)",
                                               "editor.xml");
    UiPopupMsgBox box("Add Anchor", "", {"OK", "Cancel"}, 0, 1);
    box.setContent(UiWidgetFactory::createWidget(table, "Editor"));
    RCShdPtr<UiTextField> name;
    name.dynamicAssign(box.getContent()->findWidget("_anchorNameTextField"));

    backend.queueDialogAnswer({"OK", {{"_anchorNameTextField", "top"}}});
    EXPECT_EQ(box.run(), 0);
    EXPECT_EQ(name->getText(), "top");
    EXPECT_EQ(box.run(), 1) << "no answer left: cancelled";
    backend.queueDialogAnswer({"Maybe", {}});
    EXPECT_THROW(box.run(), ExBadInput);
    backend.queueDialogAnswer({"OK", {{"_missing", "x"}}});
    EXPECT_THROW(box.run(), ExBadInput);
    EXPECT_EQ(backend.getDialogTitles().size(), 4u);
}

TEST_F(HeadlessTest, MessagesCursorsAndTooltipsGoThroughTheBackend) {
    MsgWarning("file.xml:3: skipped").display();
    MsgError("cannot save").display();
    ASSERT_EQ(backend.getMessages().size(), 2u);
    EXPECT_EQ(backend.getMessages()[1].severity, MsgSeverity::Error);

    app.pushOverrideCursor(WsCursorRegistry::getCursor(WsCursorRegistry::Pan));
    app.pushOverrideCursor(WsCursorRegistry::getCursor(WsCursorRegistry::Recycle));
    EXPECT_EQ(backend.getCursorName(), "Recycle");
    app.popOverrideCursor();
    EXPECT_EQ(backend.getCursorName(), "Pan");
    app.popOverrideCursor();
    EXPECT_EQ(backend.getCursorName(), "Default");
    EXPECT_EQ(TestSupport::failedAssertion([&] { app.popOverrideCursor(); }), "!_overrideCursors.empty()");
    EXPECT_TRUE(WsCursorRegistry::getCursor("Lasso").isNull());

    auto viewer = makeRC<TestViewer>();
    CbRegistration tooltips = viewer->addTooltipCb(makeRC<CbFunction<EvTooltipEvent&>>([](EvTooltipEvent& e) {
        if (e.getCoord().x < 100.0f) e.setTooltip("Blur1<br>Blur", {0.0f, 100.0f, 0.0f, 40.0f});
    }));
    EXPECT_EQ(app.requestTooltip(*viewer, {50.0f, 20.0f}), "Blur1<br>Blur");
    EXPECT_EQ(backend.getTooltipRect(), GeRectangle<float>(0.0f, 100.0f, 0.0f, 40.0f));
    EXPECT_EQ(app.requestTooltip(*viewer, {500.0f, 20.0f}), "") << "nothing on the background";
    EXPECT_TRUE(backend.getTooltipRect().isEmpty());
}

namespace {

struct Sink : DrSrcSink {
    std::vector<std::string> log;
    bool willConsumeSelection(const DrCarrier& c) override {
        log.push_back("hover " + std::to_string(int(c.getLocation().x)));
        return true;
    }
    bool consumeSelection(const DrCarrier& c) override {
        log.push_back("drop " + std::to_string(int(c.getLocation().x)) + "," + std::to_string(int(c.getLocation().y)));
        return true;
    }
    void operationCancelled() override { log.push_back("cancelled"); }
};

} // namespace

TEST_F(HeadlessTest, DropsReachTheSinkAtTheScenePointUnderThePointer) {
    auto viewer = makeRC<TestViewer>();
    viewer->getView().setUserZoom({2.0f, 2.0f});
    auto dnd = makeRC<UiDragAndDrop>(*viewer);
    auto sink = makeRC<Sink>();
    dnd->setSink(sink);
    viewer->setDragAndDrop(dnd);
    RCShdPtr<DrCarrier> carrier = DrCarrier::create();
    EXPECT_FALSE(app.dragMove(*viewer, carrier, {400.0f, 300.0f})) << "dropping is off";
    dnd->enableDrop(true);
    EXPECT_TRUE(app.dragMove(*viewer, carrier, {500.0f, 300.0f}));
    app.dragLeave();
    EXPECT_TRUE(app.drop(*viewer, carrier, {600.0f, 200.0f}));
    EXPECT_EQ(sink->log, (std::vector<std::string>{"hover 50", "cancelled", "drop 100,-50"}));
}

#include "platform/base/cbMethod.h"
#include "platform/base/exBase.h"
#include "platform/ui/uiLabel.h"
#include "platform/ui/uiMenu.h"
#include "platform/ui/uiResTable.h"
#include "platform/ui/uiTab.h"
#include "platform/ui/uiTextField.h"
#include "platform/ui/uiToggle.h"
#include "platform/ui/uiWidgetFactory.h"
#include "tests/support/toolkitSamples.h"

#include <gtest/gtest.h>

using namespace Zv;
using ToolkitSamples::find;

namespace {

std::string refusal(const char* text) {
    try {
        UiResTable::parse(text, "panel.xml");
    } catch (const ExBadInput& e) {
        return e.getMessage();
    }
    return "accepted";
}

} // namespace

TEST(WidgetFactory, BuildsTheShippedOptionsPageWithEveryWidgetFoundByName) {
    const UiResTable table = UiResTable::load(UiResTable::getResourcePath("schematicOptions.xml"));
    RCShdPtr<UiWidget> page = UiWidgetFactory::createWidget(table, "SchematicOptions");
    ASSERT_FALSE(page.isNull());
    for (const char* name : {"Highlight", "AutoCleanup", "AutoZoom", "LocateNode", "Navigator"}) {
        RCShdPtr<UiToggle> toggle = find<UiToggle>(page, name);
        ASSERT_FALSE(toggle.isNull()) << name;
        EXPECT_FALSE(toggle->getValue());
    }
    RCShdPtr<UiMenu> linkStyle = find<UiMenu>(page, "LinkStyle");
    ASSERT_FALSE(linkStyle.isNull());
    EXPECT_EQ(linkStyle->getItems(), (std::vector<LiString>{"Curved", "Angular", "Straight"}));
    EXPECT_EQ(linkStyle->getSelectedIndex(), 0);
    EXPECT_TRUE(page->findWidget("Missing").isNull());
    EXPECT_TRUE(UiWidgetFactory::createWidget(table, "Missing").isNull());
}

TEST(WidgetFactory, BuildsTabsLabelsTextFieldsAndNotifiesUserChangesOnly) {
    const UiResTable table = ToolkitSamples::editorPanel();
    RCShdPtr<UiWidget> editor = UiWidgetFactory::createWidget(table, "Editor");
    EXPECT_EQ(find<UiLabel>(editor, "Title")->getText(), "Name");
    RCShdPtr<UiTab> pages = find<UiTab>(editor, "Pages");
    EXPECT_EQ(pages->getPageTitles(), (std::vector<LiString>{"Time", "Kind"}));
    EXPECT_EQ(pages->getCurrentPage(), 0);
    EXPECT_FALSE(pages->getPage("Kind")->isDisplayed()) << "one page shows at a time";
    EXPECT_TRUE(find<UiToggle>(editor, "Loop")->getValue()) << "found through the tab";
    EXPECT_EQ(find<UiMenu>(editor, "Kind")->getSelectedIndex(), 1);

    RCShdPtr<UiTextField> field = find<UiTextField>(editor, "Field");
    int notices = 0;
    CbRegistration counting =
        field->addValueChangedCb(makeRC<CbFunction<UiTextField&>>([&](UiTextField&) { ++notices; }));
    field->setText("quiet", false);
    field->setText("typed", true);
    field->setText("typed", true);
    EXPECT_EQ(field->getText(), "typed");
    EXPECT_EQ(notices, 1);
}

TEST(WidgetFactory, AMalformedResourceIsRefusedWithOneMessageNamingFileAndLine) {
    EXPECT_EQ(refusal("<resources>\n<container name=\"P\">\n<slider name=\"S\"/></container></resources>"),
              "panel.xml:3: unknown widget <slider>");
    EXPECT_EQ(refusal("<resources>\n<toggle name=\"T\" colour=\"red\"/></resources>"),
              "panel.xml:2: unknown attribute \"colour\" on <toggle>");
    EXPECT_EQ(refusal("<resources><container name=\"P\"><label name=\"A\"/>\n<textField "
                      "name=\"A\"/></container></resources>"),
              "panel.xml:2: widget name \"A\" appears twice");
    EXPECT_EQ(refusal("<resources>\n\n<toggle name=\"T\" value=\"yes\"/></resources>"),
              "panel.xml:3: value \"yes\" is not 0, 1, true or false");
    EXPECT_EQ(refusal("<resources><menu name=\"M\" selected=\"2\"><item text=\"A\"/></menu></resources>"),
              "panel.xml:1: selected=\"2\" names no item of the menu");
    EXPECT_EQ(refusal("<resources><menu name=\"M\">\n<label name=\"L\"/></menu></resources>"),
              "panel.xml:2: a <menu> holds only <item text=\"...\"/>");
    EXPECT_EQ(refusal("<resources>\n<container name=\"P\">words</container></resources>"),
              "panel.xml:2: unexpected text in <container>");
    EXPECT_EQ(refusal("<resources>\n<label text=\"anonymous\"/></resources>"),
              "panel.xml:2: <label> at the top needs a name");
    EXPECT_EQ(refusal("<resources><label name=\"L\" title=\"Page\"/></resources>"),
              "panel.xml:1: unknown attribute \"title\" on <label>")
        << "titles belong to tab pages";
    EXPECT_EQ(refusal("<resources><label name=\"L\"/>\n<label name=\"L\"/></resources>"),
              "panel.xml:2: widget \"L\" appears twice");
}

TEST(WidgetFactory, AddedResourceInfoReplacesWhatItNamesAgain) {
    UiResTable table = UiResTable::parse(R"(<resources><class name="C"><text key="K" value="old"/></class>
        <label name="L" text="old"/></resources>)",
                                         "a.xml");
    table.addResTableInfo(UiResTable::parse(R"(<resources><class name="C"><text key="K" value="new"/></class>
        <label name="L" text="new"/><label name="M" text="added"/></resources>)",
                                            "b.xml"));
    EXPECT_EQ(*table.find<std::string>("C", "K"), "new");
    EXPECT_EQ(table.findWidget("L")->text, "new");
    EXPECT_EQ(table.findWidget("M")->text, "added");
}

#include "platform/base/fileUtil.h"
#include "platform/base/obHints.h"
#include "platform/base/obObserver.h"
#include "platform/base/xmlWriter.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/stgUserSettingsHint.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiView.h"
#include "platform/ui/uiWorkspaceLayout.h"
#include "tests/ui/uiTestSupport.h"

#include <cstdlib>
#include <filesystem>

using namespace Zv;
using namespace Zv::UiTest;

namespace {

// A configuration folder of its own under the test's temporary folder.
class Settings : public HeadlessTest {
protected:
    std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("zv-settings-" + std::to_string(::getpid()) + "-" +
                                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::string path(const char* name) const { return (folder / name).string(); }
    void write(const char* name, const std::string& text) const {
        std::filesystem::create_directories(folder);
        FileUtil::writeFileAtomically(path(name), text);
    }
    ~Settings() override { std::filesystem::remove_all(folder); }
};

struct KeyLog : ObObserver {
    std::vector<LiString> keys;
    void update(const ObHints& hints) override { keys.push_back(hints.pickHint<StgUserSettingsHint>()->getKey()); }
};

struct OptionsView : UiView {
    bool autoZoom = false;
    int linkStyle = 0;
    LiString getTypeName() const override { return "Schematic"; }
    void applySettings(const pugi::xml_node& settings) override {
        autoZoom = settings.child("AutoZoom").text().as_bool(false);
        linkStyle = settings.child("LinkStyle").text().as_int(0);
    }
    void writeSettings(XmlWriter& writer) const override {
        writer.startElement("Settings");
        writer.startElement("AutoZoom").text(autoZoom ? "1" : "0").endElement();
        writer.startElement("LinkStyle").text(std::to_string(linkStyle)).endElement();
        writer.endElement();
    }
};

} // namespace

TEST_F(Settings, TheConfigurationFolderFollowsXdgConfigHome) {
    const char* saved = std::getenv("XDG_CONFIG_HOME");
    const std::string kept = saved ? saved : "";
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    EXPECT_EQ(StgUserSettings::getDefaultPath(), path("schematic/settings.xml"));
    EXPECT_EQ(UiWorkspaceLayout::getDefaultPath(), path("schematic/workspace.xml"));
    if (saved) ::setenv("XDG_CONFIG_HOME", kept.c_str(), 1);
    else ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(Settings, ValuesAndBindingsRoundTripThroughAFolderMadeOnFirstSave) {
    StgUserSettings& settings = app.getUserSettings();
    KeyLog log;
    settings.attachObserver(&log);
    settings.load(path("new/settings.xml"));
    EXPECT_TRUE(backend.getMessages().empty()) << "a missing file is no error";
    settings.setBool("Schematic/AutoZoom", true);
    settings.setInt("ContextPoints", 4);
    settings.setNumber("PointerFocusDuration", 0.25);
    settings.setText("Font", "DejaVu Sans Mono");
    settings.setHotkeyBinding("Schematic", "Layout All", *UiKeyBinding::parse("Ctrl+K"));
    EXPECT_EQ(log.keys, (std::vector<LiString>{"", "Schematic/AutoZoom", "ContextPoints", "PointerFocusDuration",
                                               "Font", "Hotkeys"}));
    settings.save();
    settings.detachObserver(&log);

    app.loadUserSettings(path("new/settings.xml"));
    EXPECT_TRUE(settings.getBool("Schematic/AutoZoom", false));
    EXPECT_EQ(settings.getInt("ContextPoints", 0), 4);
    EXPECT_EQ(settings.getNumber("ContextPoints", 0.0), 4.0) << "an integer reads as a number";
    EXPECT_EQ(app.getPointerFocusDuration(), 0.25);
    EXPECT_EQ(settings.getText("Font", ""), "DejaVu Sans Mono");
    EXPECT_EQ(settings.getInt("Schematic/AutoZoom", 7), 7) << "a value of another type reads as the default";
    EXPECT_EQ(app.getHotkeyRegistry().toString(app.getHotkeyRegistry().getEntry("Schematic", "Layout All")), "Ctrl+K");
    EXPECT_TRUE(backend.getMessages().empty());
}

TEST_F(Settings, AMalformedFileGivesTheDefaultsAndOneWarning) {
    write("settings.xml", "<settings version=\"1\">\n  <bool key=\"Schematic/AutoZoom\" value=\"1\"/>\n"
                          "  <int key=\"ContextPoints\" value=\"four\"/>\n</settings>\n");
    StgUserSettings& settings = app.getUserSettings();
    settings.load(path("settings.xml"));
    EXPECT_FALSE(settings.getBool("Schematic/AutoZoom", false)) << "nothing of a bad file is kept";
    ASSERT_EQ(backend.getMessages().size(), 1u);
    EXPECT_EQ(backend.getMessages()[0].severity, MsgSeverity::Warning);
    EXPECT_EQ(backend.getMessages()[0].text, path("settings.xml") + ":3: value \"four\" is not an integer; the default "
                                                                    "settings are used");
    backend.takeMessages();
    for (const char* text :
         {"<settings><hotkey domain=\"Schematic\" name=\"Layout All\" key=\"Ctrl+\"/></settings>",
          "<settings><colour key=\"a\" value=\"b\"/></settings>", "<settings version=\"2\"/>",
          "<settings><bool key=\"a\" value=\"1\"/><bool key=\"a\" value=\"0\"/></settings>", "not xml"}) {
        write("settings.xml", text);
        settings.load(path("settings.xml"));
        EXPECT_EQ(backend.takeMessages().size(), 1u) << text;
    }
}

TEST_F(Settings, AViewsSettingsElementComesBackFromTheWorkspaceFile) {
    OptionsView view;
    view.autoZoom = true;
    view.linkStyle = 2;
    UiWorkspaceLayout layout;
    layout.load(path("workspace.xml"));
    layout.storeView("Schematic1", view);
    layout.storeView("Schematic1", view); // replaces, does not repeat
    layout.save();

    UiWorkspaceLayout reopened;
    reopened.load(path("workspace.xml"));
    OptionsView restored;
    EXPECT_TRUE(reopened.applyToView("Schematic1", restored));
    EXPECT_TRUE(restored.autoZoom);
    EXPECT_EQ(restored.linkStyle, 2);
    EXPECT_FALSE(reopened.applyToView("Schematic2", restored));
    EXPECT_TRUE(backend.getMessages().empty());

    write("workspace.xml", "<workspace>\n<view name=\"A\" type=\"Schematic\"><Settings/></view>\n"
                           "<view name=\"A\" type=\"Schematic\"><Settings/></view></workspace>");
    reopened.load(path("workspace.xml"));
    EXPECT_FALSE(reopened.getViewSettings("A")) << "a malformed layout is dropped whole";
    ASSERT_EQ(backend.getMessages().size(), 1u);
    EXPECT_EQ(backend.getMessages()[0].text, path("workspace.xml") + ":3: view \"A\" appears twice; the default "
                                                                     "workspace layout is used");
}

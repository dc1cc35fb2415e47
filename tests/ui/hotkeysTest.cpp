#include "platform/base/cbMethod.h"
#include "platform/base/exBase.h"
#include "platform/ui/evHotkeyEvent.h"
#include "platform/ui/stgUserSettings.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiKeyBinding.h"
#include "tests/support/failedAssertion.h"
#include "tests/ui/uiTestSupport.h"

#include <vector>

using namespace Zv;
using namespace Zv::UiTest;

namespace {

class Hotkeys : public HeadlessTest {
protected:
    UiHotkeyRegistry& registry = app.getHotkeyRegistry();
    RCShdPtr<TestViewer> viewer = makeRC<TestViewer>();
    std::vector<LiString> received; // entry names, as the viewer's hotkey callback gets them
    GePoint2<float> receivedAt;
    bool taking = true;
    CbRegistration registration = viewer->addHotkeyCb(makeRC<CbFunction<EvHotkeyEvent&>>([this](EvHotkeyEvent& e) {
        received.push_back(registry.getName(e.getEntry()));
        receivedAt = e.getCoord();
        if (taking) e.setProcessed();
    }));

    Hotkeys() { app.pointerMove(*viewer, {10.0f, 10.0f}); }
    void tap(std::initializer_list<EvKeyCode> keys) {
        for (EvKeyCode key : keys) app.keyPress(key);
        for (auto it = std::rbegin(keys); it != std::rend(keys); ++it) app.keyRelease(*it);
    }
};

} // namespace

TEST_F(Hotkeys, EntriesAreFoundByDomainAndNameWithTheirKeyTexts) {
    const int layoutAll = registry.getEntry(UiHotkeyRegistry::SchematicDomain, "Layout All");
    EXPECT_EQ(registry.findEntry(UiHotkeyRegistry::SchematicDomain, "Layout All"), layoutAll) << "ids are stable";
    EXPECT_EQ(registry.toString(layoutAll), "L");
    EXPECT_EQ(registry.toString(registry.getEntry(UiHotkeyRegistry::SchematicDomain, "Layout Selected")), "Shift+L");
    std::vector<LiString> shared;
    for (const char* name : {UiHotkeyRegistry::Cut, UiHotkeyRegistry::Copy, UiHotkeyRegistry::Paste,
                             UiHotkeyRegistry::Delete, UiHotkeyRegistry::Reset})
        shared.push_back(registry.toString(registry.getSharedEntry(name)));
    EXPECT_EQ(shared, (std::vector<LiString>{"Ctrl+X", "Ctrl+C", "Ctrl+V", "Del", "Ctrl+R"}));
    EXPECT_EQ(registry.findEntry(UiHotkeyRegistry::SchematicDomain, "Cut"), UiHotkeyRegistry::NoEntry);
    EXPECT_EQ(
        TestSupport::failedAssertion([&] { registry.getEntry(UiHotkeyRegistry::SchematicDomain, "No Such Entry"); }),
        "entry != NoEntry");
}

TEST_F(Hotkeys, AKeyPressBecomesTheHotkeyBoundToExactlyItsModifiers) {
    tap({EvKeyCode::A + 11});                     // 'l'
    tap({EvKeyCode::Shift, EvKeyCode::A + 11});   // Shift+L
    tap({EvKeyCode::Control, EvKeyCode::A + 11}); // nothing is bound to Ctrl+L
    tap({EvKeyCode::Control, EvKeyCode::Digit0 + 1});
    EXPECT_EQ(received, (std::vector<LiString>{"Layout All", "Layout Selected"}));

    // Held hotkeys: the cut line's key, alone or with more modifiers.
    const int disconnect = registry.getEntry(UiHotkeyRegistry::SchematicDomain, "Disconnect");
    app.keyPress(EvKeyCode::A + 24); // 'y'
    EXPECT_TRUE(registry.isHeld(disconnect, app.getKeyboardState()));
    app.keyPress(EvKeyCode::Alt);
    EXPECT_TRUE(registry.isHeld(disconnect, app.getKeyboardState()));
    app.keyRelease(EvKeyCode::A + 24);
    EXPECT_FALSE(registry.isHeld(disconnect, app.getKeyboardState()));
}

// A window runs its own shortcut for a key the view leaves, and the view's entries from its menus.
TEST_F(Hotkeys, KeyPressesTellWhetherTakenAndEntriesRunWithoutTheirKeys) {
    EXPECT_TRUE(app.keyPress(EvKeyCode::A + 11)); // 'l'
    app.keyRelease(EvKeyCode::A + 11);
    EXPECT_FALSE(app.keyPress(EvKeyCode::A + 10)) << "nothing is bound to K";
    app.keyRelease(EvKeyCode::A + 10);
    taking = false;
    EXPECT_FALSE(app.keyPress(EvKeyCode::A + 11)) << "bound, but the view left it";
    app.keyRelease(EvKeyCode::A + 11);

    const int selectAll = registry.getEntry(UiHotkeyRegistry::SchematicDomain, "Select All");
    EXPECT_FALSE(app.runHotkey(*viewer, selectAll));
    taking = true;
    EXPECT_TRUE(app.runHotkey(*viewer, selectAll));
    EXPECT_EQ(received.back(), "Select All");
    EXPECT_EQ(receivedAt, GePoint2<float>(10.0f, 10.0f)) << "at the pointer, as its key would be";
}

TEST_F(Hotkeys, UserSettingsRebindEntriesAndAnUnknownEntryKeepsTheShippedKeys) {
    StgUserSettings& settings = app.getUserSettings();
    settings.setHotkeyBinding(UiHotkeyRegistry::SchematicDomain, "Layout All", *UiKeyBinding::parse("ctrl+shift+k"));
    registry.applyUserBindings(settings);
    const int layoutAll = registry.getEntry(UiHotkeyRegistry::SchematicDomain, "Layout All");
    EXPECT_EQ(registry.toString(layoutAll), "Ctrl+Shift+K");
    tap({EvKeyCode::A + 11});
    tap({EvKeyCode::Control, EvKeyCode::Shift, EvKeyCode::A + 10});
    EXPECT_EQ(received, (std::vector<LiString>{"Layout All"})) << "the old key is free, the new one works";

    settings.setHotkeyBinding("Schematic", "Layout Everything", *UiKeyBinding::parse("F9"));
    registry.applyUserBindings(settings);
    EXPECT_EQ(registry.toString(layoutAll), "L") << "nothing of a bad set of bindings is applied";
    ASSERT_EQ(backend.getMessages().size(), 1u);
    EXPECT_NE(backend.getMessages()[0].text.str().find("no hotkey \"Layout Everything\""), std::string::npos);
}

TEST(KeyBindings, TextsReadBackAndMalformedOnesAreRefused) {
    for (const char* text : {"Ctrl+Shift+L", "Del", "F12", "Alt+PgDown", "Ctrl+Alt+Shift+Space", "code:200"}) {
        const std::optional<UiKeyBinding> binding = UiKeyBinding::parse(text);
        ASSERT_TRUE(binding.has_value()) << text;
        EXPECT_EQ(*UiKeyBinding::parse(binding->toString()), *binding) << text;
    }
    EXPECT_EQ(UiKeyBinding::parse("shift+ctrl+a")->toString(), "Ctrl+Shift+A");
    EXPECT_FALSE(UiKeyBinding::parse("")->isBound());
    for (const char* text : {"Ctrl+", "Hyper+A", "Shift", "A+B", "F13", "code:256"})
        EXPECT_FALSE(UiKeyBinding::parse(text).has_value()) << text;
    EXPECT_EQ(EvKeyCodes::fromName("1"), static_cast<EvKeyCode>(84)) << "context point 1's key";
    EXPECT_EQ(EvKeyCodes::getName(static_cast<EvKeyCode>(111)), "m");
}

TEST(HotkeyFiles, AMalformedFileNamesItsLineAndLeavesTheRegistryAsItWas) {
    UiHotkeyRegistry registry;
    registry.parseDefaults("<hotkeys><domain name=\"D\"><hotkey name=\"H\" key=\"H\"/></domain></hotkeys>", "keys.xml");
    auto message = [&](const char* text) {
        try {
            registry.parseDefaults(text, "keys.xml");
        } catch (const ExBadInput& e) {
            return e.getMessage();
        }
        return std::string("accepted");
    };
    EXPECT_EQ(message("<hotkeys>\n<domain name=\"D\">\n<hotkey name=\"A\" key=\"Ctrl+Q+Q\"/></domain></hotkeys>"),
              "keys.xml:3: \"Ctrl+Q+Q\" is not a key");
    EXPECT_EQ(message("<hotkeys><domain name=\"D\"><hotkey name=\"A\" key=\"A\"/>\n<hotkey name=\"A\" key=\"B\"/>"
                      "</domain></hotkeys>"),
              "keys.xml:2: hotkey \"A\" appears twice in domain \"D\"");
    EXPECT_EQ(message("<hotkeys>\n<hotkey name=\"A\" key=\"A\"/></hotkeys>"),
              "keys.xml:2: expected <domain name=\"...\">");
    EXPECT_EQ(message("<hotkeys><domain name=\"D\"><hotkey key=\"A\"/></domain></hotkeys>"),
              "keys.xml:1: <hotkey> has no name");
    EXPECT_EQ(registry.getNbEntries(), 1);
    EXPECT_EQ(registry.toString(registry.getEntry("D", "H")), "H");
}

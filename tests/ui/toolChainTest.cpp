#include "platform/base/cbMethod.h"
#include "platform/ui/evKeyEvent.h"
#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/mfChainOfResponsibilityToolset.h"
#include "platform/ui/mfEventPredicates.h"
#include "platform/ui/mfNavigateTool.h"
#include "platform/ui/mfSelectTool.h"
#include "platform/ui/vwUtils.h"
#include "platform/ui/wsCursorRegistry.h"
#include "tests/ui/uiTestSupport.h"

#include <string>
#include <vector>

using namespace Zv;
using namespace Zv::UiTest;

namespace {

// Logs every step of its manipulations; claims only presses in its half of the window.
class HalfTool : public MfTool {
public:
    HalfTool(std::string name, bool left, std::vector<std::string>& log)
        : _name(std::move(name)), _left(left), _log(log) {
        auto manipulator = makeRC<MfPlanarManip2D>();
        manipulator->setGraspPredicate(MfEventPredicates::either(MfEventPredicates::isButtonPress(EvButton::Left),
                                                                 MfEventPredicates::isButtonPress(EvButton::Middle)));
        manipulator->setCursor(WsCursorRegistry::getCursor(WsCursorRegistry::Pan));
        addManipulator(manipulator);
        setUndoString(_name);
    }
    bool handleEvent(EvEvent& event) override {
        auto* device = dynamic_cast<EvDeviceEvent*>(&event);
        if (!isManipulating() && (!device || (device->getCoord().x < 400.0f) != _left)) return false;
        return MfTool::handleEvent(event);
    }
    void initiateManipulation(EvDeviceEvent&) override { _log.push_back(_name + " initiate"); }
    void monitorManipulation(EvDeviceEvent& e) override {
        _log.push_back(_name + " monitor " + std::to_string(int(e.getCoord().x)));
    }
    void finalizeManipulation(EvDeviceEvent&) override { _log.push_back(_name + " finalize"); }
    bool handleFeedback(EvDeviceEvent&) override {
        _log.push_back(_name + " hover");
        return !_left;
    }

private:
    std::string _name;
    bool _left;
    std::vector<std::string>& _log;
};

struct UndoLog : MfUndoScope {
    std::vector<std::string>& log;
    explicit UndoLog(std::vector<std::string>& l, const LiString& name) : log(l) {
        log.push_back("open " + name.str());
    }
    ~UndoLog() override { log.push_back("close"); }
};

class ToolViewer : public TestViewer {
public:
    std::vector<std::string> log;
    std::unique_ptr<MfUndoScope> openUndoScope(const LiString& name) override {
        return std::make_unique<UndoLog>(log, name);
    }
};

// Picks the item named after the tenth of the window under the pointer ("i0" to "i9"), but
// nothing in the tenths 5 to 9; a band selects the tenths whose middle it covers, from right to left.
class TenthsSelectTool : public MfSelectTool {
public:
    TenthsSelectTool() : MfSelectTool(SelectMode::Multiple) {}
    RCShdPtr<SnSelection> getPickedSelection(EvDeviceEvent& e) override {
        const int tenth = static_cast<int>(e.getCoord().x / 80.0f);
        return SnSelection::create(tenth < 5 ? SnSelection::Items{item("i" + std::to_string(tenth))}
                                             : SnSelection::Items{});
    }
    RCShdPtr<SnSelection> getBandSelection(EvDeviceEvent&, const GeRectangle<float>& band) override {
        SnSelection::Items items;
        for (int tenth = 9; tenth >= 0; --tenth)
            if (band.xMin <= tenth * 80.0f + 40.0f && tenth * 80.0f + 40.0f < band.xMax)
                items.push_back(item("i" + std::to_string(tenth)));
        return SnSelection::create(items);
    }
};

class Tools : public HeadlessTest {
protected:
    RCShdPtr<ToolViewer> viewer = makeRC<ToolViewer>();
    RCShdPtr<MfChainOfResponsibilityToolset> toolset = makeRC<MfChainOfResponsibilityToolset>(*viewer);
    std::vector<std::string>& log = viewer->log;

    Tools() { viewer->setToolset(toolset); }
    void press(float x, EvButton button = EvButton::Left) { app.pointerPress(*viewer, {x, 300.0f}, button); }
    void move(float x) { app.pointerMove(*viewer, {x, 300.0f}); }
    void release(float x, EvButton button = EvButton::Left) { app.pointerRelease(*viewer, {x, 300.0f}, button); }
    std::string selection() const { return names(*viewer->getSelection()); }
};

} // namespace

TEST_F(Tools, FirstToolThatClaimsTakesTheWholeGestureInItsUndoGroup) {
    toolset->appendTool("Left", makeRC<HalfTool>("Left", true, log));
    toolset->appendTool("Right", makeRC<HalfTool>("Right", false, log));
    press(700.0f);
    EXPECT_EQ(toolset->getCurrentToolName(), "Right");
    EXPECT_EQ(backend.getCursorName(), "Pan") << "the manipulator's cursor while it is grasped";
    move(300.0f); // into the first tool's half: the gesture stays, even a press the first tool would take
    press(300.0f, EvButton::Middle);
    release(300.0f, EvButton::Middle);
    move(200.0f);
    release(200.0f);
    EXPECT_EQ(log, (std::vector<std::string>{"open Right", "Right initiate", "Right monitor 300", "Right monitor 200",
                                             "Right finalize", "close"}));
    EXPECT_EQ(backend.getCursorName(), "Default");

    log.clear();
    press(100.0f);
    release(100.0f);
    EXPECT_EQ(toolset->getCurrentToolName(), "Left");
    // Motion outside a gesture is feedback, offered in order until a tool handles it.
    move(10.0f);
    EXPECT_EQ(log, (std::vector<std::string>{"open Left", "Left initiate", "Left finalize", "close", "Left hover",
                                             "Right hover"}));

    toolset->removeTool("Left");
    EXPECT_TRUE(toolset->getCurrentTool().isNull());
    log.clear();
    press(100.0f);
    EXPECT_TRUE(log.empty()) << "nobody claims the left half any more";
}

TEST_F(Tools, SelectToolAppliesClicksAndBandsWithTheSelectionModifiers) {
    std::vector<std::string> later;
    toolset->appendTool("Select", makeRC<TenthsSelectTool>());
    toolset->appendTool("Next", makeRC<HalfTool>("Next", true, later));

    press(100.0f); // on i1: selected, and the press goes on to the next tool
    release(100.0f);
    EXPECT_EQ(selection(), "i1");
    EXPECT_EQ(later.front(), "Next initiate");

    app.keyPress(EvKeyCode::Shift);
    press(250.0f); // union
    release(250.0f);
    EXPECT_EQ(selection(), "i1 i3");
    app.keyRelease(EvKeyCode::Shift);

    int changes = 0;
    CbRegistration counting = viewer->getSelection()->addChangedCb(
        makeRC<CbFunction<const SnSelection&>>([&](const SnSelection&) { ++changes; }));
    press(100.0f); // already selected, no modifier: kept, so both can be dragged
    release(100.0f);
    EXPECT_EQ(selection(), "i1 i3");
    EXPECT_EQ(changes, 0);

    app.keyPress(EvKeyCode::Control);
    press(100.0f); // xor takes it out, and puts another in
    release(100.0f);
    press(20.0f);
    release(20.0f);
    EXPECT_EQ(selection(), "i3 i0");
    app.keyRelease(EvKeyCode::Control);

    // A band from the empty right part back over tenths 2 to 6 replaces the selection once.
    changes = 0;
    press(540.0f);
    EXPECT_EQ(toolset->getCurrentToolName(), "Select");
    move(300.0f);
    move(170.0f);
    release(170.0f);
    EXPECT_EQ(selection(), "i6 i5 i4 i3 i2");
    EXPECT_EQ(changes, 1);

    // The same items in another order are the same selection: a band over them changes nothing.
    press(700.0f); // a click on nothing clears
    release(700.0f);
    EXPECT_EQ(selection(), "");
    app.keyPress(EvKeyCode::Shift);
    for (float x : {170.0f, 250.0f, 330.0f}) {
        press(x);
        release(x);
    }
    app.keyRelease(EvKeyCode::Shift);
    EXPECT_EQ(selection(), "i2 i3 i4");
    changes = 0;
    press(420.0f);
    move(170.0f);
    release(170.0f);
    EXPECT_EQ(selection(), "i2 i3 i4");
    EXPECT_EQ(changes, 0);
}

TEST_F(Tools, BandCornerFollowsTheSceneWhenTheViewPansUnderIt) {
    auto select = makeRC<TenthsSelectTool>();
    toolset->appendTool("Select", select);
    press(600.0f);
    move(700.0f);
    const GeRectangle<float> before = select->getDragManip().getBand(viewer->getView());
    EXPECT_EQ(before, GeRectangle<float>(600.0f, 700.0f, 300.0f, 300.0f));
    // The view pans 50 pixels left; the scene point of the press follows it.
    viewer->getView().setUserPan({-50.0f, 0.0f});
    EXPECT_EQ(select->getDragManip().getBand(viewer->getView()).xMin, 550.0f);
    select->getDragManip().offsetFirstCorner({-20.0f, 0.0f});
    EXPECT_EQ(select->getDragManip().getBand(viewer->getView()).xMin, 530.0f);
}

TEST_F(Tools, NavigateToolPansWithTheMiddleButtonAndZoomsAboutThePointer) {
    toolset->appendTool("Navigate",
                        makeRC<MfNavigateTool>(MfNavigateTool::PanMode::MiddleDrag, MfNavigateTool::ZoomMode::Wheel));
    viewer->getView().setUserZoom({2.0f, 2.0f});
    const GePoint2<float> grabbed = VwUtils::windowToWorldOrtho(viewer->getView(), {100.0f, 300.0f});
    press(100.0f, EvButton::Middle);
    EXPECT_EQ(backend.getCursorName(), "Pan");
    move(130.0f);
    move(160.0f);
    release(160.0f, EvButton::Middle);
    const GePoint2<float> now = VwUtils::windowToWorldOrtho(viewer->getView(), {160.0f, 300.0f});
    EXPECT_NEAR(now.x, grabbed.x, 1e-3f) << "the scene point follows the pointer";

    const GePoint2<float> pointer(620.0f, 410.0f);
    const GePoint2<float> under = VwUtils::windowToWorldOrtho(viewer->getView(), pointer);
    app.wheel(*viewer, pointer, 2.0f);
    EXPECT_FLOAT_EQ(viewer->getView().getUserZoom().x, 2.0f * 1.25f * 1.25f);
    const GePoint2<float> after = VwUtils::windowToWorldOrtho(viewer->getView(), pointer);
    EXPECT_NEAR(after.x, under.x, 1e-3f);
    EXPECT_NEAR(after.y, under.y, 1e-3f);

    // At the zoom limit the point still stays put.
    viewer->getView().getViewingLimits().setUserZoomXMax(3.5f);
    viewer->getView().getViewingLimits().setUserZoomYMax(3.5f);
    app.wheel(*viewer, pointer, 5.0f);
    EXPECT_FLOAT_EQ(viewer->getView().getUserZoom().x, 3.5f);
    EXPECT_NEAR(VwUtils::windowToWorldOrtho(viewer->getView(), pointer).x, under.x, 1e-3f);
}

TEST(EventPredicates, ModifierMasksNeedEveryModifierAndOnlyDeviceEventsPass) {
    EvKeyboardState keys;
    keys.setKeyDown(EvKeyCode::Shift, true);
    keys.setKeyDown(EvKeyCode::A + 10, true); // 'k'
    EvKeyEvent event({0.0f, 0.0f}, keys, 0, EvKeyCode::A + 10, true);
    EXPECT_TRUE(MfEventPredicates::isKeyModifierOn(EvModifier::Shift)->evaluate(event));
    EXPECT_FALSE(MfEventPredicates::isKeyModifierOn(EvModifier::Shift | EvModifier::Ctrl)->evaluate(event));
    EXPECT_TRUE(MfEventPredicates::isKeyDown(static_cast<EvKeyCode>(109))->evaluate(event));
    EXPECT_TRUE(MfEventPredicates::isSelectionUnion()->evaluate(event));
    EXPECT_FALSE(MfEventPredicates::isSelectionXor()->evaluate(event));
    EXPECT_FALSE(MfEventPredicates::isPointerMove()->evaluate(event));
    EXPECT_TRUE(MfEventPredicates::negate(MfEventPredicates::isPointerMove())->evaluate(event));
    EvEvent plain;
    EXPECT_FALSE(MfEventPredicates::isKeyModifierOn(EvModifier::None)->evaluate(plain));
}

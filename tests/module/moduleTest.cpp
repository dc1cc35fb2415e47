// The view module's life in a host: start-up registers, shut-down takes everything back, and the
// viewer a view factory makes. Module statics live once per process, so each case runs in a child
// process of its own.
#include "views/schematic/src/scNodeFactory.h"
#include "views/schematic/src/scViewer.h"
#include "views/schematic/src/schematicZvviewInit.h"
#include "views/schematic/src/svDisplayActions.h"

#include "platform/base/exBase.h"
#include "platform/base/inBuildInfoUtil.h"
#include "platform/base/inPackageManager.h"
#include "platform/graph/piAppThread.h"
#include "platform/graph/piCompositionFile.h"
#include "platform/graph/snSelection.h"
#include "platform/graph/uiComposition.h"
#include "platform/graph/uiCompositionClient.h"
#include "platform/ui/actRegistry.h"
#include "platform/ui/evHotkeyEvent.h"
#include "platform/ui/uiApplication.h"
#include "platform/ui/uiContainer.h"
#include "platform/ui/uiHeadlessBackend.h"
#include "platform/ui/uiHotkeyRegistry.h"
#include "platform/ui/uiView.h"
#include "platform/ui/uiViewFactory.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace Zv {
namespace {

// A headless host with the module started for the case's duration.
struct Host {
    UiHeadlessBackend backend;
    UiApplication app{backend};

    explicit Host(int nbContextPoints) {
        PiAppThread::claim();
        SchematicZvviewInit::getPackage();
        UiCompositionClient::setNbContextPoints(nbContextPoints);
        InPackageManager::startAll();
    }
    // Nothing is left to shut down when the case did it already.
    ~Host() { InPackageManager::shutDownAll(); }
};

int countContextPointActions() {
    int count = 0;
    for (ActAction* action : SvDisplayActions::getRegistered())
        count += SvDisplayActions::isContextPointAction(*action);
    return count;
}

// Runs a case in a child process; a failed expectation there fails the case here.
void inChild(void (*body)()) {
    EXPECT_EXIT(
        {
            body();
            std::exit(::testing::Test::HasFailure() ? 1 : 0);
        },
        ::testing::ExitedWithCode(0), "");
}

void shutDownTakesBackEveryActionTheFactoryAndTheSingletonsCase() {
    Host host(4);
    EXPECT_NE(UiViewFactory::findViewFactory("Schematic"), nullptr);
    EXPECT_NE(InBuildInfoUtil::findInfo("libZvschematicZvview"), nullptr);
    EXPECT_EQ(countContextPointActions(), 4);
    EXPECT_GT(host.app.getActRegistry().getNbActions(), 4);
    InPackageManager::shutDownAll();
    EXPECT_EQ(host.app.getActRegistry().getNbActions(), 0);
    EXPECT_EQ(UiViewFactory::findViewFactory("Schematic"), nullptr);
    EXPECT_EQ(ScNodeFactory::getState(), ScNodeFactory::DESTROYED);
}

TEST(ModuleTest, ShutDownTakesBackEveryActionTheFactoryAndTheSingletons) {
    inChild(&shutDownTakesBackEveryActionTheFactoryAndTheSingletonsCase);
}

void noContextPointActionWithoutContextPointsCase() {
    Host host(0);
    EXPECT_EQ(countContextPointActions(), 0);
    EXPECT_FALSE(SvDisplayActions::getRegistered().empty());
}

TEST(ModuleTest, NoContextPointActionWithoutContextPoints) {
    inChild(&noContextPointActionWithoutContextPointsCase);
}

// The viewer of a view made with no parent container, in a new unnamed one.
ScViewer& makeViewer(UiComposition& composition, RCShdPtr<UiWidget>& top) {
    top = UiViewFactory::findViewFactory("Schematic")->createView({}, &composition, {});
    EXPECT_EQ(top->getName(), "");
    UiView* view = UiViewFactory::findView(*top);
    EXPECT_NE(view, nullptr);
    auto* viewer = dynamic_cast<ScViewer*>(view->getDrawArea());
    EXPECT_NE(viewer, nullptr);
    viewer->setWindowSize(800, 600);
    return *viewer;
}

void autoPanStepsStayWithinTheirCapsCase() {
    Host host(4);
    UiComposition composition;
    composition.setGraph(PiCompositionFile::load(std::string(ZV_RESOURCES_DIR) + "/samples/default.xml"));
    RCShdPtr<UiWidget> top;
    ScViewer& viewer = makeViewer(composition, top);
    // Window pixels the view moved for one step; at zoom 1 scene units are pixels.
    auto step = [&](int flags, int count) { return viewer.autoPanStep(flags, count); };
    viewer.setUserZoom({1.0f, 1.0f});
    EXPECT_EQ(step(1, 3).x, 3.0f) << "the view follows a pointer near the right side";
    EXPECT_EQ(step(8, 3).y, 3.0f) << "and near the top";
    EXPECT_EQ(step(2 + 4, 40), GeVector2<float>(-15.0f, -15.0f)) << "the step is at most 15 pixels";
    host.app.keyPress(EvKeyCode::Control);
    EXPECT_EQ(step(1, 1000).x, 75.0f) << "the fast key makes it five times as long, 75 at most";
    host.app.keyRelease(EvKeyCode::Control);
    host.app.keyPress(EvKeyCode::Alt);
    EXPECT_EQ(step(1, 12).x, 5.0f) << "the slow key keeps it to 5";
    host.app.keyRelease(EvKeyCode::Alt);
    viewer.setUserZoom({0.5f, 0.5f});
    EXPECT_EQ(step(1, 40).x, 90.0f) << "zoomed out, 15 × 1.5 / 0.5 pixels are 45 at that zoom, 90 scene units";
    top.reset();
}

TEST(ModuleTest, AutoPanStepsStayWithinTheirCaps) {
    inChild(&autoPanStepsStayWithinTheirCapsCase);
}

void aColourPastTheTableGrowsItWithBlackCase() {
    Host host(4);
    UiComposition composition;
    RCShdPtr<UiWidget> top;
    ScViewer& viewer = makeViewer(composition, top);
    const size_t filled = viewer.getColorTable().size();
    const UiResColor red{1.0f, 0.0f, 0.0f};
    viewer.setColor(static_cast<int>(filled) + 5, red);
    ASSERT_EQ(viewer.getColorTable().size(), filled + 6);
    for (size_t id = filled; id < filled + 5; ++id)
        EXPECT_EQ(viewer.getColorTable()[id], (UiResColor{0.0f, 0.0f, 0.0f})) << "id " << id;
    EXPECT_EQ(viewer.getColorTable().back(), red);
    try {
        viewer.setColor(-1, red);
        ADD_FAILURE() << "a negative id is refused";
    } catch (const ExAssertionFailed& ex) {
        EXPECT_EQ(ex.getExpression(), "id >= 0");
    }
    top.reset();
}

TEST(ModuleTest, AColourPastTheTableGrowsItWithBlack) {
    inChild(&aColourPastTheTableGrowsItWithBlackCase);
}

// Someone before the view took the event: the view leaves it alone.
void aHotkeyEventAlreadyProcessedChangesNothingCase() {
    Host host(4);
    UiComposition composition;
    composition.setGraph(PiCompositionFile::load(std::string(ZV_RESOURCES_DIR) + "/samples/default.xml"));
    RCShdPtr<UiWidget> top;
    ScViewer& viewer = makeViewer(composition, top);
    const int selectAll = host.app.getHotkeyRegistry().getEntry(UiHotkeyRegistry::SchematicDomain, "Select All");
    EvHotkeyEvent taken({10.0f, 10.0f}, host.app.getKeyboardState(), 0, selectAll);
    taken.setProcessed();
    viewer.handleEvent(taken);
    EXPECT_EQ(composition.getSelection()->getNbItems(), 0);
    EvHotkeyEvent fresh({10.0f, 10.0f}, host.app.getKeyboardState(), 0, selectAll);
    viewer.handleEvent(fresh);
    EXPECT_TRUE(fresh.isProcessed());
    EXPECT_EQ(composition.getSelection()->getNbItems(), 8);
    top.reset();
}

TEST(ModuleTest, AHotkeyEventAlreadyProcessedChangesNothing) {
    inChild(&aHotkeyEventAlreadyProcessedChangesNothingCase);
}

} // namespace
} // namespace Zv

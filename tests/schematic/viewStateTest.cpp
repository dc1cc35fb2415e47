#include "tests/support/viewSingletons.h"
#include "views/schematic/src/svBrowserGraph.h"
#include "views/schematic/src/svHeadlessDisplay.h"

#include "platform/graph/uiComposition.h"

#include <gtest/gtest.h>

using namespace Zv;

// Compositions often share a name ("Comp 1", a copy of a file): each keeps its own zoom and pan.
TEST(ViewState, SameNamedCompositionsKeepTheirOwnZoomAndPan) {
    TestSupport::setUpView();
    UiComposition composition;
    SvHeadlessDisplay display{ScOrientation::Right, false};
    RCStrongPtr<SvBrowserGraph> browser(new SvBrowserGraph(composition, &display));
    RCStrongPtr<PiGraph> first = PiGraph::create("Comp"), second = PiGraph::create("Comp");

    composition.setGraph(first);
    display.setUserZoomPan({2.0f, 10.0f, 20.0f});
    const int resets = display.getNbZoomPanResets();
    composition.setGraph(second);
    EXPECT_EQ(display.getNbZoomPanResets(), resets + 1) << "a composition never shown starts from the reset view";
    display.setUserZoomPan({0.5f, -3.0f, 4.0f});

    composition.setGraph(first);
    EXPECT_FLOAT_EQ(display.getUserZoomPan().zoom, 2.0f);
    EXPECT_FLOAT_EQ(display.getUserZoomPan().panX, 10.0f);
    composition.setGraph(second);
    EXPECT_FLOAT_EQ(display.getUserZoomPan().zoom, 0.5f);
    browser.reset();
}

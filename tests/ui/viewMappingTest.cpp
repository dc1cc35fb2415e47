#include "platform/ui/uiMiniViewer2D.h"
#include "platform/ui/uiMiniViewerSource.h"
#include "platform/ui/uiPopupMenu.h"
#include "platform/ui/vwUtils.h"
#include "platform/ui/vwView.h"
#include "tests/ui/uiTestSupport.h"

#include <array>
#include <tuple>

using namespace Zv;
using namespace Zv::UiTest;

namespace {

VwView makeView(int width, int height, GeVector2<float> zoom, GeVector2<float> pan) {
    VwView view;
    view.setWindowSize(width, height);
    view.setUserZoom(zoom);
    view.setUserPan(pan);
    return view;
}

const std::array kViews{makeView(800, 600, {1.0f, 1.0f}, {0.0f, 0.0f}),
                        makeView(1280, 800, {0.25f, 0.25f}, {-300.0f, 120.0f}),
                        makeView(333, 101, {1.5f, 0.7f}, {12.5f, -40.0f})};
const std::array kPoints{GePoint2<float>(0.0f, 0.0f), GePoint2<float>(417.0f, -93.5f),
                         GePoint2<float>(-2000.0f, 5000.0f)};

} // namespace

TEST(ViewMapping, WindowAndWorldRoundTripAndAgreeWithTheProjection) {
    for (const VwView& view : kViews) {
        for (const GePoint2<float>& world : kPoints) {
            const GePoint2<float> window = VwUtils::worldToWindow(view, world);
            const GePoint2<float> back = VwUtils::windowToWorldOrtho(view, window);
            EXPECT_NEAR(back.x, world.x, 1e-3f);
            EXPECT_NEAR(back.y, world.y, 1e-3f);
            // What GL draws at the point lands on the same pixel.
            const std::array<float, 16> m = VwUtils::computeProjectionMatrix(view);
            const float ndcX = m[0] * world.x + m[4] * world.y + m[12];
            const float ndcY = m[1] * world.x + m[5] * world.y + m[13];
            EXPECT_NEAR((ndcX + 1.0f) * 0.5f * view.getWidth(), window.x, 1e-2f);
            EXPECT_NEAR((ndcY + 1.0f) * 0.5f * view.getHeight(), window.y, 1e-2f);
        }
        // The window's centre shows the scene point -pan; the window rectangle maps as a whole.
        const GePoint2<float> centre =
            VwUtils::windowToWorldOrtho(view, {view.getWidth() * 0.5f, view.getHeight() * 0.5f});
        EXPECT_NEAR(centre.x, -view.getUserPan().x, 1e-3f);
        EXPECT_NEAR(centre.y, -view.getUserPan().y, 1e-3f);
        const GeRectangle<float> visible = VwUtils::windowToWorldOrtho(view, view.getWindowRect());
        EXPECT_NEAR(visible.getWidth(), view.getWidth() / view.getUserZoom().x, 1e-2f);
        EXPECT_NEAR(visible.getHeight(), view.getHeight() / view.getUserZoom().y, 1e-2f);
    }
}

TEST(ViewMapping, PanAroundZoomLocationKeepsThePointUnderThePointer) {
    for (VwView view : kViews) {
        for (const GePoint2<float> pointer : {GePoint2<float>(10.0f, 20.0f), GePoint2<float>(300.0f, 95.0f)}) {
            const GePoint2<float> before = VwUtils::windowToWorldOrtho(view, pointer);
            const GeVector2<float> zoom = view.getUserZoom() * 2.5f;
            view.setUserPan(VwUtils::computePanAroundZoomLocation(view, pointer, zoom));
            view.setUserZoom(zoom);
            const GePoint2<float> after = VwUtils::windowToWorldOrtho(view, pointer);
            EXPECT_NEAR(after.x, before.x, 1e-2f);
            EXPECT_NEAR(after.y, before.y, 1e-2f);
        }
    }
}

TEST(ViewMapping, ZoomStaysWithinTheViewingLimits) {
    VwView view;
    view.getViewingLimits().setUserZoomXMax(1.5f);
    view.getViewingLimits().setUserZoomYMax(1.5f);
    view.setUserZoom({4.0f, 0.5f});
    EXPECT_EQ(view.getUserZoom(), GeVector2<float>(1.5f, 0.5f));
    view.setUserZoom({0.0f, 0.0f});
    EXPECT_GT(view.getUserZoom().x, 0.0f) << "a zoom of zero would map everything to one pixel";
}

TEST_F(HeadlessTest, ZoomToFitCentresTheSceneBelowTheRectangleZoomLimit) {
    auto viewer = makeRC<TestViewer>(GeRectangle<float>(100.0f, 1700.0f, -50.0f, 350.0f));
    viewer->zoomToFit();
    const VwView& view = viewer->getView();
    const float expected = (800.0f - 2 * UiViewer2D::FitMargin) / 1600.0f;
    EXPECT_FLOAT_EQ(view.getUserZoom().x, expected);
    EXPECT_FLOAT_EQ(view.getUserZoom().y, expected);
    EXPECT_EQ(VwUtils::worldToWindow(view, {900.0f, 150.0f}), GePoint2<float>(400.0f, 300.0f));
    EXPECT_GE(backend.getNbRepaintRequests(), 1);

    // A small scene is not blown up past the limit; an empty one leaves the view alone.
    viewer->getView().getViewingLimits().setUserRectZoomXMax(1.0f);
    viewer->getView().getViewingLimits().setUserRectZoomYMax(1.0f);
    viewer->setScene({0.0f, 10.0f, 0.0f, 10.0f});
    viewer->zoomToFit();
    EXPECT_FLOAT_EQ(viewer->getView().getUserZoom().x, 1.0f);
    viewer->setScene({});
    viewer->getView().setUserPan({7.0f, 7.0f});
    viewer->zoomToFit();
    EXPECT_EQ(viewer->getView().getUserPan(), GeVector2<float>(7.0f, 7.0f));
}

TEST_F(HeadlessTest, StoredLayoutsComeBackFromTheMenuAndTheirHotkeys) {
    auto viewer = makeRC<TestViewer>();
    viewer->getView().setUserZoom({0.5f, 0.5f});
    viewer->getView().setUserPan({10.0f, -20.0f});
    viewer->setLayout(1);
    viewer->resetUserZoomPan();

    UiPopupMenu menu;
    viewer->buildLayoutMenu(menu);
    EXPECT_FALSE(menu.findEntry("Layouts/Layout 1")->enabled) << "nothing stored in slot 0";
    EXPECT_TRUE(menu.findEntry("Layouts/Layout 2")->enabled);
    EXPECT_EQ(menu.findEntry("Layouts/Layout 2")->shortcut, "F2");
    EXPECT_EQ(menu.findEntry("Layouts/Store Layout 2")->shortcut, "Ctrl+F2");
    menu.choose("Layouts/Layout 2");
    EXPECT_EQ(viewer->getView().getUserZoom(), GeVector2<float>(0.5f, 0.5f));
    EXPECT_EQ(viewer->getView().getUserPan(), GeVector2<float>(10.0f, -20.0f));

    // Hotkeys of the viewer domain: Home resets, F1 recalls nothing yet, Ctrl+F1 stores.
    app.pointerMove(*viewer, {5.0f, 5.0f});
    app.keyPress(EvKeyCode::Home);
    EXPECT_EQ(viewer->getView().getUserZoom(), GeVector2<float>(1.0f, 1.0f));
    EXPECT_EQ(UiViewer::getResetDisplayString(), "Home");
    app.keyRelease(EvKeyCode::Home);
    viewer->getView().setUserPan({3.0f, 3.0f});
    app.keyPress(EvKeyCode::F1);
    EXPECT_EQ(viewer->getView().getUserPan(), GeVector2<float>(3.0f, 3.0f));
    app.keyRelease(EvKeyCode::F1);
    app.keyPress(EvKeyCode::Control);
    app.keyPress(EvKeyCode::F1);
    EXPECT_TRUE(viewer->getLayout(0).stored);
    menu.choose("Layouts/Delete Layout 2");
    EXPECT_FALSE(viewer->getLayout(1).stored);
}

namespace {

struct Source : UiMiniViewerSource {
    GePoint2<float> centred{-1.0f, -1.0f};
    int drawn = 0;
    void drawNavigatorScene(UiMiniViewer2D&) override { ++drawn; }
    void panFromNavigator(const GePoint2<float>& world) override { centred = world; }
    GeRectangle<float> getMainVisibleRect() const override { return {0.0f, 100.0f, 0.0f, 50.0f}; }
};

} // namespace

TEST_F(HeadlessTest, NavigatorSitsInItsConstraintAndPansTheMainView) {
    using C = UiConstraint;
    auto viewer = makeRC<TestViewer>();
    auto navigator = UiMiniViewer2D::create(*viewer, "UiMiniViewer2D");
    navigator->setConstraint(
        C({0.5f, 15.0f, 15.0f, -0.5f}, {C::Type::Fraction, C::Type::Pixels, C::Type::Pixels, C::Type::Proportional},
          {C::Target::ParentStart, C::Target::ParentEnd, C::Target::ParentEnd, C::Target::Opposite}));
    EXPECT_EQ(navigator->getGeometry(), GeRectangle<int>(400, 785, 393, 585)) << "top right, half as high as wide";
    viewer->setWindowSize(1000, 600);
    EXPECT_EQ(navigator->getGeometry(), GeRectangle<int>(500, 985, 343, 585)) << "follows the window";

    Source source;
    navigator->setSource(&source);
    navigator->frame({0.0f, 475.0f, 0.0f, 100.0f});
    EXPECT_FLOAT_EQ(navigator->getView().getUserZoom().x, 1.0f) << "(485 - 10) / 475";

    // Presses inside the navigator go to it, with points in its own pixels.
    app.pointerPress(*viewer, {500.0f + 242.5f, 343.0f + 121.0f}, EvButton::Left);
    EXPECT_NEAR(source.centred.x, 237.5f, 1e-3f);
    EXPECT_NEAR(source.centred.y, 50.0f, 1e-3f);
    app.pointerRelease(*viewer, {0.0f, 0.0f}, EvButton::Left);

    backend.setPainting(true);
    viewer->markForUpdate();
    backend.processPending();
    EXPECT_EQ(source.drawn, 1) << "the window paints the navigator inside it";
    navigator->display(false);
    backend.processPending();
    EXPECT_EQ(source.drawn, 1);
}

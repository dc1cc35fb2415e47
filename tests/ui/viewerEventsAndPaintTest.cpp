#include "platform/base/cbMethod.h"
#include "platform/graph/snItemBasic.h"
#include "platform/ui/actRegistry.h"
#include "platform/ui/drCarrier.h"
#include "platform/ui/evPointerButtonEvent.h"
#include "platform/ui/mfChainOfResponsibilityToolset.h"
#include "platform/ui/uiColorRegistry.h"
#include "platform/ui/uiDragAndDrop.h"
#include "platform/ui/uiView.h"
#include "tests/support/glRecorder.h"
#include "tests/ui/uiTestSupport.h"

#include <GL/gl.h>

#include <algorithm>

using namespace Zv;
using namespace Zv::UiTest;

namespace {

// Draws one square at the scene's origin and a banner along the bottom.
class PaintedViewer : public TestViewer {
protected:
    void drawScene() override { glRectf(0.0f, 0.0f, 10.0f, 10.0f); }
    void drawInfoBanner() override { drawInfo("3 nodes", {4.0f, 796.0f, 4.0f, 28.0f}); }
};

struct FeedbackTool : MfTool {
    void draw(MfViewer&) override { glRectf(1.0f, 1.0f, 2.0f, 2.0f); }
};

std::vector<std::string> callsNamed(std::initializer_list<const char*> wanted) {
    std::vector<std::string> kept;
    for (const std::string& call : GlRecorder::getCalls())
        if (std::find(wanted.begin(), wanted.end(), call) != wanted.end()) kept.push_back(call);
    return kept;
}

} // namespace

TEST_F(HeadlessTest, AViewerPaintsBackgroundSceneFeedbackThenTheBannerInWindowPixels) {
    auto viewer = makeRC<PaintedViewer>();
    auto toolset = makeRC<MfChainOfResponsibilityToolset>(*viewer);
    toolset->appendTool("Feedback", makeRC<FeedbackTool>());
    viewer->setToolset(toolset);
    backend.setPainting(true);
    GlRecorder::reset();
    viewer->markForUpdate();
    viewer->markRegionForRedraw({0.0f, 5.0f, 0.0f, 5.0f});
    backend.processPending();
    EXPECT_EQ(callsNamed({"glViewport", "glLoadMatrixf", "glClear", "glRectf", "glOrtho"}),
              (std::vector<std::string>{"glViewport", "glLoadMatrixf", "glClear", "glRectf", "glRectf", "glOrtho",
                                        "glRectf"}))
        << "painted once for both requests: projection, background, scene, feedback, banner";
    const std::vector<GlRecorder::Primitive>& rects = GlRecorder::getPrimitives();
    ASSERT_GE(rects.size(), 3u);
    EXPECT_EQ(rects[2].vertices[2].x, 796.0f) << "the banner is in window pixels";
    const UiResColor infoRect = UiColorRegistry::getColor(UiColorRegistry::Grey60);
    EXPECT_FLOAT_EQ(rects[2].vertices[0].color.r, infoRect.r);
    EXPECT_FLOAT_EQ(rects[2].vertices[0].color.a, 0.85f);
    EXPECT_GT(rects.size(), 3u) << "the banner's text follows";
}

TEST_F(HeadlessTest, ArmCallbacksSeeEveryPressBeforeTheToolsAndMayKeepIt) {
    auto viewer = makeRC<TestViewer>();
    std::vector<std::string> armed;
    CbRegistration arm = viewer->addArmCb(makeRC<CbFunction<EvPointerButtonEvent&>>([&](EvPointerButtonEvent& e) {
        armed.push_back(std::to_string(static_cast<int>(e.getTriggerButton())) + (e.isDoubleClick() ? " double" : "") +
                        " held " + std::to_string(e.getButtonsHeld()));
        if (e.isDoubleClick()) e.setProcessed();
    }));
    int toolPresses = 0;
    struct CountingTool : MfTool {
        int& presses;
        explicit CountingTool(int& p) : presses(p) {}
        bool handleEvent(EvEvent& e) override {
            presses += dynamic_cast<EvPointerButtonEvent*>(&e) != nullptr;
            return false;
        }
    };
    auto toolset = makeRC<MfChainOfResponsibilityToolset>(*viewer);
    toolset->appendTool("Count", makeRC<CountingTool>(toolPresses));
    viewer->setToolset(toolset);

    app.pointerPress(*viewer, {10.0f, 10.0f}, EvButton::Right);
    app.pointerPress(*viewer, {10.0f, 10.0f}, EvButton::Left, true);
    app.pointerRelease(*viewer, {10.0f, 10.0f}, EvButton::Left);
    app.pointerRelease(*viewer, {10.0f, 10.0f}, EvButton::Right);
    EXPECT_EQ(armed, (std::vector<std::string>{"4 held 4", "1 double held 5"}));
    EXPECT_EQ(toolPresses, 3) << "the right press and both releases; the double click was kept";
    EXPECT_EQ(app.getButtonsHeld(), 0);
}

namespace {

struct NodeAction : ActAction {
    LiString name;
    LiString group;
    NodeAction(LiString n, LiString g) : name(std::move(n)), group(std::move(g)) {}
    LiString getName() const override { return name; }
    LiString getGroup() const override { return group; }
    bool isApplicable(const SnItem& target, UiView&) const override {
        return dynamic_cast<const Item&>(target).get() != "output" || group.isEmpty();
    }
    void execute(const SnItem&, UiView&) override {}
};

struct NoView : UiView {
    LiString getTypeName() const override { return "None"; }
    void applySettings(const pugi::xml_node&) override {}
    void writeSettings(XmlWriter&) const override {}
};

std::vector<LiString> composite(const std::vector<ActAction*>& actions) {
    std::vector<LiString> names;
    for (const ActAction* action : actions) names.push_back(action->getCompositeName());
    return names;
}

} // namespace

TEST_F(HeadlessTest, ActionsApplyInRegistrationOrderAndComeBackWhenUnregistered) {
    ActRegistry& registry = app.getActRegistry();
    auto lock = std::make_unique<NodeAction>("Lock", "Group");
    const ActAction* lockAction = lock.get();
    registry.registerAction(std::make_unique<NodeAction>("Color", ""));
    registry.registerAction(std::move(lock), 3);
    registry.registerAction(std::make_unique<NodeAction>("Open", "Group"));
    NoView view;
    EXPECT_EQ(composite(registry.getActions(Item("blur"), view)),
              (std::vector<LiString>{"Color", "Group/Lock", "Group/Open"}));
    EXPECT_EQ(composite(registry.getActions(Item("output"), view)), std::vector<LiString>{"Color"});
    EXPECT_EQ(registry.getDynamicState(*lockAction), 3);

    std::unique_ptr<ActAction> back = registry.unregisterAction(*lockAction);
    EXPECT_EQ(back.get(), lockAction);
    EXPECT_EQ(registry.unregisterAction(*lockAction), nullptr) << "only once";
    EXPECT_EQ(registry.getNbActions(), 2);
}

namespace {

struct Source : DrSrcSink {
    std::vector<std::string> log;
    bool willPopulateSelection() override { return true; }
    void populateSelection(DrCarrier& carrier) override { carrier.setText("<nodes/>"); }
    void dropCompleted() override { log.push_back("dropped"); }
    void operationCancelled() override { log.push_back("cancelled"); }
};

} // namespace

TEST_F(HeadlessTest, ADragOutOfAnAreaCarriesWhatItsSourceGivesAndHearsHowItEnded) {
    auto viewer = makeRC<TestViewer>();
    auto dnd = makeRC<UiDragAndDrop>(*viewer);
    auto source = makeRC<Source>();
    dnd->setSource(source);
    viewer->setDragAndDrop(dnd);
    EXPECT_FALSE(dnd->startDrag()) << "dragging is off";
    dnd->enableDrag(true);
    EXPECT_TRUE(dnd->startDrag());
    EXPECT_EQ(backend.getDraggedCarrier()->getText(), "<nodes/>");
    backend.endDrag(true);
    dnd->startDrag();
    backend.endDrag(false);
    EXPECT_EQ(source->log, (std::vector<std::string>{"dropped", "cancelled"}));
}

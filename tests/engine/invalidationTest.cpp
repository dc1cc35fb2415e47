#include "engineTest.h"

#include "platform/base/cbMethod.h"
#include "platform/engine/pxAddInvalidateCbRequest.h"
#include "platform/engine/pxRemoveInvalidateCbRequest.h"
#include "platform/engine/pxRequestMgr.h"
#include "platform/engine/pxRequestResubmitMgr.h"
#include "platform/graph/piGroupNode.h"
#include "platform/graph/piImageModifier.h"
#include "platform/graph/piSchematicInterfaceEx.h"

#include <utility>

namespace Zv {
namespace {

using Info = PxPassThroughProtocol::InvalidationInfo;

class Invalidation : public EngineTest {
protected:
    // Watches the node's image; returns the callback, which only counts while it is held.
    RCStrongPtr<PxPassThroughProtocol::InvalidateCb> watch(const RCStrongPtr<PxImageNode>& image) {
        auto callback = makeRC<CbFunction<const Info&>>([this](const Info& info) { _infos.push_back(info); });
        PxRequestMgr::getInstance().submit(makeRC<PxAddInvalidateCbRequest>(image, callback));
        return callback;
    }
    // Invalidations since the last call.
    size_t take() { return std::exchange(_infos, {}).size(); }

    std::vector<Info> _infos;
};

TEST_F(Invalidation, ChangesUpstreamTellTheWatchersAndSchematicValuesDoNot) {
    auto constant = add("Constant"), blur = add("Blur"), invert = add("Invert"), other = add("Constant");
    link(constant, blur);
    link(blur, invert);
    RCStrongPtr<PxImageNode> image = imageOf(invert);
    auto callback = watch(image);

    setText(constant, "Color", "1 0 0");
    EXPECT_EQ(take(), 1u);
    EXPECT_TRUE(_infos.empty());
    PiSchematicInterfaceEx::setXYPosition(constant, 10, 20);
    PiSchematicInterfaceEx::setNodeColor(blur, {1, 0, 0});
    _graph->renameNode(constant, "Fill");
    setText(other, "Color", "0 1 0");
    EXPECT_EQ(take(), 0u);

    auto ramp = add("Ramp");
    link(ramp, blur);
    EXPECT_EQ(take(), 1u);
    link(other, add("Merge"));
    EXPECT_EQ(take(), 0u);
    PiImageModifier::setMuted(blur, true);
    EXPECT_EQ(take(), 1u);
    _graph->disconnect(invert->getInput(0));
    EXPECT_EQ(take(), 1u);
    setText(ramp, "Color1", "0 0 1");
    EXPECT_EQ(take(), 0u);

    _graph->removeNode(invert);
    ASSERT_EQ(_infos.size(), 1u);
    EXPECT_TRUE(_infos[0].removed);
    EXPECT_EQ(_infos[0].node, image.get());
    take();

    _graph->getCommandStack().undo();
    EXPECT_EQ(take(), 1u);
    PxRequestMgr::getInstance().submit(makeRC<PxRemoveInvalidateCbRequest>(image, callback));
    link(blur, invert);
    EXPECT_EQ(take(), 0u);
}

TEST_F(Invalidation, GroupsPassChangesAndDeadWatchersAreForgotten) {
    auto group = rcCheckedCast<PiGroupNode>(add("Group"));
    auto output = rcCheckedCast<PiOutput>(_graph->addGroupSocket(group, "Out", true));
    auto inner = add("Constant", "", group);
    auto after = add("Invert");
    _graph->connect(output, after->getInput(0));
    RCStrongPtr<PxImageNode> image = imageOf(after);
    auto callback = watch(image);
    auto boundaryInput = rcCheckedCast<PiInput>(group->getBoundaryNode(*output)->getInnerSocket());
    _graph->connect(inner->getOutput(0), boundaryInput);
    EXPECT_EQ(take(), 1u);
    setText(inner, "Color", "0 0 1");
    EXPECT_EQ(take(), 1u);

    callback.reset();
    setText(inner, "Color", "0 1 1");
    EXPECT_EQ(take(), 0u);
    EXPECT_EQ(image->getNbInvalidateCbs(), 0);
}

TEST(Resubmit, CallbacksAreCalledUntilRemoved) {
    int calls = 0;
    RCStrongPtr<CbHandler<>> callback = makeRC<CbFunction<>>([&] { ++calls; });
    PxRequestResubmitMgr& resubmit = PxRequestResubmitMgr::getInstance();
    resubmit.addCancelAndResubmitCb(callback);
    resubmit.cancelAndResubmit();
    EXPECT_EQ(calls, 1);
    resubmit.removeCancelAndResubmitCb(callback);
    resubmit.cancelAndResubmit();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(resubmit.getNbCancelAndResubmitCbs(), 0);
}

} // namespace
} // namespace Zv

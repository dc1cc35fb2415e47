#include "engineTest.h"

#include "platform/base/cbMethod.h"
#include "platform/base/exBase.h"
#include "platform/engine/pxAddInvalidateCbRequest.h"
#include "platform/engine/pxRequestMgr.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

namespace Zv {
namespace {

// Values handed over by completions, in order, from any thread.
struct Deliveries {
    std::mutex mutex;
    std::vector<int> values;
    void add(int value) {
        std::lock_guard lock(mutex);
        values.push_back(value);
    }
    std::vector<int> get() {
        std::lock_guard lock(mutex);
        return values;
    }
};

// Work that waits until the test opens its gate, so that it is surely in flight meanwhile.
class GatedRequest : public PxRequest {
public:
    GatedRequest(int value, Deliveries& deliveries, bool open = false)
        : _value(value), _deliveries(deliveries), _open(open) {}

    Type getRequestType() const override { return ImageTiles; }
    void open() {
        std::lock_guard lock(_mutex);
        _open = true;
        _changed.notify_all();
    }
    bool waitUntilRunning() {
        std::unique_lock lock(_mutex);
        return _changed.wait_for(lock, std::chrono::seconds(5), [this] { return _running; });
    }
    bool wasExecuted() const { return _executed; }
    bool wasCleanedUp() const { return _cleanedUp; }
    std::string workerFault;

protected:
    void performExecute() override {
        std::unique_lock lock(_mutex);
        _running = _executed = true;
        _changed.notify_all();
        _changed.wait(lock, [this] { return _open; });
        try {
            makeRC<PxAddInvalidateCbRequest>(nullptr, nullptr);
        } catch (const ExAssertionFailed& failure) {
            workerFault = failure.getExpression();
        }
    }
    void completeExecution() override { _deliveries.add(_value); }
    void performCleanUp() override { _cleanedUp = true; }

private:
    int _value;
    Deliveries& _deliveries;
    std::mutex _mutex;
    std::condition_variable _changed;
    bool _open;
    bool _running = false;
    bool _executed = false;
    bool _cleanedUp = false;
};

PxRequestMgr& manager() {
    return PxRequestMgr::getInstance();
}

TEST(Requests, CancelledInFlightNeverHandsOverAndTheNewerResultComes) {
    Deliveries deliveries;
    auto older = makeRC<GatedRequest>(1, deliveries);
    manager().submit(older);
    ASSERT_TRUE(older->waitUntilRunning());
    manager().cancel(older);
    auto newer = makeRC<GatedRequest>(2, deliveries, true);
    manager().submit(newer);
    older->open();
    ASSERT_TRUE(manager().waitUntilIdle(10));
    EXPECT_EQ(deliveries.get(), std::vector<int>{2});
    EXPECT_EQ(older->getState(), PxRequest::Cancelled);
    EXPECT_EQ(newer->getState(), PxRequest::Completed);
    EXPECT_EQ(newer->workerFault, "!PxRequestMgr::getInstance().isWorkerThreadCurrent()");
    EXPECT_FALSE(manager().isWorkerThreadCurrent());
}

TEST(Requests, ReleasedOrQueuedAndCancelledRequestsAreDroppedWithoutHarm) {
    Deliveries deliveries;
    auto released = makeRC<GatedRequest>(1, deliveries);
    manager().submit(released);
    ASSERT_TRUE(released->waitUntilRunning());
    auto other = makeRC<GatedRequest>(2, deliveries);
    manager().submit(other);
    other->waitUntilRunning(); // a second worker, where there is one
    auto queued = makeRC<GatedRequest>(3, deliveries, true);
    manager().submit(queued);
    manager().cancel(queued);
    manager().release(released);
    EXPECT_TRUE(released->isReleased());
    released->open();
    other->open();
    ASSERT_TRUE(manager().waitUntilIdle(10));
    EXPECT_EQ(deliveries.get(), std::vector<int>{2});
    EXPECT_TRUE(queued->wasCleanedUp());
    EXPECT_FALSE(queued->wasExecuted());
    EXPECT_EQ(manager().getNbInFlight(), 0);
}

using ImageRequests = EngineTest;

TEST_F(ImageRequests, CompletionsReachOnlyLiveRequestersAndTheLastTimeWins) {
    auto ramp = add("Ramp");
    Deliveries times;
    using Completion = PxImageMultiTileRequest::CompletionCb;
    RCStrongPtr<Completion> completion = makeRC<CbFunction<const RCStrongPtr<PxImageMultiTileRequest>&>>(
        [&](const RCStrongPtr<PxImageMultiTileRequest>& request) {
            times.add(static_cast<int>(request->getTime().time));
        });
    // Time moving on while requests are in flight: each new request cancels the one before.
    RCStrongPtr<PxImageMultiTileRequest> last;
    for (int time = 1; time <= 20; ++time) {
        if (last) manager().cancel(last);
        last = makeRC<PxImageMultiTileRequest>(imageOf(ramp), 0, PxTimeInfo{double(time)}, 128, 96, completion);
        manager().submit(last);
    }
    ASSERT_TRUE(manager().waitUntilIdle(10));
    std::vector<int> delivered = times.get();
    ASSERT_FALSE(delivered.empty());
    EXPECT_EQ(delivered.back(), 20);
    EXPECT_EQ(std::count(delivered.begin(), delivered.end(), 20), 1);

    // A requester gone before its result came: nothing is called.
    auto orphan = makeRC<PxImageMultiTileRequest>(imageOf(ramp), 0, PxTimeInfo{21}, 128, 96, completion);
    completion.reset();
    manager().submit(orphan);
    ASSERT_TRUE(manager().waitUntilIdle(10));
    EXPECT_EQ(times.get().size(), delivered.size());
    EXPECT_TRUE(orphan->getResults().computable);
    EXPECT_EQ(orphan->getResults().tiles.size(), 4u);
}

TEST_F(ImageRequests, OversampledImagesAndRemovedNodes) {
    auto checker = add("Checker");
    auto request = makeRC<PxImageMultiTileRequest>(imageOf(checker), 1, PxTimeInfo{1}, 128, 96, nullptr);
    manager().submit(request);
    ASSERT_TRUE(manager().waitUntilIdle(10));
    IxTile image = PxImageMultiTileRequest::assembleTiles(request->getResults());
    ASSERT_EQ(image.getWidth(), 128);
    EXPECT_NEAR(meanOf(image)[0], 0.5f, 0.01f);
    EXPECT_NEAR(pixelOf(image, 0, 0)[0], 0, 0.01f);
    EXPECT_NEAR(pixelOf(image, 16, 0)[0], 1, 0.01f);

    RCStrongPtr<PxImageNode> node = imageOf(checker);
    _graph->removeNode(checker);
    auto removed = makeRC<PxImageMultiTileRequest>(node, 0, PxTimeInfo{1}, 128, 96, nullptr);
    manager().submit(removed);
    ASSERT_TRUE(manager().waitUntilIdle(10));
    EXPECT_FALSE(removed->getResults().computable);
    EXPECT_EQ(removed->getResults().reason, "the node was removed");
}

} // namespace
} // namespace Zv

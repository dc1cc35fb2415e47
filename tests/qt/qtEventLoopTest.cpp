#include "platform/base/cbMethod.h"
#include "platform/ui/evRequestEvent.h"
#include "platform/ui/mtAlarmManager.h"
#include "tests/qt/qtTestSupport.h"

#include <QThread>

#include <thread>
#include <vector>

using namespace Zv;
using namespace Zv::QtTest;

namespace {

class RecordRequest : public EvRequestEvent {
public:
    RecordRequest(std::vector<int>& seen, int index, bool& offGuiThread)
        : _seen(seen), _index(index), _offGuiThread(offGuiThread) {}
    void execute() override {
        if (QThread::currentThread() != QApplication::instance()->thread()) _offGuiThread = true;
        _seen.push_back(_index);
    }

private:
    std::vector<int>& _seen;
    int _index;
    bool& _offGuiThread;
};

} // namespace

TEST_F(QtBackendTest, AlarmsWakeUpOnRealTimersForTheirFirstCallAndEveryRepeat) {
    MtAlarmManager& alarms = app.getAlarmManager();
    std::vector<double> calls;
    auto alarm = alarms.create(
        "Hover", 0.05, makeRC<CbFunction<MtAlarmHandle&>>([&](MtAlarmHandle&) { calls.push_back(backend.getTime()); }));
    alarm->setNbRequestedRepeats(2);
    alarm->setRepeatDuration(0.02);
    const double registered = backend.getTime();
    alarms.registerAlarm(alarm);
    ASSERT_TRUE(runUntil([&] { return calls.size() == 3; })) << calls.size() << " calls";
    EXPECT_GE(calls[0] - registered, 0.05);
    EXPECT_GE(calls[2] - registered, 0.09) << "repeats come every 0.02 s after the first call is due";
    EXPECT_FALSE(alarm->isRegistered());

    // An alarm unregistered before it is due never calls.
    calls.clear();
    alarms.registerAlarm(alarm);
    alarms.unregisterAlarm(alarm);
    runUntil([] { return false; }, 150);
    EXPECT_TRUE(calls.empty());
}

TEST_F(QtBackendTest, RequestsPostedFromWorkerThreadsAllRunOnTheGuiThreadInPostingOrder) {
    constexpr int kThreads = 4, kPosts = 300;
    std::vector<std::vector<int>> seen(kThreads);
    bool offGuiThread = false;
    std::vector<std::thread> workers;
    for (int t = 0; t < kThreads; ++t)
        workers.emplace_back([&, t] {
            for (int i = 0; i < kPosts; ++i) app.postRequest(makeRC<RecordRequest>(seen[t], i, offGuiThread));
        });
    // The loop runs requests while the workers still post.
    const bool allRan = runUntil([&] {
        for (const auto& s : seen)
            if (s.size() < kPosts) return false;
        return true;
    });
    for (std::thread& worker : workers) worker.join();
    ASSERT_TRUE(allRan);
    EXPECT_FALSE(offGuiThread);
    for (const auto& s : seen)
        for (int i = 0; i < kPosts; ++i) ASSERT_EQ(s[i], i);
}

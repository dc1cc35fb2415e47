#include "platform/base/cbMethod.h"
#include "platform/base/exBase.h"
#include "platform/ui/evRequestEvent.h"
#include "platform/ui/mtAlarmManager.h"
#include "tests/support/failedAssertion.h"
#include "tests/ui/uiTestSupport.h"

#include <functional>
#include <string>
#include <vector>

using namespace Zv;
using namespace Zv::UiTest;

namespace {

class LogRequest : public EvRequestEvent {
public:
    LogRequest(std::vector<std::string>& log, std::string text, std::function<void()> then = {})
        : _log(log), _text(std::move(text)), _then(std::move(then)) {}
    void execute() override {
        _log.push_back(_text);
        if (_then) _then();
    }

private:
    std::vector<std::string>& _log;
    std::string _text;
    std::function<void()> _then;
};

class Alarms : public HeadlessTest {
protected:
    MtAlarmManager& alarms = app.getAlarmManager();
    std::vector<std::string> log;

    // An alarm that logs "name@time#count" and posts a request logging "after name".
    RCShdPtr<MtAlarmHandle> make(const std::string& name, double duration, int repeats = 0, double period = 0.05) {
        auto alarm = alarms.create(name, duration, makeRC<CbFunction<MtAlarmHandle&>>([this, name](MtAlarmHandle& a) {
                                       log.push_back(name + "@" +
                                                     std::to_string(static_cast<int>(backend.getTime() * 1000 + 0.5)) +
                                                     "#" + std::to_string(a.getRepeatCount()));
                                       app.postRequest(makeRC<LogRequest>(log, "after " + name));
                                   }));
        alarm->setNbRequestedRepeats(repeats);
        alarm->setRepeatDuration(period);
        return alarm;
    }
};

} // namespace

TEST_F(Alarms, FireAfterTheFirstDurationThenOncePerRepeatWithARisingCount) {
    // Times are multiples of 1/4 so that they add up exactly.
    auto pan = make("pan", 0.5, 3, 0.25);
    alarms.registerAlarm(pan);
    EXPECT_EQ(*backend.getScheduledWakeUp(), 0.5);
    backend.advance(0.25);
    EXPECT_TRUE(log.empty());
    backend.advance(1.25);
    EXPECT_EQ(log, (std::vector<std::string>{"pan@500#1", "after pan", "pan@750#2", "after pan", "pan@1000#3",
                                             "after pan", "pan@1250#4", "after pan"}));
    EXPECT_FALSE(pan->isRegistered()) << "unregistered after the last requested repeat";
    EXPECT_TRUE(alarms.getRegisteredAlarms().empty());
    EXPECT_FALSE(backend.getScheduledWakeUp().has_value());

    // Registering again restarts the count and the first duration.
    log.clear();
    alarms.registerAlarm(pan);
    backend.advance(0.75);
    EXPECT_EQ(log, (std::vector<std::string>{"pan@2000#1", "after pan", "pan@2250#2", "after pan"}));
}

TEST_F(Alarms, AlarmsFireInTimeOrderAndTiesInRegistrationOrder) {
    auto slow = make("slow", 0.75);
    auto late = make("late", 0.5);
    auto early = make("early", 0.5);
    auto ticking = make("tick", 0.25, 0x7fffffff, 0.25);
    for (const auto& alarm : {slow, late, early, ticking}) alarms.registerAlarm(alarm);
    std::vector<std::string> names;
    for (const auto& alarm : alarms.getRegisteredAlarms()) names.push_back(alarm->getName().str());
    EXPECT_EQ(names, (std::vector<std::string>{"slow", "late", "early", "tick"}));

    backend.advance(0.75);
    std::vector<std::string> fired;
    for (const auto& line : log)
        if (!line.starts_with("after")) fired.push_back(line);
    EXPECT_EQ(fired, (std::vector<std::string>{"tick@250#1", "late@500#1", "early@500#1", "tick@500#2", "slow@750#1",
                                               "tick@750#3"}));
    alarms.unregisterAlarm(ticking);
    EXPECT_TRUE(alarms.getRegisteredAlarms().empty());
    backend.advance(1.0);
    EXPECT_EQ(log.size(), 12u) << "an unregistered alarm stays silent";
}

TEST_F(Alarms, ACallbackMayStopItsOwnAlarmAndRepeatingNeedsAPeriod) {
    RCShdPtr<MtAlarmHandle> alarm;
    int calls = 0;
    alarm = alarms.create("stop", 0.1, makeRC<CbFunction<MtAlarmHandle&>>([&](MtAlarmHandle& a) {
                              if (++calls == 2) alarms.unregisterAlarm(alarm);
                          }));
    alarm->setNbRequestedRepeats(10);
    alarms.registerAlarm(alarm);
    backend.advance(5.0);
    EXPECT_EQ(calls, 2);

    auto endless = make("endless", 0.0, 5, 0.0);
    EXPECT_EQ(TestSupport::failedAssertion([&] { alarms.registerAlarm(endless); }),
              "alarm->getNbRequestedRepeats() == 0 || alarm->getRepeatDuration() > 0.0");
}

TEST_F(HeadlessTest, PostedRequestsRunInPostingOrderWithTheirOwnPostsLast) {
    std::vector<std::string> log;
    app.postRequest(
        makeRC<LogRequest>(log, "first", [&] { app.postRequest(makeRC<LogRequest>(log, "posted by first")); }));
    app.postRequest(makeRC<LogRequest>(log, "second"));
    EXPECT_TRUE(log.empty()) << "nothing runs before the loop gets to it";
    EXPECT_EQ(app.getNbPostedRequests(), 2u);
    backend.processPending();
    EXPECT_EQ(log, (std::vector<std::string>{"first", "second", "posted by first"}));
    EXPECT_EQ(app.getNbPostedRequests(), 0u);
}

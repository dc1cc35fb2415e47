#include "platform/base/cbGroup.h"
#include "platform/base/cbList.h"
#include "platform/base/cbMethod.h"
#include "platform/base/obHints.h"
#include "platform/base/obObserver.h"
#include "platform/base/obSubject.h"

#include <gtest/gtest.h>

using namespace Zv;

namespace {

struct Counter {
    int total = 0;
    void addCb(int amount) { total += amount; }
};

struct NameHint : ObHint {};
struct MoveHint : ObHint {
    explicit MoveHint(int n) : node(n) {}
    int node;
};

struct Recorder : ObObserver {
    std::vector<size_t> batchSizes;
    void update(const ObHints& hints) override { batchSizes.push_back(hints.getNbHints()); }
};

} // namespace

TEST(Callbacks, GroupReleasesAllRegistrationsTogether) {
    CbList<int> list;
    Counter counter;
    {
        CbGroup group;
        group.add(list.add(makeRC<CbMethod<Counter, int>>(&counter, &Counter::addCb)));
        group.add(list.add(makeRC<CbMethod<Counter, int>>(&counter, &Counter::addCb)));
        list.call(2);
        EXPECT_EQ(counter.total, 4);
    }
    EXPECT_EQ(list.getNbHandlers(), 0u);
    list.call(5);
    EXPECT_EQ(counter.total, 4);
}

TEST(Callbacks, HandlerRemovedDuringCallIsNotCalled) {
    CbList<> list;
    int laterCalls = 0;
    CbRegistration later;
    CbRegistration first = list.add(makeRC<CbFunction<>>([&] { later.release(); }));
    later = list.add(makeRC<CbFunction<>>([&] { ++laterCalls; }));
    list.call();
    EXPECT_EQ(laterCalls, 0);
    EXPECT_EQ(list.getNbHandlers(), 1u);
}

TEST(Callbacks, RegistrationOutlivingItsListIsHarmless) {
    CbRegistration registration;
    {
        CbList<int> list;
        registration = list.add(makeRC<CbFunction<int>>([](int) {}));
    }
    registration.release();
    EXPECT_FALSE(registration.isActive());
}

TEST(ObHints, PickHintFindsFirstOfKindAndObserversGetOneBatch) {
    ObHints hints;
    hints.add(makeRC<MoveHint>(1));
    hints.add(makeRC<NameHint>());
    hints.add(makeRC<MoveHint>(2));
    ASSERT_FALSE(hints.pickHint<MoveHint>().isNull());
    EXPECT_EQ(hints.pickHint<MoveHint>()->node, 1);
    EXPECT_FALSE(hints.pickHint<NameHint>().isNull());
    EXPECT_TRUE(ObHints().pickHint<NameHint>().isNull());

    ObSubject subject;
    Recorder a, b;
    subject.attach(&a);
    subject.attach(&a);
    subject.attach(&b);
    subject.notify(hints);
    subject.detach(&b);
    subject.notify(hints);
    EXPECT_EQ(a.batchSizes, (std::vector<size_t>{3, 3}));
    EXPECT_EQ(b.batchSizes, (std::vector<size_t>{3}));
}

#include "platform/base/exBase.h"
#include "platform/base/rcStrongPtr.h"
#include "platform/base/rcWeakPtr.h"
#include "platform/base/uPtr.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace Zv;

namespace {

struct Shape : RCBase {
    explicit Shape(int* deaths = nullptr) : _deaths(deaths) {}
    ~Shape() override {
        if (_deaths) ++*_deaths;
    }
    int* _deaths;
};
struct Circle : Shape {
    using Shape::Shape;
};
struct Square : Shape {};

} // namespace

TEST(RCHandles, LastStrongHandleDeletesAndWeakReadsNull) {
    int deaths = 0;
    RCWeakPtr<Shape> weak;
    {
        RCStrongPtr<Shape> first(new Shape(&deaths));
        RCStrongPtr<Shape> second = first;
        weak = first;
        first.reset();
        EXPECT_FALSE(weak.isNull());
        EXPECT_EQ(weak.lock(), second);
        EXPECT_EQ(second->getRefCount(), 1);
    }
    EXPECT_EQ(deaths, 1);
    EXPECT_TRUE(weak.isNull());
    EXPECT_TRUE(weak.lock().isNull());
    RCWeakPtr<Shape> copy = weak; // the control block outlives the object
    EXPECT_TRUE(copy.isNull());
}

TEST(RCHandles, DynamicAssignChecksTypeAndNullsOnFailure) {
    RCStrongPtr<Shape> shape(new Circle());
    RCStrongPtr<Circle> circle;
    EXPECT_TRUE(circle.dynamicAssign(shape));
    EXPECT_EQ(circle, shape);

    RCStrongPtr<Square> square(new Square());
    EXPECT_FALSE(square.dynamicAssign(shape));
    EXPECT_TRUE(square.isNull());
    EXPECT_FALSE(circle.dynamicAssign(RCStrongPtr<Shape>()));
    EXPECT_TRUE(circle.isNull());

    EXPECT_THROW(rcCheckedCast<Square>(shape), ExBadCast);
    EXPECT_TRUE(rcCheckedCast<Square>(RCStrongPtr<Shape>()).isNull());
}

TEST(RCHandles, NullDereferenceRaisesNamingTheType) {
    RCStrongPtr<Circle> null;
    try {
        (void)null->getRefCount();
        FAIL() << "no exception";
    } catch (const ExNullPtr& ex) {
        EXPECT_NE(ex.getMessage().find("Circle"), std::string::npos) << ex.getMessage();
    }
    EXPECT_THROW(*UPtr<Shape>(), ExNullPtr);
}

TEST(RCHandles, CountsStayExactAcrossThreads) {
    int deaths = 0;
    RCStrongPtr<Shape> shape(new Shape(&deaths));
    RCWeakPtr<Shape> weak = shape;
    std::vector<std::thread> threads;
    for (int t = 0; t < 2; ++t)
        threads.emplace_back([&] {
            for (int i = 0; i < 20000; ++i) {
                RCStrongPtr<Shape> copy = weak.lock();
                ASSERT_FALSE(copy.isNull());
            }
        });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(shape->getRefCount(), 1);
    shape.reset();
    EXPECT_EQ(deaths, 1);
}

#include "platform/base/assertions.h"
#include "platform/base/exBase.h"
#include "platform/base/inSingleton.h"

#include <gtest/gtest.h>

using namespace Zv;

namespace {

float checkedPosition(float _cwPercentPos) {
    ZV_ASSERT(_cwPercentPos >= 0.0f);
    return _cwPercentPos;
}

class Registry : public InSingleton<Registry> {
    friend class InSingleton<Registry>;
    Registry() = default;

public:
    int value = 7;
};

template <class Ex>
int lineOf(void (*call)()) {
    try {
        call();
    } catch (const Ex& ex) {
        EXPECT_EQ(ex.getFile(), "inSingleton.imp");
        return ex.getLine();
    }
    ADD_FAILURE() << "expected exception not raised";
    return -1;
}

} // namespace

TEST(Assertions, CarryExpressionTextFileAndLine) {
    EXPECT_EQ(checkedPosition(0.5f), 0.5f);
    try {
        checkedPosition(-0.25f);
        FAIL() << "no exception";
    } catch (const ExAssertionFailed& ex) {
        EXPECT_EQ(ex.getExpression(), "_cwPercentPos >= 0.0f");
        EXPECT_NE(ex.getFile().find("failuresTest.cpp"), std::string::npos);
        EXPECT_GT(ex.getLine(), 0);
    }
}

TEST(Assertions, ProgramAbortIsInterceptable) {
    try {
        ZV_ABORT("unknown drawing mode 7");
        FAIL() << "no exception";
    } catch (const ExProgramAborted& ex) {
        EXPECT_NE(ex.getMessage().find("unknown drawing mode 7"), std::string::npos);
        EXPECT_NE(ex.describe().find("failuresTest.cpp:"), std::string::npos);
    }
}

TEST(InSingleton, StateMachineRaisesInEachState) {
    EXPECT_EQ(Registry::getState(), Registry::NotInitialized);
    EXPECT_EQ(lineOf<InSingletonEx::ExNotInitialized>([] { Registry::getInstance(); }), 72);
    EXPECT_EQ(lineOf<InSingletonEx::ExNotInitialized>([] { Registry::destroy(); }), 83);

    Registry::initialize();
    EXPECT_EQ(Registry::getState(), Registry::INITIALIZED);
    EXPECT_EQ(Registry::getInstance().value, 7);
    EXPECT_EQ(lineOf<InSingletonEx::ExAlreadyInitialized>([] { Registry::initialize(); }), 60);

    Registry::destroy();
    EXPECT_EQ(Registry::getState(), Registry::DESTROYED);
    EXPECT_EQ(lineOf<InSingletonEx::ExAlreadyDestroyed>([] { Registry::initialize(); }), 65);
    EXPECT_EQ(lineOf<InSingletonEx::ExAlreadyDestroyed>([] { Registry::getInstance(); }), 76);
    EXPECT_EQ(lineOf<InSingletonEx::ExAlreadyDestroyed>([] { Registry::destroy(); }), 88);
}

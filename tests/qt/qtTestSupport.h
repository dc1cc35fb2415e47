#pragma once

#include "platform/ui/qt/uiQtBackend.h"
#include "platform/ui/uiApplication.h"

#include <QApplication>
#include <QElapsedTimer>

#include <gtest/gtest.h>

#include <functional>

namespace Zv::QtTest {

// A Qt backend and the application on it; one QApplication serves the whole program.
class QtBackendTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (QApplication::instance() != nullptr) return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "qt_tests";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }

    // Runs the event loop until the condition holds; false when it still fails after the time.
    static bool runUntil(const std::function<bool()>& condition, int milliseconds = 2000) {
        QElapsedTimer timer;
        timer.start();
        while (!condition()) {
            if (timer.elapsed() > milliseconds) return false;
            QApplication::processEvents(QEventLoop::AllEvents, 10);
        }
        return true;
    }

    UiQtBackend backend;
    UiApplication app{backend};
};

} // namespace Zv::QtTest

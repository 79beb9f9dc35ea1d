// The main of every test binary that needs Qt: a headless application, then GoogleTest.
#include <gtest/gtest.h>

#include <QApplication>

#include "platform/toolkit/qt/RuntimeDirectory.h"

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    // Without XDG_RUNTIME_DIR Qt would warn also when the build lists a binary's tests.
    toolkit::qt::ProvideRuntimeDirectory();
    QApplication app(argc, argv);
    QApplication::setApplicationName("Quorvane");
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

// Starting and closing: the window opens with nothing read, closing it ends the loop with exit code
// 0, and nothing is shown or written on the way.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/icons/IconService.h"
#include "tests/window/WindowHarness.h"

namespace {

TEST(AppLifecycle, ClosingTheWindowEndsTheLoopWithExitCodeZeroAndWritesNothing) {
    QTemporaryDir workingDirectory;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(workingDirectory.path()));
    const std::size_t liveAtStart = platform::icons::LiveIconCount();
    int exitCode = -1;
    {
        WindowHarness h;
        QTimer::singleShot(0, [&] { h.window().Close(); });
        exitCode = QApplication::exec();
        EXPECT_TRUE(h.messages.empty());
        EXPECT_TRUE(h.extractCalls.empty());
        EXPECT_EQ(h.saveDialogsShown, 0);
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(
        QDir(workingDirectory.path())
            .isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System));
    EXPECT_EQ(platform::icons::LiveIconCount(), liveAtStart);
    QDir::setCurrent(previous);
}

}  // namespace

// Starting and closing: the window opens with nothing read, closing it ends the loop with exit code
// 0, and nothing is shown or written on the way.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/icons/IconService.h"
#include "tests/support/ScratchDirectory.h"
#include "tests/window/WindowHarness.h"
#include "tests/window/WindowProbe.h"

namespace {

TEST(AppLifecycle, ClosingTheWindowEndsTheLoopWithExitCodeZeroAndWritesNothing) {
    const testsupport::ScratchDirectory workingDirectory;
    const std::filesystem::path workingPath = testsupport::NativePath(workingDirectory.Path());
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(workingPath);
    const std::size_t liveAtStart = platform::icons::LiveIconCount();
    int exitCode = -1;
    {
        WindowHarness h;
        exitCode = window_probe::RunEventLoop(h.window(), [&] { h.window().Close(); });
        EXPECT_TRUE(h.messages.empty());
        EXPECT_TRUE(h.extractCalls.empty());
        EXPECT_EQ(h.saveDialogsShown, 0);
    }
    EXPECT_EQ(exitCode, 0);
    EXPECT_TRUE(std::filesystem::is_empty(workingPath));
    EXPECT_EQ(platform::icons::LiveIconCount(), liveAtStart);
    std::filesystem::current_path(previous);
}

}  // namespace

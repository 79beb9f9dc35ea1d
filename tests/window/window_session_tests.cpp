// A long session: navigating, scanning, loading, previewing and saving over and over. At every step
// the live icon handles are exactly the pictures the window still holds, and none are left once
// the window is gone. (Run under LeakSanitizer in CI and under valgrind by hand.)
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/icons/IconService.h"
#include "tests/window/WindowHarness.h"

using platform::icons::LiveIconCount;
using runtime::Integer;

namespace {

// The distinct pictures the window holds: its icon array and the three previews.
std::size_t PicturesHeld(frmCercaIco& w) {
    std::set<const platform::picture::Picture*> held;
    if (w.mIcone.IsAllocated()) {
        for (Integer i = 0; i <= w.mIcone.UBound(); i = i + 1) {
            held.insert(w.mIcone(i).get());
        }
    }
    const Previews previews = PreviewsOf(w);
    for (const IPictureDisp& shown : {previews.grande, previews.media, previews.piccola}) {
        held.insert(shown.get());
    }
    held.erase(nullptr);
    return held.size();
}

TEST(WindowSession, LiveHandlesAreThePicturesHeldThroughoutAndNoneAfterClosing) {
    const std::size_t liveAtStart = LiveIconCount();
    {
        WindowHarness h;
        frmCercaIco& w = h.window();
        const std::string other = h.dir() + "/altra";
        std::filesystem::create_directory(other);
        h.WriteIconFile("a.dll", 4, 1);
        h.WriteIconFile("b.exe", 7, 2);
        h.WriteFileWithoutIcons("c.ocx");
        const auto expectHandlesMatchPictures = [&](const char* step, int round) {
            EXPECT_EQ(LiveIconCount() - liveAtStart, PicturesHeld(w))
                << "after " << step << " in round " << round;
        };

        for (int round = 0; round < 20; ++round) {
            h.OpenScratchDirectory();
            w.dirlDirectory_Change();
            h.PressAggiorna();
            expectHandlesMatchPictures("the scan", round);
            h.ClickFile(1);
            expectHandlesMatchPictures("loading", round);
            h.ClickIcon(round % 7);
            expectHandlesMatchPictures("the preview", round);
            h.saveAnswers = {h.dir() + "/salvata"};
            h.DoubleClickIcon(round % 5);
            expectHandlesMatchPictures("saving", round);
            h.ClickFile(0);
            h.PressAggiorna();
            expectHandlesMatchPictures("reloading", round);
            w.dirlDirectory.SetPath(other);
            expectHandlesMatchPictures("navigation", round);
        }
        EXPECT_TRUE(h.messages.empty());
        EXPECT_TRUE(std::filesystem::exists(h.dir() + "/salvata.ico"));
    }
    EXPECT_EQ(LiveIconCount(), liveAtStart);
}

}  // namespace

// What a person can point the window at besides well-formed executables: FIFOs and device nodes
// with executable names, files that change or vanish after the scan, a directory that goes away,
// and a directory of tens of thousands of files. The window must neither block nor crash and stays
// usable.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include "platform/icons/IconService.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/Screen.h"
#include "tests/support/NativePath.h"
#include "tests/window/WindowHarness.h"

using platform::icons::LiveIconCount;
using runtime::Integer;
using testsupport::NativePath;

namespace {

const std::string kNoIcons = "Il file selezionato non contiene icone!";

// Puts something that is no regular file where the file was: a FIFO, or on Windows (which keeps
// no FIFOs in directories) a directory.
void ReplaceWithNonFile(const std::string& path) {
    std::filesystem::remove(NativePath(path));
#ifdef _WIN32
    ASSERT_TRUE(std::filesystem::create_directory(NativePath(path)));
#else
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
#endif
}

// A directory of `count` files "f00000.dll"... holding "MZ" only. Under Wine each new name is
// first looked for in the whole directory (ignoring case), so making forty thousand takes minutes:
// the Windows build's tests get the directory made beforehand, outside Wine
// (tests/window/CMakeLists.txt).
std::string DirectoryOfManyFiles(const std::string& where, int count) {
#ifdef QUORVANE_MANY_FILES_DIR
    (void)where;
    (void)count;
    return toolkit::path_text::Normalise(QUORVANE_MANY_FILES_DIR);
#else
    std::filesystem::create_directory(NativePath(where));
    for (int i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "f%05d.dll", i);
        std::ofstream(NativePath(WindowHarness::Join(where, name))) << "MZ";
    }
    return where;
#endif
}

class StressTest : public ::testing::Test {
protected:
    const std::size_t liveAtStart = LiveIconCount();
    WindowHarness h;
    frmCercaIco& w = h.window();
};

TEST_F(StressTest, FifosAndDevicesNamedLikeExecutablesAreNeitherOpenedNorListed) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows directories hold neither FIFOs nor device nodes";
#else
    h.WriteIconFile("a.dll", 1);
    ASSERT_EQ(::mkfifo(h.Path("trappola.exe").c_str(), 0600), 0);
    std::filesystem::create_symlink("/dev/null", h.Path("nulla.dll"));
    std::filesystem::create_symlink("/dev/zero", h.Path("zeri.ocx"));
    h.OpenScratchDirectory();

    h.PressAggiorna();

    EXPECT_EQ(h.LstFilesEntries(), std::vector<std::string>{"a.dll"});
    for (const auto& call : h.extractCalls) {
        EXPECT_EQ(call.path, h.Path("a.dll"));
    }
    EXPECT_TRUE(h.messages.empty());
#endif
}

TEST_F(StressTest, FilesTruncatedOrReplacedAfterTheScanAreReportedAsWithoutIcons) {
    h.WriteIconFile("a.dll", 2);
    h.WriteIconFile("b.dll", 2);
    h.WriteIconFile("c.dll", 2);
    h.OpenScratchDirectory();
    h.PressAggiorna();
    ASSERT_EQ(w.lstFiles.ListCount(), Integer(3));
    std::filesystem::resize_file(NativePath(h.Path("b.dll")), 200);
    ReplaceWithNonFile(h.Path("c.dll"));

    for (int file : {1, 2}) {
        h.messages.clear();
        h.ClickFile(file);
        ASSERT_EQ(h.messages.size(), 1u);
        EXPECT_EQ(h.messages[0].text, kNoIcons);
    }
    h.ClickIcon(1);
    EXPECT_EQ(w.imgGrande.Picture(), w.mIcone(1));
    EXPECT_EQ(toolkit::Screen.MousePointer(), toolkit::vbDefault);
}

TEST_F(StressTest, ADirectoryThatVanishedAfterItWasListedScansToNothing) {
    const std::string sub = h.Path("effimera");
    std::filesystem::create_directory(NativePath(sub));
    h.WriteIconFile("a.dll", 1);
    std::filesystem::rename(NativePath(h.Path("a.dll")),
                            NativePath(WindowHarness::Join(sub, "a.dll")));
    w.dirlDirectory.SetPath(sub);
    ASSERT_EQ(w.flstInDir.ListCount(), Integer(1));
    std::filesystem::remove_all(NativePath(sub));

    h.PressAggiorna();

    EXPECT_EQ(w.lstFiles.ListCount(), Integer(0));
    EXPECT_TRUE(h.messages.empty());
    // Back in a directory that exists, everything works.
    h.WriteIconFile("b.dll", 1);
    h.OpenScratchDirectory();
    h.PressAggiorna();
    EXPECT_EQ(h.LstFilesEntries(), std::vector<std::string>{"b.dll"});
}

TEST_F(StressTest, ADirectoryOfFortyThousandFilesIsScannedUpToTheListLimit) {
    // Mostly files without icons, with three executables among them; the file list holds at most
    // 32767 names, the first in sorted order.
    const std::string big = DirectoryOfManyFiles(h.Path("grande"), 40000);
    h.WriteIconFile("f00000.dll", 1);
    h.WriteIconFile("f20000.exe", 2);
    h.WriteIconFile("f39999.ocx", 1);
    for (const char* name : {"f00000.dll", "f20000.exe", "f39999.ocx"}) {
        std::filesystem::rename(NativePath(h.Path(name)),
                                NativePath(WindowHarness::Join(big, name)));
    }
    w.dirlDirectory.SetPath(big);
    ASSERT_EQ(w.flstInDir.ListCount(), Integer(32767));

    h.PressAggiorna();

    EXPECT_EQ(h.LstFilesEntries(), (std::vector<std::string>{"f00000.dll", "f20000.exe"}));
    EXPECT_EQ(w.lstIcone.ListCount(), Integer(1));
    EXPECT_TRUE(h.messages.empty());
    h.ClickFile(1);
    EXPECT_EQ(w.lstIcone.ListCount(), Integer(2));
    EXPECT_EQ(LiveIconCount(), liveAtStart + 2);
}

}  // namespace

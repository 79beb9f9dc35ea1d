// Following the drive and directory lists: the file list follows, lists and previews are cleared,
// a drive that cannot be read is reported, and a directory that cannot be opened never ends the
// program.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/icons/IconService.h"
#include "platform/toolkit/DriveListBox.h"
#include "platform/toolkit/Screen.h"
#include "tests/support/NativePath.h"
#include "tests/window/ScratchVolume.h"
#include "tests/window/UserInput.h"
#include "tests/window/WindowHarness.h"

using platform::icons::LiveIconCount;
using runtime::Integer;
using testsupport::NativePath;

namespace {

// The drive list reads its volumes when it is made, so the source goes in before the window.
class InstalledVolumes {
public:
    explicit InstalledVolumes(std::vector<toolkit::Volume> volumes)
        : source_(toolkit::InstallVolumeSource, [volumes] { return volumes; }) {}

private:
    runtime::InstallGuard<toolkit::VolumeSource> source_;
};

class NavigationTest : public ::testing::Test {
protected:
    NavigationTest() { std::filesystem::create_directories(NativePath(Sub())); }

    std::string Sub() const { return WindowHarness::Join(driveRoot, "sub"); }

    void LoadAFile() {
        h.WriteIconFile("a.dll", 3);
        h.OpenScratchDirectory();
        h.PressAggiorna();
        ASSERT_EQ(w.lstIcone.ListCount(), Integer(3));
    }

    void ExpectCleared() {
        EXPECT_EQ(w.flstInDir.Path(), w.dirlDirectory.Path());
        EXPECT_EQ(w.lstFiles.ListCount(), Integer(0));
        EXPECT_EQ(w.lstIcone.ListCount(), Integer(0));
        const Previews shown = PreviewsOf(w);
        EXPECT_EQ(shown.grande, nullptr);
        EXPECT_EQ(shown.media, nullptr);
        EXPECT_EQ(shown.piccola, nullptr);
        EXPECT_TRUE(w.lstFiles.Visible());
        EXPECT_TRUE(w.cmdAggiorna.Visible());
        EXPECT_FALSE(w.flstInDir.Visible());
    }

    // Each test has volumes of its own where it can: CTest runs the tests of this suite side by
    // side.
    ScratchVolume driveScratch{ScratchVolume::Kind::kWritable, "PROVA"};
    ScratchVolume goneScratch{ScratchVolume::Kind::kRemovable, "SPARITO"};
    const std::string driveRoot = driveScratch.Root();
    const toolkit::Volume drive = driveScratch.volume();
    const toolkit::Volume goneDrive = goneScratch.volume();
    InstalledVolumes volumes{{ScratchVolume::SystemRoot(), drive, goneDrive}};
    WindowHarness h;
    frmCercaIco& w = h.window();
};

TEST_F(NavigationTest, ChangingTheDirectoryClearsListsAndPreviewsButKeepsThePictures) {
    LoadAFile();
    const std::size_t live = LiveIconCount();
    const std::string sub = h.Path("vuota");
    std::filesystem::create_directory(NativePath(sub));

    w.dirlDirectory.SetPath(sub);

    ExpectCleared();
    EXPECT_EQ(w.flstInDir.Path(), sub);
    // The loaded pictures stay in the array until the next load; icon 0 lost only its previews.
    EXPECT_EQ(w.mIcone.UBound(), Integer(2));
    EXPECT_EQ(LiveIconCount(), live);
    EXPECT_TRUE(h.messages.empty());

    // The next press scans the new directory.
    h.WriteIconFile("nuova.dll", 1);
    std::filesystem::rename(NativePath(h.Path("nuova.dll")),
                            NativePath(WindowHarness::Join(sub, "nuova.dll")));
    w.dirlDirectory_Change();
    h.PressAggiorna();
    EXPECT_EQ(h.LstFilesEntries(), std::vector<std::string>{"nuova.dll"});
    EXPECT_EQ(LiveIconCount(), live - 2);
}

TEST_F(NavigationTest, ChoosingADriveMovesTheDirectoryListThereAndClearsEverything) {
    LoadAFile();

    w.dlstDrives.SetDrive(toolkit::DriveText(drive));

    EXPECT_EQ(w.dirlDirectory.Path(), driveRoot);
    ExpectCleared();
    EXPECT_TRUE(h.messages.empty());

    // Back on the drive later, the directory list returns to where it was on it.
    w.dirlDirectory.SetPath(Sub());
    w.dlstDrives.SetDrive(toolkit::DriveText(ScratchVolume::SystemRoot()));
    w.dlstDrives.SetDrive(toolkit::DriveText(drive));
    EXPECT_EQ(w.dirlDirectory.Path(), Sub());
    ExpectCleared();
}

TEST_F(NavigationTest, ADriveThatCannotBeReadIsReportedAndNothingElseChanges) {
    LoadAFile();
    const Previews before = PreviewsOf(w);
    goneScratch.RemoveRoot();

    w.dlstDrives.SetDrive(toolkit::DriveText(goneDrive));

    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, "Drive non pronto!");
    EXPECT_EQ(h.messages[0].style, 48);
    EXPECT_EQ(h.messages[0].title, "Tillomark...Brandell");
    EXPECT_EQ(w.dlstDrives.Drive(), toolkit::DriveText(goneDrive));
    EXPECT_EQ(w.dirlDirectory.Path(), h.dir());
    EXPECT_EQ(w.flstInDir.Path(), h.dir());
    EXPECT_EQ(h.LstFilesEntries(), std::vector<std::string>{"a.dll"});
    EXPECT_EQ(w.lstIcone.ListCount(), Integer(3));
    EXPECT_EQ(PreviewsOf(w).grande, before.grande);
}

TEST_F(NavigationTest, AnErrorThatIsNotARuntimeErrorIsReportedAsADriveNotReady) {
    w.dlstDrives.SetDrive(toolkit::DriveText(drive));
    // The volume list cannot be made (the directory list asks for it to find the drive's root).
    const runtime::InstallGuard failing(
        toolkit::InstallVolumeSource,
        []() -> std::vector<toolkit::Volume> { throw std::bad_alloc(); });

    w.dlstDrives_Change();

    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, "Drive non pronto!");
}

TEST_F(NavigationTest, OpeningADirectoryThatVanishedShowsTheRuntimeErrorAndTheProgramGoesOn) {
    const std::string sub = h.Path("sparisce");
    std::filesystem::create_directory(NativePath(sub));
    h.OpenScratchDirectory();
    std::filesystem::remove(NativePath(sub));  // still listed, gone on disk
    w.dirlDirectory.SetListIndex(0);

    user_input::PressEnter(w, w.dirlDirectory);

    ASSERT_EQ(h.messages.size(), 1u);
    EXPECT_EQ(h.messages[0].text, "Errore di run-time '76':\n\nImpossibile trovare il percorso");
    EXPECT_EQ(h.messages[0].title, RuntimeBoxTitle());
    EXPECT_EQ(toolkit::Screen.MousePointer(), toolkit::vbDefault);
    // The window is still there and works.
    h.WriteIconFile("a.dll", 1);
    w.dirlDirectory_Change();
    h.PressAggiorna();
    EXPECT_EQ(h.LstFilesEntries(), std::vector<std::string>{"a.dll"});
}

}  // namespace

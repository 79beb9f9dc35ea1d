// The drive list over an installed volume source, the drive texts, and the real mounted volumes.
#include "platform/toolkit/DriveListBox.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QComboBox>
#include <QTest>
#include <algorithm>

#include "ToolkitTestSupport.h"
#include "platform/runtime/Replaceable.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/Volumes.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {
namespace {

using testing::RaisedNumber;
using testing::RecordedMessageBoxes;
using testing::TempTree;

QComboBox& ComboOf(const DriveListBox& drives) {
    return static_cast<QComboBox&>(*toolkit::qt::WidgetOf(drives));
}

// Three volumes: the root, and two rooted in a temporary tree; the working directory inside the
// second one while the list is made.
class DriveListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.MakeDirectory("a");
        tree.MakeDirectory("b");
        tree.MakeDirectory("b/work");
        volumes = {{"/", "root"}, {tree.PathOf("a"), "ALFA"}, {tree.PathOf("b"), "BETA"}};
        ASSERT_NE(::getcwd(workingDirectory, sizeof workingDirectory), nullptr);
        ASSERT_EQ(::chdir(tree.PathOf("b/work").c_str()), 0);
        drives = std::make_unique<DriveListBox>(form);
        ASSERT_EQ(::chdir(workingDirectory), 0);
        drives->Change = [this] { changes.push_back(drives->Drive()); };
    }
    void TearDown() override { drives.reset(); }

    TempTree tree;
    std::vector<Volume> volumes;
    runtime::InstallGuard<VolumeSource> source{InstallVolumeSource, [this] { return volumes; }};
    char workingDirectory[4096] = {};
    Form form;
    std::unique_ptr<DriveListBox> drives;
    std::vector<std::string> changes;
};

TEST_F(DriveListBoxTest, StartsOnTheVolumeHoldingTheWorkingDirectory) {
    EXPECT_EQ(drives->Drive(), tree.PathOf("b") + " [BETA]");
    EXPECT_TRUE(changes.empty());
    QComboBox& combo = ComboOf(*drives);
    ASSERT_EQ(combo.count(), 3);
    EXPECT_EQ(combo.itemText(0), "/ [root]");
    EXPECT_EQ(combo.currentIndex(), 2);
}

TEST_F(DriveListBoxTest, SetDriveChoosesTheVolumeHoldingAPathAndRaisesChangeWhenItChanges) {
    drives->SetDrive(tree.PathOf("b/work"));  // already chosen: no Change
    EXPECT_TRUE(changes.empty());
    drives->SetDrive(tree.PathOf("a"));
    drives->SetDrive(tree.PathOf("a") + "/deeper/not/there");
    drives->SetDrive("/usr");
    drives->SetDrive(DriveText(volumes[2]));
    EXPECT_EQ(changes, (std::vector<std::string>{DriveText(volumes[1]), DriveText(volumes[0]),
                                                 DriveText(volumes[2])}));
    EXPECT_EQ(ComboOf(*drives).currentIndex(), 2);
}

TEST_F(DriveListBoxTest, APathNoVolumeHoldsRaises68) {
    volumes.erase(volumes.begin());  // no root volume any more
    DriveListBox withoutRoot(form);
    EXPECT_EQ(RaisedNumber([&] { withoutRoot.SetDrive("/usr"); }), runtime::errDeviceUnavailable);
}

TEST_F(DriveListBoxTest, TheUserPickingAnotherEntryRaisesChange) {
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit::qt::SurfaceOf(form)));
    QComboBox& combo = ComboOf(*drives);
    QTest::keyClick(&combo, Qt::Key_Up);
    EXPECT_EQ(changes, (std::vector<std::string>{DriveText(volumes[1])}));
    QTest::keyClick(&combo, Qt::Key_Home);
    EXPECT_EQ(changes.back(), DriveText(volumes[0]));
    EXPECT_EQ(changes.size(), 2u);
}

TEST_F(DriveListBoxTest, AnErrorInTheUsersChangeIsReported) {
    RecordedMessageBoxes boxes;
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit::qt::SurfaceOf(form)));
    drives->Change = [] { runtime::Raise(runtime::errDeviceUnavailable); };
    QTest::keyClick(&ComboOf(*drives), Qt::Key_Up);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Errore di run-time '68':\n\nPeriferica non disponibile");
    EXPECT_EQ(drives->Drive(), DriveText(volumes[1]));
}

TEST_F(DriveListBoxTest, KeepsItsHeightWhateverItIsPlacedWith) {
    drives->Move(480, 120, 1815, 900);
    EXPECT_EQ(toolkit::qt::WidgetOf(*drives)->height(), 21);
    EXPECT_EQ(toolkit::qt::WidgetOf(*drives)->width(), 121);
}

TEST(DriveRootOf, TheRootOfADrivesTextOnly) {
    EXPECT_EQ(DriveRootOf("/ [root]"), "/");
    EXPECT_EQ(DriveRootOf("/media/usb [STICK]"), "/media/usb");
    EXPECT_EQ(DriveRootOf("/media/usb [a [b]]"), "/media/usb [a");  // read from the last " ["
    EXPECT_EQ(DriveRootOf("c: [WINDOWS]"), "");
    EXPECT_EQ(DriveRootOf("/media/usb"), "");
    EXPECT_EQ(DriveRootOf("/media/usb [STICK"), "");
    EXPECT_EQ(DriveRootOf(" [x]"), "");
    EXPECT_EQ(DriveRootOf(""), "");
}

TEST(DriveRootOf, AVolumeShowingExactlyThatTextSettlesAnAmbiguousOne) {
    const runtime::InstallGuard source(InstallVolumeSource, [] {
        return std::vector<Volume>{{"/media/usb", "a [b]"}};
    });
    EXPECT_EQ(DriveRootOf("/media/usb [a [b]]"), "/media/usb");
}

TEST(DriveRootOf, ADriveLetterWithoutALabelStandsAloneAndAPathKeepsItsBrackets) {
    const runtime::InstallGuard source(InstallVolumeSource, [] {
        return std::vector<Volume>{{"c:", "WINDOWS"}, {"z:", ""}, {"/mnt", ""}};
    });
    EXPECT_EQ(DriveText({"z:", ""}), "z:");
    EXPECT_EQ(DriveRootOf("z:"), "z:");
    EXPECT_EQ(DriveRootOf("c: [WINDOWS]"), "c:");
    EXPECT_EQ(DriveRootOf("y:"), "");
    EXPECT_EQ(DriveText({"/mnt", ""}), "/mnt []");
    EXPECT_EQ(DriveRootOf("/mnt"), "");
    EXPECT_EQ(DriveRootOf("/mnt []"), "/mnt");
}

TEST(VolumeHolding, TheLongestWholeComponentPrefix) {
    const std::vector<Volume> volumes = {{"/", "root"}, {"/media/usb", "U"}, {"/media", "M"}};
    EXPECT_EQ(VolumeHolding(volumes, "/media/usb/x"), 1);
    EXPECT_EQ(VolumeHolding(volumes, "/media/usbx"), 2);
    EXPECT_EQ(VolumeHolding(volumes, "/home"), 0);
    EXPECT_EQ(VolumeHolding({{"/media", "M"}}, "/home"), -1);
}

TEST(MountedVolumes, RealFileSystemsOncePerRootSorted) {
    const std::vector<Volume> volumes = MountedVolumes();
    ASSERT_FALSE(volumes.empty());
    EXPECT_TRUE(
        std::is_sorted(volumes.begin(), volumes.end(),
                       [](const Volume& a, const Volume& b) { return a.rootPath < b.rootPath; }));
    for (std::size_t i = 0; i < volumes.size(); ++i) {
        const Volume& volume = volumes[i];
        struct stat status {};
        EXPECT_EQ(::stat(volume.rootPath.c_str(), &status), 0) << volume.rootPath;
        EXPECT_TRUE(S_ISDIR(status.st_mode)) << volume.rootPath;
        EXPECT_FALSE(volume.label.empty()) << volume.rootPath;
        EXPECT_FALSE(path_text::HoldsPath("/proc", volume.rootPath)) << volume.rootPath;
        EXPECT_FALSE(path_text::HoldsPath("/sys", volume.rootPath)) << volume.rootPath;
        if (i > 0) {
            EXPECT_NE(volumes[i - 1].rootPath, volume.rootPath);
        }
        if (volume.rootPath == "/") {
            EXPECT_EQ(volume.label, "root");
        }
    }
    EXPECT_GE(VolumeHolding(volumes, path_text::WorkingDirectory()), 0);
}

}  // namespace
}  // namespace toolkit

// The directory list: the hierarchy it shows, its ListIndex mapping, Path writes and the Change
// they raise, drives' current directories, and what the mouse and the keys do.
#include "platform/toolkit/DirListBox.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QListWidget>
#include <QTest>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/DriveListBox.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/PathText.h"
#include "platform/toolkit/qt/IndentedItemDelegate.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {
namespace {

using testing::CentreOfRow;
using testing::RaisedNumber;
using testing::RecordedMessageBoxes;
using testing::TempTree;

QListWidget& WidgetOf(const DirListBox& dirs) {
    return static_cast<QListWidget&>(*toolkit::qt::WidgetOf(dirs));
}

class DirListBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        tree.MakeDirectory("top");
        tree.MakeDirectory("top/mid");
        for (const char* name : {"top/mid/Beta", "top/mid/alpha", "top/mid/.hidden",
                                 "top/mid/gamma", "top/mid/alpha/deep"}) {
            tree.MakeDirectory(name);
        }
        tree.MakeFile("top/mid/file.exe");
        tree.MakeSymlink("gamma", "top/mid/Delta");
        form.SetClientSize(6000, 6000);
        dirs.Move(0, 0, 4000, 6000);
        dirs.Change = [this] { changes.push_back(dirs.Path()); };
    }

    std::string Mid() const { return tree.PathOf("top/mid"); }

    void ShowForm() {
        form.Show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit::qt::SurfaceOf(form)));
    }

    TempTree tree;
    Form form;
    DirListBox dirs{form};
    std::vector<std::string> changes;
};

TEST_F(DirListBoxTest, StartsInTheWorkingDirectory) {
    EXPECT_EQ(dirs.Path(), path_text::WorkingDirectory());
    EXPECT_EQ(dirs.ListIndex().Value(), -1);
}

TEST_F(DirListBoxTest, ShowsTheHierarchyAndTheSubdirectoriesSortedIgnoringCase) {
    dirs.SetPath(Mid());
    const std::vector<std::string> above = path_text::Components(Mid());
    const int depth = static_cast<int>(above.size());
    QListWidget& widget = WidgetOf(dirs);
    ASSERT_EQ(widget.count(), depth + 1 + 4);
    EXPECT_EQ(widget.item(0)->text(), "/");
    EXPECT_EQ(widget.item(depth)->text(), "mid");
    EXPECT_EQ(widget.item(depth - 1)->text(), "top");
    // Hidden ones and files left out; a link to a directory is one.
    EXPECT_EQ(widget.item(depth + 1)->text(), "alpha");
    EXPECT_EQ(widget.item(depth + 2)->text(), "Beta");
    EXPECT_EQ(widget.item(depth + 3)->text(), "Delta");
    EXPECT_EQ(widget.item(depth + 4)->text(), "gamma");
    // Indented by level, the subdirectories one deeper than the current directory.
    const int role = IndentedItemDelegate::kLevelRole;
    EXPECT_EQ(widget.item(0)->data(role).toInt(), 0);
    EXPECT_EQ(widget.item(depth)->data(role).toInt(), depth);
    EXPECT_EQ(widget.item(depth + 1)->data(role).toInt(), depth + 1);
    // The current directory is the highlighted entry.
    EXPECT_TRUE(widget.item(depth)->isSelected());
}

TEST_F(DirListBoxTest, ListIndexMapsToTheEntries) {
    dirs.SetPath(Mid());
    const int depth = static_cast<int>(path_text::Components(Mid()).size());
    EXPECT_EQ(dirs.ListCount().Value(), 4);
    EXPECT_EQ(dirs.ListIndex().Value(), -1);
    EXPECT_EQ(dirs.List(-1), Mid());
    EXPECT_EQ(dirs.List(-2), tree.PathOf("top"));
    EXPECT_EQ(dirs.List(runtime::Integer::From(-(depth + 1))), "/");
    EXPECT_EQ(dirs.List(0), Mid() + "/alpha");
    EXPECT_EQ(dirs.List(3), Mid() + "/gamma");
    EXPECT_EQ(RaisedNumber([&] { (void)dirs.List(4); }), runtime::errSubscriptOutOfRange);
    EXPECT_EQ(RaisedNumber([&] { (void)dirs.List(runtime::Integer::From(-(depth + 2))); }),
              runtime::errSubscriptOutOfRange);
}

TEST_F(DirListBoxTest, WritingListIndexMovesTheSelectionOnly) {
    dirs.SetPath(Mid());
    changes.clear();
    dirs.SetListIndex(2);
    EXPECT_EQ(dirs.ListIndex().Value(), 2);
    dirs.SetListIndex(-2);
    EXPECT_EQ(dirs.ListIndex().Value(), -2);
    EXPECT_EQ(dirs.Path(), Mid());
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(RaisedNumber([&] { dirs.SetListIndex(4); }), runtime::errInvalidPropertyValue);
}

TEST_F(DirListBoxTest, WritingPathRaisesChangeOnlyWhenItChanges) {
    dirs.SetPath(Mid());
    dirs.SetPath(Mid() + "/");
    dirs.SetPath(tree.PathOf("top//mid"));
    EXPECT_EQ(changes, (std::vector<std::string>{Mid()}));
    dirs.SetPath(Mid() + "/alpha");
    EXPECT_EQ(changes, (std::vector<std::string>{Mid(), Mid() + "/alpha"}));
    EXPECT_EQ(dirs.ListCount().Value(), 1);
}

TEST_F(DirListBoxTest, ChangeRunsBeforeTheWriteReturnsAndItsErrorReachesTheWriter) {
    std::vector<std::string> order;
    dirs.Change = [&] {
        order.push_back("Change " + dirs.Path());
        runtime::Raise(runtime::errPathFileAccess);
    };
    EXPECT_EQ(RaisedNumber([&] { dirs.SetPath(Mid()); }), runtime::errPathFileAccess);
    order.push_back("returned");
    EXPECT_EQ(order, (std::vector<std::string>{"Change " + Mid(), "returned"}));
    EXPECT_EQ(dirs.Path(), Mid());  // the move happened before the handler ran
}

TEST_F(DirListBoxTest, AMissingPathOrAFileRaises76AndStays) {
    dirs.SetPath(Mid());
    changes.clear();
    EXPECT_EQ(RaisedNumber([&] { dirs.SetPath(Mid() + "/absent"); }), runtime::errPathNotFound);
    EXPECT_EQ(RaisedNumber([&] { dirs.SetPath(Mid() + "/file.exe"); }), runtime::errPathNotFound);
    EXPECT_EQ(RaisedNumber([&] { dirs.SetPath(""); }), runtime::errPathNotFound);
    EXPECT_EQ(dirs.Path(), Mid());
    EXPECT_EQ(dirs.ListCount().Value(), 4);
    EXPECT_TRUE(changes.empty());
}

TEST_F(DirListBoxTest, TheCurrentDirectoryDeletedAfterItWasEntered) {
    dirs.SetPath(Mid() + "/alpha/deep");
    tree.Remove("top/mid/alpha");
    EXPECT_EQ(RaisedNumber([&] { dirs.SetPath(Mid() + "/alpha/deep"); }), runtime::errPathNotFound);
    dirs.SetPath(Mid());
    EXPECT_EQ(dirs.ListCount().Value(), 3);
}

TEST_F(DirListBoxTest, AnUnreadableDirectoryIsEnteredWithoutSubdirectories) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permissions do not keep root out";
    }
    ASSERT_EQ(::chmod(tree.PathOf("top/mid/alpha").c_str(), 0311), 0);
    dirs.SetPath(Mid() + "/alpha");
    ::chmod(tree.PathOf("top/mid/alpha").c_str(), 0755);
    EXPECT_EQ(dirs.Path(), Mid() + "/alpha");
    EXPECT_EQ(dirs.ListCount().Value(), 0);
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(DirListBoxTest, ADoubleClickOpensTheEntryAndRaisesChange) {
    dirs.SetPath(Mid());
    changes.clear();
    ShowForm();
    QListWidget& widget = WidgetOf(dirs);
    const int depth = static_cast<int>(path_text::Components(Mid()).size());
    const QPoint beta = CentreOfRow(widget, depth + 2);
    QTest::mousePress(widget.viewport(), Qt::LeftButton, {}, beta);
    QTest::mouseRelease(widget.viewport(), Qt::LeftButton, {}, beta);
    EXPECT_TRUE(changes.empty());  // a single click only selects
    EXPECT_EQ(dirs.ListIndex().Value(), 1);
    QTest::mouseDClick(widget.viewport(), Qt::LeftButton, {}, beta);
    EXPECT_EQ(changes, (std::vector<std::string>{Mid() + "/Beta"}));
    EXPECT_EQ(dirs.ListIndex().Value(), -1);
    EXPECT_EQ(dirs.ListCount().Value(), 0);
}

TEST_F(DirListBoxTest, EnterOpensTheSelectedEntryArrowsOnlySelect) {
    dirs.SetPath(Mid());
    changes.clear();
    ShowForm();
    QListWidget& widget = WidgetOf(dirs);
    QTest::keyClick(&widget, Qt::Key_Up);
    QTest::keyClick(&widget, Qt::Key_Up);
    EXPECT_EQ(dirs.ListIndex().Value(), -3);
    EXPECT_TRUE(changes.empty());
    QTest::keyClick(&widget, Qt::Key_Return);
    const std::string grandparent =
        path_text::Prefix(path_text::Components(Mid()), path_text::Components(Mid()).size() - 2);
    EXPECT_EQ(changes, (std::vector<std::string>{grandparent}));
    EXPECT_EQ(dirs.Path(), grandparent);
    // Enter on the current directory itself changes nothing.
    QTest::keyClick(&widget, Qt::Key_Enter);
    EXPECT_EQ(changes.size(), 1u);
}

TEST_F(DirListBoxTest, AnErrorWhileOpeningIsReportedAndTheListGoesOn) {
    RecordedMessageBoxes boxes;
    dirs.SetPath(Mid());
    changes.clear();
    ShowForm();
    dirs.SetListIndex(0);  // alpha
    tree.Remove("top/mid/alpha");
    QTest::keyClick(&WidgetOf(dirs), Qt::Key_Return);
    ASSERT_EQ(boxes.Shown().size(), 1u);
    EXPECT_EQ(boxes.Shown()[0].text, "Errore di run-time '76':\n\nImpossibile trovare il percorso");
    EXPECT_EQ(dirs.Path(), Mid());
    // An error of the Change handler the user's opening started goes to the same box.
    dirs.Change = [] { runtime::Raise(runtime::errDeviceUnavailable); };
    dirs.SetPath(Mid());   // the same path: shown again, no Change
    dirs.SetListIndex(0);  // Beta, now first
    QTest::keyClick(&WidgetOf(dirs), Qt::Key_Return);
    ASSERT_EQ(boxes.Shown().size(), 2u);
    EXPECT_EQ(boxes.Shown()[1].text, "Errore di run-time '68':\n\nPeriferica non disponibile");
    EXPECT_EQ(dirs.Path(), Mid() + "/Beta");
}

// Drives: a test volume rooted in the temporary tree, beside the root file system.
class DirListBoxDrives : public DirListBoxTest {
protected:
    void SetUp() override {
        DirListBoxTest::SetUp();
        tree.MakeDirectory("vol");
        tree.MakeDirectory("vol/inner");
        tree.MakeDirectory("gone");
        volume = {tree.PathOf("vol"), "PROVA"};
        vanished = {tree.PathOf("gone"), "VIA"};
    }

    Volume volume;
    Volume vanished;
    runtime::InstallGuard<VolumeSource> source{
        InstallVolumeSource, [this] {
            return std::vector<Volume>{{"/", "root"}, volume, vanished};
        }};
};

TEST_F(DirListBoxDrives, ADrivesTextGoesToItsRootBeforeAnyVisit) {
    dirs.SetPath(DriveText(volume));
    EXPECT_EQ(dirs.Path(), volume.rootPath);
    EXPECT_EQ(changes, (std::vector<std::string>{volume.rootPath}));
}

TEST_F(DirListBoxDrives, ADrivesTextGoesToTheLastDirectoryShownOnIt) {
    dirs.SetPath(volume.rootPath + "/inner");
    dirs.SetPath(Mid());
    dirs.SetPath(DriveText(volume));
    EXPECT_EQ(dirs.Path(), volume.rootPath + "/inner");
    // The memory is the process's: another directory list goes there too.
    DirListBox another(form);
    another.SetPath(Mid());
    another.SetPath(DriveText(volume));
    EXPECT_EQ(another.Path(), volume.rootPath + "/inner");
    // And the root drive remembers the last directory outside the test volume.
    another.SetPath(DriveText({"/", "root"}));
    EXPECT_EQ(another.Path(), Mid());
}

TEST_F(DirListBoxDrives, ARememberedDirectoryThatWentLeavesTheDrivesRoot) {
    dirs.SetPath(volume.rootPath + "/inner");
    dirs.SetPath(Mid());
    tree.Remove("vol/inner");
    dirs.SetPath(DriveText(volume));
    EXPECT_EQ(dirs.Path(), volume.rootPath);
}

TEST_F(DirListBoxDrives, ADriveThatCannotBeReadRaises68) {
    dirs.SetPath(Mid());
    changes.clear();
    tree.Remove("gone");
    EXPECT_EQ(RaisedNumber([&] { dirs.SetPath(DriveText(vanished)); }),
              runtime::errDeviceUnavailable);
    EXPECT_EQ(dirs.Path(), Mid());
    EXPECT_TRUE(changes.empty());
}

}  // namespace
}  // namespace toolkit

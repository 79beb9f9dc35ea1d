// The file list over generated directories: which entries it lists, their order, the pattern,
// paths, errors, and the widget left empty while hidden.
#include "platform/toolkit/FileListBox.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QListWidget>
#include <QTest>
#include <cstdlib>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/DirListBox.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {
namespace {

using testing::RaisedNumber;
using testing::TempTree;

std::vector<std::string> Names(const FileListBox& files) {
    std::vector<std::string> names;
    for (runtime::Integer i = 0; i < files.ListCount(); i = i + 1) {
        names.push_back(files.List(i));
    }
    return names;
}

QListWidget& WidgetOf(const FileListBox& files) {
    return static_cast<QListWidget&>(*toolkit::qt::WidgetOf(files));
}

// A directory holding every kind of entry the list must tell apart.
class MixedDirectory : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"A.EXE", "b.dll", "C.Ocx", "notes.txt", "\xc3\x84rger.exe",
                                 "\xc3\xa9t\xc3\xa9.dll", "\xff\xfe.exe", ".x.exe"}) {
            tree.MakeFile(name);
        }
        tree.MakeDirectory("x.exe");
        tree.MakeFifo("y.dll");
        tree.MakeSymlink("b.dll", "link.exe");
        tree.MakeSymlink("nothing-here", "dead.exe");
        tree.MakeSymlink("x.exe", "dirlink.dll");
        tree.MakeSymlink("y.dll", "fifolink.ocx");
    }

    TempTree tree;
    Form form;
    FileListBox files{form};
};

TEST_F(MixedDirectory, ListsMatchingRegularFilesAndLinksToThemSortedIgnoringCase) {
    files.SetPattern("*.exe;*.dll;*.ocx");
    files.SetPath(tree.Root());
    // Left out: the hidden .x.exe, the directory x.exe and the link to it, the FIFO y.dll and
    // the link to it, the dangling link, notes.txt. Accented names sort after the ASCII letters;
    // the name with invalid UTF-8 shows replacement characters, which sort last.
    EXPECT_EQ(Names(files),
              (std::vector<std::string>{"A.EXE", "b.dll", "C.Ocx", "link.exe", "\xc3\x84rger.exe",
                                        "\xc3\xa9t\xc3\xa9.dll", "\xff\xfe.exe"}));
}

TEST_F(MixedDirectory, PatternPartsAreTrimmedAndMatchedIgnoringCase) {
    files.SetPattern(" *.EXE ;  *.Dll;");
    files.SetPath(tree.Root());
    EXPECT_EQ(Names(files),
              (std::vector<std::string>{"A.EXE", "b.dll", "link.exe", "\xc3\x84rger.exe",
                                        "\xc3\xa9t\xc3\xa9.dll", "\xff\xfe.exe"}));
}

TEST_F(MixedDirectory, TheDefaultPatternListsEveryNameWithAPoint) {
    EXPECT_EQ(files.Pattern(), "*.*");
    files.SetPath(tree.Root());
    EXPECT_EQ(files.ListCount().Value(), 8);  // the seven above and notes.txt
    EXPECT_EQ(files.List(4), "notes.txt");
}

TEST_F(MixedDirectory, SettingThePatternListsTheCurrentDirectoryAgain) {
    files.SetPath(tree.Root());
    files.SetPattern("*.ocx");
    EXPECT_EQ(Names(files), (std::vector<std::string>{"C.Ocx"}));
    files.SetPattern("?.exe");
    EXPECT_EQ(Names(files), (std::vector<std::string>{"A.EXE"}));
}

TEST_F(MixedDirectory, AMissingDirectoryRaises76AndKeepsTheOldListing) {
    files.SetPattern("*.ocx");
    files.SetPath(tree.Root());
    EXPECT_EQ(RaisedNumber([&] { files.SetPath(tree.PathOf("absent")); }),
              runtime::errPathNotFound);
    EXPECT_EQ(RaisedNumber([&] { files.SetPath(tree.PathOf("A.EXE")); }), runtime::errPathNotFound);
    EXPECT_EQ(RaisedNumber([&] { files.SetPath(""); }), runtime::errPathNotFound);
    EXPECT_EQ(files.Path(), tree.Root());
    EXPECT_EQ(Names(files), (std::vector<std::string>{"C.Ocx"}));
}

TEST(FileListBox, ADirectoryDeletedAfterItWasListed) {
    TempTree tree;
    tree.MakeDirectory("sub");
    tree.MakeFile("sub/one.exe");
    Form form;
    FileListBox files(form);
    files.SetPath(tree.PathOf("sub"));
    tree.Remove("sub");
    EXPECT_EQ(RaisedNumber([&] { files.SetPath(tree.PathOf("sub")); }), runtime::errPathNotFound);
    // Relisting for a new pattern fails the same way, and the pattern stays as it was.
    EXPECT_EQ(RaisedNumber([&] { files.SetPattern("*.dll"); }), runtime::errPathNotFound);
    EXPECT_EQ(files.Pattern(), "*.*");
    EXPECT_EQ(Names(files), (std::vector<std::string>{"one.exe"}));
    EXPECT_EQ(files.Path(), tree.PathOf("sub"));
}

TEST(FileListBox, PathsAreNormalised) {
    TempTree tree;
    tree.MakeDirectory("sub");
    Form form;
    FileListBox files(form);
    files.SetPath("/" + tree.Root() + "//sub/");
    EXPECT_EQ(files.Path(), tree.PathOf("sub"));
    files.SetPath("/");
    EXPECT_EQ(files.Path(), "/");
    files.SetPath("///");
    EXPECT_EQ(files.Path(), "/");
}

TEST(FileListBox, ARelativePathIsTakenFromTheWorkingDirectory) {
    TempTree tree;
    tree.MakeDirectory("sub");
    tree.MakeFile("sub/r.exe");
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(tree.Root().c_str()), 0);
    Form form;
    FileListBox files(form);
    files.SetPath("sub");
    const std::string path = files.Path();
    const std::vector<std::string> names = Names(files);
    ASSERT_EQ(::chdir(previous), 0);
    EXPECT_EQ(path, tree.PathOf("sub"));
    EXPECT_EQ(names, (std::vector<std::string>{"r.exe"}));
}

TEST(FileListBox, StartsListingTheWorkingDirectory) {
    TempTree tree;
    tree.MakeFile("start.exe");
    tree.MakeFile("other.dll");
    char previous[4096];
    ASSERT_NE(::getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(::chdir(tree.Root().c_str()), 0);
    Form form;
    FileListBox files(form);
    ASSERT_EQ(::chdir(previous), 0);
    EXPECT_EQ(files.Path(), tree.Root());
    EXPECT_EQ(files.Pattern(), "*.*");
    EXPECT_EQ(Names(files), (std::vector<std::string>{"other.dll", "start.exe"}));
    files.SetPattern("*.exe");
    EXPECT_EQ(Names(files), (std::vector<std::string>{"start.exe"}));
    EXPECT_EQ(RaisedNumber([&] { (void)files.List(1); }), runtime::errSubscriptOutOfRange);
}

TEST(FileListBox, AWorkingDirectoryThatWentStartsItInTheHomeDirectory) {
    TempTree tree;
    tree.MakeDirectory("gone");
    tree.MakeDirectory("casa");
    const testing::WorkingDirectoryAndHomeBack back;
    ::setenv("HOME", tree.PathOf("casa").c_str(), 1);
    ASSERT_EQ(::chdir(tree.PathOf("gone").c_str()), 0);
    tree.Remove("gone");
    Form form;
    FileListBox files(form);
    DirListBox dirs(form);
    EXPECT_EQ(files.Path(), tree.PathOf("casa"));
    EXPECT_EQ(dirs.Path(), tree.PathOf("casa"));
}

TEST(FileListBox, TheWidgetIsFilledOnlyWhileShown) {
    TempTree tree;
    for (const char* name : {"b.exe", "a.exe", "c.exe"}) {
        tree.MakeFile(name);
    }
    Form form;
    FileListBox files(form);
    files.SetVisible(false);
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(toolkit::qt::SurfaceOf(form)));
    files.SetPath(tree.Root());
    EXPECT_EQ(files.ListCount().Value(), 3);
    EXPECT_EQ(WidgetOf(files).count(), 0);
    files.SetVisible(true);
    ASSERT_EQ(WidgetOf(files).count(), 3);
    EXPECT_EQ(WidgetOf(files).item(0)->text(), "a.exe");
    // Shown, a new listing goes to the widget at once.
    files.SetPattern("c*");
    ASSERT_EQ(WidgetOf(files).count(), 1);
    EXPECT_EQ(WidgetOf(files).item(0)->text(), "c.exe");
}

}  // namespace
}  // namespace toolkit

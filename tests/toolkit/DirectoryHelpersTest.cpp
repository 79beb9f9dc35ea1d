// The helpers under the lists: path text, name patterns, and the bounded directory reading.
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/NamePattern.h"
#include "platform/toolkit/PathText.h"

namespace toolkit {
namespace {

using directory_listing::EntryKind;
using directory_listing::ListDirectory;
using testing::TempTree;
using testing::WorkingDirectoryAndHomeBack;

TEST(PathText, NormaliseCollapsesSeparatorsAndDropsTheTrailingOne) {
    EXPECT_EQ(path_text::Normalise("/a//b///c/"), "/a/b/c");
    EXPECT_EQ(path_text::Normalise("/a/./b/."), "/a/b");
    EXPECT_EQ(path_text::Normalise("//"), "/");
    EXPECT_EQ(path_text::Normalise("/"), "/");
    EXPECT_EQ(path_text::Normalise(""), "");
    EXPECT_EQ(path_text::Normalise("rel/x"), path_text::WorkingDirectory() == "/"
                                                 ? "/rel/x"
                                                 : path_text::WorkingDirectory() + "/rel/x");
}

TEST(PathText, AWorkingDirectoryThatIsGoneGivesTheHomeDirectory) {
    TempTree tree;
    tree.MakeDirectory("casa");
    tree.MakeDirectory("andata");
    const WorkingDirectoryAndHomeBack back;
    ::setenv("HOME", tree.PathOf("casa/").c_str(), 1);
    ASSERT_EQ(::chdir(tree.PathOf("andata").c_str()), 0);
    tree.Remove("andata");
    EXPECT_EQ(path_text::WorkingDirectory(), tree.PathOf("casa"));
    EXPECT_EQ(path_text::Normalise("icona.ico"), tree.PathOf("casa/icona.ico"));
    ::unsetenv("HOME");
    EXPECT_EQ(path_text::WorkingDirectory(), path_text::Normalise(::getpwuid(::getuid())->pw_dir));
}

TEST(PathText, HoldsPathComparesWholeComponents) {
    EXPECT_TRUE(path_text::HoldsPath("/", "/anything"));
    EXPECT_TRUE(path_text::HoldsPath("/media/usb", "/media/usb"));
    EXPECT_TRUE(path_text::HoldsPath("/media/usb", "/media/usb/x"));
    EXPECT_FALSE(path_text::HoldsPath("/media/usb", "/media/usbx"));
    EXPECT_FALSE(path_text::HoldsPath("/media/usb", "/media"));
    EXPECT_FALSE(path_text::HoldsPath("/", "relative"));
}

TEST(NamePattern, WildcardsIgnoringCase) {
    const NamePattern pattern("*.exe; *.DLL ;;");
    EXPECT_TRUE(pattern.Matches("setup.EXE"));
    EXPECT_TRUE(pattern.Matches("shell32.dll"));
    EXPECT_FALSE(pattern.Matches("readme.txt"));
    EXPECT_FALSE(pattern.Matches("exe"));
    EXPECT_TRUE(NamePattern("*.*").Matches("a.b"));
    EXPECT_FALSE(NamePattern("*.*").Matches("makefile"));
    EXPECT_TRUE(NamePattern("?.ico").Matches("A.ICO"));
    EXPECT_FALSE(NamePattern("?.ico").Matches("ab.ico"));
    EXPECT_TRUE(NamePattern("").Matches("anything"));
    EXPECT_TRUE(NamePattern(" ; ").Matches("anything"));
}

TEST(NamePattern, NamesThatAreNotValidUtf8StillMatch) {
    EXPECT_TRUE(NamePattern("*.exe").Matches("\xff\xfe.exe"));
    EXPECT_TRUE(NamePattern("*").Matches("\x80"));
    EXPECT_FALSE(NamePattern("*.dll").Matches("\xff\xfe.exe"));
}

TEST(DirectoryListing, OrderIgnoresCaseAndBreaksTiesByBytes) {
    EXPECT_TRUE(directory_listing::ListsBefore("a", "B"));
    EXPECT_TRUE(directory_listing::ListsBefore("A", "b"));
    EXPECT_TRUE(directory_listing::ListsBefore("A.exe", "a.exe"));
    EXPECT_FALSE(directory_listing::ListsBefore("a.exe", "A.exe"));
    EXPECT_FALSE(directory_listing::ListsBefore("x", "x"));
}

TEST(DirectoryListing, KeepsTheFirstNamesInOrderWhenThereAreMore) {
    TempTree tree;
    // More than twice the limit, created out of order, so the list is trimmed while reading.
    std::vector<std::string> created;
    for (int i = 29; i >= 0; --i) {
        const std::string name =
            std::string(1, static_cast<char>(i % 2 ? 'a' : 'A')) + std::to_string(100 + i);
        tree.MakeFile(name);
        created.push_back(name);
    }
    std::sort(created.begin(), created.end(), directory_listing::ListsBefore);
    const auto listing = ListDirectory(tree.Root(), EntryKind::RegularFile, {}, 7);
    EXPECT_EQ(listing.error, 0);
    EXPECT_EQ(listing.names, std::vector<std::string>(created.begin(), created.begin() + 7));
    EXPECT_TRUE(ListDirectory(tree.Root(), EntryKind::RegularFile, {}, 0).names.empty());
    EXPECT_EQ(ListDirectory(tree.Root(), EntryKind::RegularFile, {}, 100).names, created);
}

}  // namespace
}  // namespace toolkit

// The Windows services of the lists: directory listings, the logical drives, a drive that points
// nowhere (q:, linked to a missing directory by the test fixture) and the drives' directories.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <string>
#include <vector>

#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/Volumes.h"
#include "platform/toolkit/win32/DriveCurrentDirectory.h"
#include "tests/support/IconFixtures.h"
#include "tests/support/ScratchDirectory.h"

namespace {

using toolkit::directory_listing::EntryKind;
using toolkit::directory_listing::ListDirectory;

std::wstring Wide(const std::string& ascii) {
    return {ascii.begin(), ascii.end()};
}

class ListingWin32 : public testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"b.exe", "A.dll", "c.txt", "hidden.exe", "system.exe"}) {
            fixtures::WriteFile(PathOf(name), {1});
        }
        for (const char* name : {"Sub", "alpha", "secret"}) {
            ASSERT_TRUE(::CreateDirectoryW(Wide(PathOf(name)).c_str(), nullptr));
        }
        ASSERT_TRUE(
            ::SetFileAttributesW(Wide(PathOf("hidden.exe")).c_str(), FILE_ATTRIBUTE_HIDDEN));
        ASSERT_TRUE(
            ::SetFileAttributesW(Wide(PathOf("system.exe")).c_str(), FILE_ATTRIBUTE_SYSTEM));
        ASSERT_TRUE(::SetFileAttributesW(Wide(PathOf("secret")).c_str(), FILE_ATTRIBUTE_HIDDEN));
    }
    std::string PathOf(const std::string& name) const { return dir_.Path() + "\\" + name; }

    testsupport::ScratchDirectory dir_;
};

using Names = std::vector<std::string>;

TEST_F(ListingWin32, FilesOnlyVisibleOnesSortedIgnoringCase) {
    const auto listing = ListDirectory(dir_.Path(), EntryKind::RegularFile, {}, 100);

    EXPECT_EQ(listing.error, 0);
    EXPECT_EQ(listing.names, (Names{"A.dll", "b.exe", "c.txt"}));
}

TEST_F(ListingWin32, DirectoriesOnlyVisibleOnesSortedIgnoringCase) {
    const auto listing = ListDirectory(dir_.Path() + "\\", EntryKind::Directory, {}, 100);

    EXPECT_EQ(listing.names, (Names{"alpha", "Sub"}));
}

TEST_F(ListingWin32, TakesWhatIsAcceptedUpToTheLimit) {
    const auto accept = [](const std::string& name) { return name != "A.dll"; };

    EXPECT_EQ(ListDirectory(dir_.Path(), EntryKind::RegularFile, accept, 1).names,
              (Names{"b.exe"}));
}

TEST_F(ListingWin32, MissingDirectoryIsEnoent) {
    EXPECT_EQ(ListDirectory(PathOf("missing"), EntryKind::Directory, {}, 100).error, ENOENT);
}

TEST(VolumesWin32, LogicalDrivesAsLetterAndColon) {
    std::vector<std::string> roots;
    for (const toolkit::Volume& volume : toolkit::MountedVolumes()) {
        roots.push_back(volume.rootPath);
    }
    EXPECT_NE(std::find(roots.begin(), roots.end(), "c:"), roots.end());
    EXPECT_NE(std::find(roots.begin(), roots.end(), "z:"), roots.end());
}

// Wine leaves a drive whose link points nowhere out of the logical drives; going there fails.
TEST(VolumesWin32, DriveThatPointsNowhereCannotBeRead) {
    EXPECT_NE(ListDirectory("q:\\", EntryKind::Directory, {}, 100).error, 0);
    EXPECT_NE(ListDirectory("q:\\", EntryKind::RegularFile, {}, 100).error, 0);
}

TEST(VolumesWin32, DriveDirectoryIsTheProcessCurrentOneOnIt) {
    wchar_t working[MAX_PATH];
    ASSERT_GT(::GetCurrentDirectoryW(MAX_PATH, working), 2u);
    const std::string current(working, working + std::wcslen(working));

    EXPECT_EQ(toolkit::win32::CurrentDirectoryOfDrive(current.substr(0, 2) + " [label]"), current);
    EXPECT_EQ(toolkit::win32::CurrentDirectoryOfDrive("no drive"), "");
}

}  // namespace

// Saving on Windows: the replace through a temporary file, the errors, the old file kept on
// failure, and directory names.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/files/FilePaths.h"
#include "platform/picture/IcoFileWriter.h"
#include "platform/picture/SavePicture.h"
#include "platform/runtime/RuntimeError.h"
#include "tests/picture/PictureTestSupport.h"
#include "tests/support/IconFixtures.h"
#include "tests/support/RaisedNumber.h"
#include "tests/support/ScratchDirectory.h"

namespace {

using platform::icons::IconGroup;
using platform::picture::IPictureDisp;
using platform::picture::Picture;
using platform::picture::SavePicture;
using testsupport::RaisedNumber;

class SaveWin32 : public testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return dir_.Path() + "\\" + name; }
    static std::wstring Wide(const std::string& ascii) { return {ascii.begin(), ascii.end()}; }

    static IPictureDisp SomePicture() {
        const IconGroup group = picture_test::GroupOf(
            {fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 4, .seed = 1}),
             fixtures::MakePngImage(256, 256, 5)});
        return std::make_shared<const Picture>(0, std::make_shared<const IconGroup>(group));
    }

    testsupport::ScratchDirectory dir_;
};

const fixtures::Bytes kOld = {'o', 'l', 'd'};

TEST_F(SaveWin32, ReplacesAnExistingFileWithTheIco) {
    fixtures::WriteFile(PathOf("a.ico"), kOld);

    SavePicture(SomePicture(), PathOf("a.ico"));

    const fixtures::Bytes saved = picture_test::ReadFile(PathOf("a.ico"));
    ASSERT_GT(saved.size(), 6u);
    EXPECT_EQ(saved[2], 1);  // an icon file
    EXPECT_EQ(picture_test::FilesIn(dir_.Path()), std::vector<std::string>{"a.ico"});
}

TEST_F(SaveWin32, MissingDirectoryIs76) {
    EXPECT_EQ(RaisedNumber([&] { SavePicture(SomePicture(), PathOf("missing\\a.ico")); }),
              runtime::errPathNotFound);
}

TEST_F(SaveWin32, FileInUseIs70AndStaysWithNoTemporaryFile) {
    fixtures::WriteFile(PathOf("busy.ico"), kOld);
    const HANDLE held = ::CreateFileW(Wide(PathOf("busy.ico")).c_str(), GENERIC_READ, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);

    EXPECT_EQ(RaisedNumber([&] { SavePicture(SomePicture(), PathOf("busy.ico")); }),
              runtime::errPermissionDenied);

    ::CloseHandle(held);
    EXPECT_EQ(picture_test::ReadFile(PathOf("busy.ico")), kOld);
    EXPECT_EQ(picture_test::FilesIn(dir_.Path()), std::vector<std::string>{"busy.ico"});
}

TEST_F(SaveWin32, ReadOnlyFileIs70AndStays) {
    fixtures::WriteFile(PathOf("ro.ico"), kOld);
    ASSERT_TRUE(::SetFileAttributesW(Wide(PathOf("ro.ico")).c_str(), FILE_ATTRIBUTE_READONLY));

    EXPECT_EQ(RaisedNumber([&] { SavePicture(SomePicture(), PathOf("ro.ico")); }),
              runtime::errPermissionDenied);

    ::SetFileAttributesW(Wide(PathOf("ro.ico")).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(picture_test::ReadFile(PathOf("ro.ico")), kOld);
    EXPECT_EQ(picture_test::FilesIn(dir_.Path()), std::vector<std::string>{"ro.ico"});
}

TEST_F(SaveWin32, DirectoryInTheWayIs75) {
    ASSERT_TRUE(::CreateDirectoryW(Wide(PathOf("d.ico")).c_str(), nullptr));

    EXPECT_EQ(RaisedNumber([&] { SavePicture(SomePicture(), PathOf("d.ico")); }),
              runtime::errPathFileAccess);
}

TEST(FilePathsWin32, DirectoryOfKnowsDrivesAndBothSeparators) {
    using platform::files::DirectoryOf;
    EXPECT_EQ(DirectoryOf("c:\\a\\b.ico"), "c:\\a");
    EXPECT_EQ(DirectoryOf("c:/a/b.ico"), "c:/a");
    EXPECT_EQ(DirectoryOf("c:\\b.ico"), "c:\\");
    EXPECT_EQ(DirectoryOf("c:\\\\b.ico"), "c:\\");
    EXPECT_EQ(DirectoryOf("c:b.ico"), "c:");
    EXPECT_EQ(DirectoryOf("\\b.ico"), "\\");
    EXPECT_EQ(DirectoryOf("b.ico"), ".");
}

}  // namespace

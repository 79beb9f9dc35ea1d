// The Windows byte source: names are UTF-8, pipes and devices are refused, and a file another
// program holds open for writing is still read, and may still be deleted while it is read.
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>
#include <string>

#include "platform/icons/FileSource.h"
#include "platform/icons/IconService.h"
#include "tests/icons/IconTestSupport.h"
#include "tests/support/NativePath.h"

namespace {

using fixtures::Bytes;
using platform::icons::ExtractIconA;
using platform::icons::FileSource;

Bytes OneIconPe() {
    fixtures::PeBuilder pe;
    pe.AddIcon(1, fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8}).bytes);
    pe.AddGroup(1, {1});
    return pe.Build(false);
}

// Whether the file gives an icon at index 0 (the handle freed again).
bool GivesIcon(const std::string& path) {
    const auto icon = ExtractIconA(0, path, 0);
    return icon != 0 && platform::icons::DestroyIcon(icon);
}

TEST(FileSourceWin32, NamesAreUtf8) {
    icon_tests::ScratchDir dir;
    EXPECT_TRUE(GivesIcon(dir.Write("ic\xC3\xB4ne \xE2\x9C\x93.dll", OneIconPe())));
    EXPECT_TRUE(GivesIcon(dir.Write("caf\xC3\xA9.exe", OneIconPe())));
    EXPECT_FALSE(GivesIcon(dir.File("caf\xE9.exe"))) << "Latin-1 bytes are not the ANSI name";
    EXPECT_FALSE(GivesIcon(dir.File("caf\xC3.exe"))) << "a cut UTF-8 sequence names no file";
}

TEST(FileSourceWin32, PipesAndDevicesAreRefused) {
    const std::string pipe = "\\\\.\\pipe\\quorvane-" + std::to_string(::GetCurrentProcessId());
    const HANDLE server =
        ::CreateNamedPipeW(std::wstring(pipe.begin(), pipe.end()).c_str(), PIPE_ACCESS_OUTBOUND,
                           PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    EXPECT_EQ(FileSource::Open(pipe), nullptr);
    ::CloseHandle(server);
    EXPECT_EQ(FileSource::Open("NUL"), nullptr);
    EXPECT_EQ(FileSource::Open("\\\\.\\NUL"), nullptr);
    // Under Wine, where Z: is the Unix root, these are character devices; on Windows, no file.
    EXPECT_EQ(FileSource::Open("/dev/null"), nullptr);
    EXPECT_EQ(FileSource::Open("/dev/zero"), nullptr);
}

TEST(FileSourceWin32, AFileOpenForWritingElsewhereIsReadAndMayBeDeleted) {
    icon_tests::ScratchDir dir;
    const Bytes bytes = OneIconPe();
    const std::string path = dir.Write("busy.dll", bytes);
    const HANDLE writer = ::CreateFileW(testsupport::NativePath(path).c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    const auto source = FileSource::Open(path);
    ::CloseHandle(writer);
    ASSERT_NE(source, nullptr);

    EXPECT_TRUE(::DeleteFileW(testsupport::NativePath(path).c_str())) << ::GetLastError();
    Bytes read(bytes.size());
    EXPECT_TRUE(source->ReadAt(0, read));
    EXPECT_EQ(read, bytes);
    EXPECT_FALSE(source->ReadAt(1, read)) << "a read past the end";
}

std::optional<platform::icons::SourceIdentity> IdentityOf(const std::string& path) {
    const auto source = FileSource::Open(path);
    return source ? source->Identity() : std::nullopt;
}

TEST(FileSourceWin32, IdentityNamesTheFile) {
    icon_tests::ScratchDir dir;
    const std::string a = dir.Write("a.dll", OneIconPe());
    const std::string b = dir.Write("b.dll", OneIconPe());
    const auto identity = IdentityOf(a);
    ASSERT_TRUE(identity);
    EXPECT_EQ(IdentityOf(a), identity);
    EXPECT_NE(IdentityOf(b), identity) << "another file, though the same bytes";
    EXPECT_EQ(identity->size, OneIconPe().size());
}

}  // namespace

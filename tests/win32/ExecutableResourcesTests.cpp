// Quorvane.exe's resources, as the probe program built with them carries them: icon group 1 with
// the three images of app/resources/quorvane.ico, the Italian version record, and nothing else;
// and the program itself is a 32-bit graphical one.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/icons/IconService.h"
#include "tests/support/NativePath.h"

namespace {

using platform::icons::ExtractIconA;
using platform::icons::IconGroupOf;

std::filesystem::path NextToThisProgram(const std::wstring& name) {
    std::wstring self(32768, L'\0');
    self.resize(::GetModuleFileNameW(nullptr, self.data(), DWORD(self.size())));
    return std::filesystem::path(self).parent_path() / name;
}

const std::filesystem::path kProbe = NextToThisProgram(L"quorvane_resource_probe.exe");

// The group at an index, read by our own reader (the handle freed again).
std::shared_ptr<const platform::icons::IconGroup> GroupAt(const std::filesystem::path& file,
                                                          std::int32_t index) {
    const auto icon = ExtractIconA(0, testsupport::ProgramPath(file), index);
    auto group = IconGroupOf(icon);
    platform::icons::DestroyIcon(icon);
    return group;
}

TEST(ExecutableResources, IconGroupIsTheApplicationIcon) {
    const auto group = GroupAt(kProbe, 0);
    const auto ico = GroupAt(NextToThisProgram(L"quorvane.ico"), 0);
    ASSERT_TRUE(group);
    ASSERT_TRUE(ico);
    ASSERT_EQ(group->images.size(), 3u);
    ASSERT_EQ(ico->images.size(), 3u);
    const int sizes[] = {16, 32, 48};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(group->images[i].entry.PixelWidth(), sizes[i]);
        EXPECT_EQ(group->images[i].entry.PixelHeight(), sizes[i]);
        EXPECT_EQ(group->images[i].entry.bitCount, 8);
        EXPECT_EQ(group->images[i].bytes, ico->images[i].bytes) << "image " << i;
    }
    EXPECT_EQ(GroupAt(kProbe, 1), nullptr) << "one icon group only";
}

// A resource type or name as text: "#N" for a number.
std::wstring NameOf(LPCWSTR name) {
    return IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                                : std::wstring(name);
}

BOOL CALLBACK AddName(HMODULE, LPCWSTR, LPWSTR name, LONG_PTR list) {
    reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(NameOf(name));
    return TRUE;
}

BOOL CALLBACK AddType(HMODULE, LPWSTR type, LONG_PTR list) {
    reinterpret_cast<std::vector<std::wstring>*>(list)->push_back(NameOf(type));
    return TRUE;
}

TEST(ExecutableResources, IconsAGroupAndTheVersionRecordOnly) {
    const HMODULE probe = ::LoadLibraryExW(kProbe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(probe, nullptr);
    std::vector<std::wstring> types, icons, groups, versions;
    ::EnumResourceTypesW(probe, AddType, LONG_PTR(&types));
    ::EnumResourceNamesW(probe, RT_ICON, AddName, LONG_PTR(&icons));
    ::EnumResourceNamesW(probe, RT_GROUP_ICON, AddName, LONG_PTR(&groups));
    ::EnumResourceNamesW(probe, RT_VERSION, AddName, LONG_PTR(&versions));
    ::FreeLibrary(probe);
    EXPECT_EQ(types, (std::vector<std::wstring>{L"#3", L"#14", L"#16"})) << "no manifest either";
    EXPECT_EQ(icons.size(), 3u);
    EXPECT_EQ(groups, std::vector<std::wstring>{L"#1"});
    EXPECT_EQ(versions, std::vector<std::wstring>{L"#1"});
}

// A value of the version record, as VerQueryValueW finds it; empty when it is not there.
std::vector<std::uint8_t> VersionValue(const std::wstring& path) {
    DWORD ignored = 0;
    std::vector<std::uint8_t> record(::GetFileVersionInfoSizeW(kProbe.c_str(), &ignored));
    void* value = nullptr;
    UINT length = 0;
    if (record.empty() ||
        !::GetFileVersionInfoW(kProbe.c_str(), 0, DWORD(record.size()), record.data()) ||
        !::VerQueryValueW(record.data(), path.c_str(), &value, &length)) {
        return {};
    }
    const auto* bytes = static_cast<const std::uint8_t*>(value);
    const bool text = path.starts_with(L"\\StringFileInfo");
    return std::vector<std::uint8_t>(bytes, bytes + length * (text ? sizeof(wchar_t) : 1));
}

std::wstring VersionText(const std::wstring& name) {
    const auto bytes = VersionValue(L"\\StringFileInfo\\041004b0\\" + name);
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text.substr(0, text.find(L'\0'));
}

TEST(ExecutableResources, VersionRecordIsItalianOneHundred) {
    const auto fixed = VersionValue(L"\\");
    ASSERT_EQ(fixed.size(), sizeof(VS_FIXEDFILEINFO));
    VS_FIXEDFILEINFO info{};
    std::memcpy(&info, fixed.data(), sizeof info);
    EXPECT_EQ(info.dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(info.dwFileVersionMS, 0x00010000u);  // 1.0.0.0
    EXPECT_EQ(info.dwFileVersionLS, 0u);
    EXPECT_EQ(info.dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(info.dwProductVersionLS, 0u);
    EXPECT_EQ(info.dwFileType, DWORD(VFT_APP));
    EXPECT_EQ(VersionValue(L"\\VarFileInfo\\Translation"),
              (std::vector<std::uint8_t>{0x10, 0x04, 0xB0, 0x04}));  // 0x0410, 1200
    EXPECT_EQ(VersionText(L"CompanyName"), L"Osterquill");
    EXPECT_EQ(VersionText(L"ProductName"), L"Quorvane");
    EXPECT_EQ(VersionText(L"FileVersion"), L"1.00");
    EXPECT_EQ(VersionText(L"ProductVersion"), L"1.00");
    EXPECT_EQ(VersionText(L"InternalName"), L"Quorvane");
    EXPECT_EQ(VersionText(L"OriginalFilename"), L"Quorvane.exe");
}

// A graphical program for the processor of the build: 32-bit x86 for the download, x86-64 for the
// build the tests run under 64-bit Wine.
TEST(ExecutableResources, AGraphicalProgramForTheBuildsProcessor) {
#ifdef _WIN64
    constexpr WORD kMachine = IMAGE_FILE_MACHINE_AMD64;
#else
    constexpr WORD kMachine = IMAGE_FILE_MACHINE_I386;
#endif
    std::ifstream in(kProbe, std::ios::binary);
    const std::vector<char> file{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(file.size(), 0x40u);
    std::uint32_t headers = 0;
    std::memcpy(&headers, file.data() + 0x3C, 4);
    ASSERT_LT(headers, file.size() - sizeof(IMAGE_NT_HEADERS));
    IMAGE_NT_HEADERS nt{};
    std::memcpy(&nt, file.data() + headers, sizeof nt);
    EXPECT_EQ(nt.Signature, DWORD(IMAGE_NT_SIGNATURE));
    EXPECT_EQ(nt.FileHeader.Machine, kMachine);
    EXPECT_EQ(nt.OptionalHeader.Magic, IMAGE_NT_OPTIONAL_HDR_MAGIC);
    EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

}  // namespace

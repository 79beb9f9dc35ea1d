// The icons of a system DLL kept in SystemResources\<name>.mun beside its System32 or SysWOW64.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <chrono>
#include <filesystem>

#include "platform/icons/IconFile.h"
#include "platform/icons/IconService.h"
#include "platform/icons/detail/DirectoryIndex.h"
#include "tests/icons/IconTestSupport.h"
#include "tests/support/FileTimes.h"
#include "tests/support/NativePath.h"

namespace {

using fixtures::Bytes;
using platform::icons::DestroyIcon;
using platform::icons::ExtractIconA;
using platform::icons::IconGroupOf;
using platform::icons::MunFileFor;
using platform::icons::WhyNoIcon;
using platform::icons::detail::DirectoryListingsMade;

Bytes Image(std::uint32_t seed) {
    return fixtures::MakeDibImage({.width = 16, .height = 16, .seed = seed}).bytes;
}

// A PE file with `icons` single-image icons (images seed, seed + 1, ...), or none at all.
Bytes Pe(int icons, std::uint32_t seed) {
    fixtures::PeBuilder pe;
    pe.AddResource(16, 1, Bytes(64, 1));  // a version record, so the file has resources
    for (int i = 0; i < icons; ++i) {
        pe.AddIcon(std::uint16_t(i + 1), Image(seed + std::uint32_t(i)));
        pe.AddGroup(i + 1, {std::uint16_t(i + 1)});
    }
    return pe.Build(true);
}

class MunRedirect : public ::testing::Test {
protected:
    std::string Write(const std::string& relative, const Bytes& bytes) {
        std::filesystem::create_directories(
            std::filesystem::path(dir_.File(relative)).parent_path());
        return dir_.Write(relative, bytes);
    }

    // The first image of icon `index`, or empty when the path gives no icon there.
    static Bytes FirstImage(const std::string& path, std::int32_t index) {
        const auto icon = ExtractIconA(0, path, index);
        const Bytes bytes = icon != 0 ? IconGroupOf(icon)->images[0].bytes.Vector() : Bytes();
        DestroyIcon(icon);
        return bytes;
    }

    icon_tests::ScratchDir dir_;
};

TEST_F(MunRedirect, AnIconlessSystemDllGivesTheIconsOfItsMunFile) {
    const std::string dll = Write("Windows/System32/shell32.dll", Pe(0, 0));
    const std::string mun = Write("Windows/SystemResources/shell32.dll.mun", Pe(2, 10));

    EXPECT_EQ(FirstImage(dll, 0), Image(10));
    EXPECT_EQ(FirstImage(dll, 1), Image(11));
    EXPECT_EQ(FirstImage(dll, 2), Bytes());
    EXPECT_EQ(FirstImage(mun, 1), Image(11)) << "a .mun file opened directly";
}

TEST_F(MunRedirect, NamesMatchIgnoringCaseAndOnlySystemDirectoriesRedirect) {
    const std::string dll = Write("WINDOWS/sysWOW64/Imageres.DLL", Pe(0, 0));
    Write("WINDOWS/systemresources/imageres.dll.MUN", Pe(1, 20));
    const std::string elsewhere = Write("WINDOWS/Apps/imageres.dll", Pe(0, 0));
    const std::string own = Write("WINDOWS/sysWOW64/own.dll", Pe(1, 30));
    Write("WINDOWS/systemresources/own.dll.mun", Pe(1, 40));

    EXPECT_EQ(FirstImage(dll, 0), Image(20));
    EXPECT_EQ(FirstImage(elsewhere, 0), Bytes());
    EXPECT_EQ(FirstImage(own, 0), Image(30)) << "a DLL with icons of its own keeps them";
}

TEST_F(MunRedirect, AMissingEmptyOrUnreadableMunGivesNoIcon) {
    const std::string missing = Write("Windows/System32/a.dll", Pe(0, 0));
    const std::string empty = Write("Windows/System32/b.dll", Pe(0, 0));
    Write("Windows/SystemResources/b.dll.mun", Pe(0, 0));

    EXPECT_EQ(FirstImage(missing, 0), Bytes());
    EXPECT_EQ(WhyNoIcon(missing, 0), "the resource table has no icon groups (RT_GROUP_ICON)");
    EXPECT_EQ(FirstImage(empty, 0), Bytes());
    EXPECT_NE(WhyNoIcon(empty, 0).find("its icons would be in "), std::string::npos);
#ifndef _WIN32
    const std::string fifo = Write("Windows/System32/c.dll", Pe(0, 0));
    ASSERT_EQ(::mkfifo(dir_.File("Windows/SystemResources/c.dll.mun").c_str(), 0600), 0);
    EXPECT_EQ(FirstImage(fifo, 0), Bytes()) << "a FIFO is never waited on";
#endif
}

// A relative path is read from the working directory: `./shell32.dll` run inside System32 (and a
// bare name, and one reached through "..") takes the redirect too.
TEST_F(MunRedirect, ARelativePathInsideSystem32IsRedirected) {
    Write("Windows/System32/shell32.dll", Pe(0, 0));
    Write("Windows/SystemResources/shell32.dll.mun", Pe(1, 50));
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(dir_.File("Windows/System32"));

    const Bytes dotted = FirstImage("./shell32.dll", 0);
    const Bytes bare = FirstImage("shell32.dll", 0);
    const Bytes throughParent = FirstImage("../System32/shell32.dll", 0);
    const std::string mun = MunFileFor("./shell32.dll");
    std::filesystem::current_path(before);

    EXPECT_EQ(dotted, Image(50));
    EXPECT_EQ(bare, Image(50));
    EXPECT_EQ(throughParent, Image(50));
    EXPECT_TRUE(std::filesystem::equivalent(
        mun, std::filesystem::path(dir_.File("Windows/SystemResources/shell32.dll.mun"))));
}

// Each directory is listed once while it stays the same, and again once it changes.
TEST_F(MunRedirect, ADirectoryIsListedOnceUntilItChanges) {
    const std::string a = Write("Windows/System32/a.dll", Pe(0, 0));
    const std::string b = Write("Windows/System32/b.dll", Pe(0, 0));
    const std::string c = Write("Windows/System32/c.dll", Pe(0, 0));
    Write("Windows/SystemResources/a.dll.mun", Pe(1, 60));
    Write("Windows/SystemResources/b.dll.mun", Pe(1, 61));
    // Directories changed long ago: their listings can be trusted from one call to the next.
    testsupport::SetModifiedHoursAgo(dir_.File("Windows"), 1);
    testsupport::SetModifiedHoursAgo(dir_.File("Windows/SystemResources"), 1);

    const std::size_t start = DirectoryListingsMade();
    EXPECT_FALSE(MunFileFor(a).empty());
    const std::size_t first = DirectoryListingsMade() - start;
    EXPECT_FALSE(MunFileFor(b).empty());
    EXPECT_EQ(MunFileFor(c), "");
    const std::size_t reused = DirectoryListingsMade() - start;
    const std::string cMun = Write("Windows/SystemResources/c.dll.mun", Pe(1, 62));
    const std::string found = MunFileFor(c);
    const std::size_t changed = DirectoryListingsMade() - start;

    EXPECT_EQ(first, 2u) << "the Windows directory and SystemResources";
    EXPECT_EQ(reused, 2u);
    EXPECT_EQ(changed, 3u) << "SystemResources again, the Windows directory is unchanged";
    EXPECT_EQ(std::filesystem::path(found).lexically_normal(),
              std::filesystem::path(cMun).lexically_normal());
    EXPECT_EQ(FirstImage(c, 0), Image(62));
}

}  // namespace

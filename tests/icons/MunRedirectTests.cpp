// The icons of a system DLL kept in SystemResources\<name>.mun beside its System32 or SysWOW64.
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <filesystem>

#include "platform/icons/IconService.h"
#include "tests/icons/IconTestSupport.h"
#include "tests/support/NativePath.h"

namespace {

using fixtures::Bytes;
using platform::icons::DestroyIcon;
using platform::icons::ExtractIconA;
using platform::icons::IconGroupOf;
using platform::icons::WhyNoIcon;

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

}  // namespace

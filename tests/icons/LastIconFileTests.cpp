// What the icon service keeps of the last file between calls: its parsed directories, never its
// descriptor, and only while the path names the same unchanged file.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/icons/IconService.h"
#include "tests/icons/IconTestSupport.h"
#include "tests/support/NativePath.h"

namespace {

using fixtures::Bytes;
using platform::icons::DestroyIcon;
using platform::icons::ExtractIconA;
using platform::icons::IconGroupOf;

Bytes Image(std::uint32_t seed, int size = 16) {
    return fixtures::MakeDibImage({.width = size, .height = size, .seed = seed}).bytes;
}

Bytes TwoIcons(std::uint32_t seed, int size = 16) {
    fixtures::PeBuilder pe;
    pe.AddIcon(1, Image(seed, size));
    pe.AddIcon(2, Image(seed + 1, size));
    pe.AddGroup(1, {1});
    pe.AddGroup(2, {2});
    return pe.Build(false);
}

Bytes FirstImage(const std::string& path, std::int32_t index) {
    const auto icon = ExtractIconA(0, path, index);
    const Bytes bytes = icon != 0 ? IconGroupOf(icon)->images[0].bytes.Vector() : Bytes();
    DestroyIcon(icon);
    return bytes;
}

TEST(LastIconFile, AFileChangedOrReplacedBetweenCallsIsReadAnew) {
    icon_tests::ScratchDir dir;
    const std::string path = dir.Write("a.dll", TwoIcons(1));
    ASSERT_EQ(FirstImage(path, 0), Image(1));

    dir.Write("a.dll", TwoIcons(5, 32));  // rewritten in place, another size
    EXPECT_EQ(FirstImage(path, 1), Image(6, 32));

    const std::string other = dir.Write("b.dll", TwoIcons(9));
    std::filesystem::rename(testsupport::NativePath(other),
                            testsupport::NativePath(path));  // another file now has the name
    EXPECT_EQ(FirstImage(path, 1), Image(10));
    EXPECT_EQ(FirstImage(dir.Write("c.dll", TwoIcons(20)), 0), Image(20));
    EXPECT_EQ(FirstImage(path, 0), Image(9)) << "the path read before another one";
}

TEST(LastIconFile, NoDescriptorStaysOpenBetweenCalls) {
#ifndef __linux__
    GTEST_SKIP() << "reads the process's open descriptors from /proc";
#endif
    icon_tests::ScratchDir dir;
    const std::string path = dir.Write("kept.dll", TwoIcons(1));
    DestroyIcon(ExtractIconA(0, path, 0));

    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ignored;
        EXPECT_NE(std::filesystem::read_symlink(entry.path(), ignored).string(), path);
    }
}

}  // namespace

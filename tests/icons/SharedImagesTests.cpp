// What the icon service holds from a file: images and groups named over and over are held once,
// a file rewritten in place is never served stale, and all holders of one file stay inside one
// budget.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <set>
#include <vector>

#include "platform/icons/IconDescription.h"
#include "platform/icons/IconFile.h"
#include "platform/icons/IconService.h"
#include "platform/icons/detail/SharedResources.h"
#include "tests/icons/IconTestSupport.h"
#include "tests/support/NativePath.h"

namespace {

using fixtures::Bytes;
using platform::icons::DestroyIcon;
using platform::icons::ExtractIconA;
using platform::icons::HICON;
using platform::icons::IconGroupOf;

// Every icon of the file from index 0 on, as long as the file gives one, kept alive.
std::vector<HICON> ExtractAll(const std::string& path) {
    std::vector<HICON> icons;
    for (HICON icon; (icon = ExtractIconA(0, path, std::int32_t(icons.size()))) != 0;) {
        icons.push_back(icon);
    }
    return icons;
}

void DestroyAll(const std::vector<HICON>& icons) {
    for (const HICON icon : icons) {
        EXPECT_TRUE(DestroyIcon(icon));
    }
}

void SetModified(const std::string& path, std::int64_t seconds) {
    const std::chrono::sys_seconds time{std::chrono::seconds(seconds)};
    std::filesystem::last_write_time(testsupport::NativePath(path),
                                     std::chrono::file_clock::from_sys(time));
}

// A file opened apart reads the same snapshot ExtractIconA hands out, and one image read on its own
// from a description's range is the very buffer the snapshot holds.
TEST(SharedImages, AnOpenedFileReadsTheSnapshotsAndSingleImagesTheServiceHolds) {
    icon_tests::ScratchDir dir;
    const fixtures::FixtureImage small = fixtures::MakeDibImage({.width = 16, .height = 16});
    const fixtures::FixtureImage big = fixtures::MakePngImage(48, 48, 3);
    fixtures::PeBuilder pe;
    pe.AddIcon(1, small.bytes);
    pe.AddIcon(2, big.bytes);
    pe.AddGroup(7, {1, 2});
    pe.AddGroup(8, {9});  // names an icon the file lacks
    const std::string path = dir.Write("two.dll", pe.Build(false));
    const HICON icon = ExtractIconA(0, path, 0);
    ASSERT_NE(icon, 0u);

    const auto file = platform::icons::IconFile::Open(path);
    ASSERT_TRUE(file);
    const auto group = platform::icons::ReadGroup(*file, 0);
    ASSERT_TRUE(group);
    EXPECT_EQ(*group, IconGroupOf(icon));
    EXPECT_FALSE(platform::icons::ReadGroup(*file, 2));

    std::vector<platform::icons::DescribedImage> described;
    platform::icons::DescribeIconGroups(
        *file, [&](const platform::icons::DescribedGroup& g) { described = g.images; });
    ASSERT_EQ(described.size(), 0u) << "the last group names no image the file has";
    std::vector<std::uint32_t> seen;
    platform::icons::DescribeIconGroups(
        *file,
        [&](const platform::icons::DescribedGroup& g) {
            seen.push_back(g.index);
            described = g.images;
        },
        0);
    EXPECT_EQ(seen, std::vector<std::uint32_t>{0}) << "the groups after the last are not read";
    ASSERT_EQ(described.size(), 2u);
    const auto image = platform::icons::ReadImageAt(*file, described[1].range);
    ASSERT_TRUE(image);
    EXPECT_EQ(*image, big.bytes);
    EXPECT_TRUE(image->SharesBufferWith((*group)->images[1].bytes));
    EXPECT_FALSE(platform::icons::ReadImageAt(*file, {described[1].range.offset, 0}));
    DestroyIcon(icon);
}

TEST(SharedImages, GroupsNamingOneGroupShareOneSnapshotOverOneImage) {
    icon_tests::ScratchDir dir;
    const std::string path = dir.Write("repeated.dll", fixtures::BuildRepeatedGroupPe(300, 246));

    const std::vector<HICON> icons = ExtractAll(path);

    ASSERT_EQ(icons.size(), 300u);
    const auto first = IconGroupOf(icons.front());
    ASSERT_EQ(first->images.size(), 246u);
    for (const auto& image : first->images) {
        EXPECT_TRUE(image.bytes.SharesBufferWith(first->images.front().bytes));
    }
    for (const HICON icon : icons) {
        EXPECT_EQ(IconGroupOf(icon), first) << "one snapshot, held by every handle";
    }
    DestroyAll(icons);
}

TEST(SharedImages, AFileRewrittenInPlaceWithTheSameSizeAndTimeIsReadAnew) {
    icon_tests::ScratchDir dir;
    const auto image = [](std::uint32_t seed) {
        return fixtures::MakeDibImage({.width = 16, .height = 16, .seed = seed}).bytes;
    };
    const auto file = [&image](std::uint32_t seed) {
        fixtures::PeBuilder pe;
        pe.AddIcon(1, image(seed));
        pe.AddGroup(1, {1});
        return pe.Build(false);
    };
    const std::string path = dir.Write("same.dll", file(1));
    SetModified(path, 1'000'000'000);
    const HICON before = ExtractIconA(0, path, 0);
    ASSERT_NE(before, 0u);

    fixtures::WriteFile(path, file(2));  // same inode, same size
    SetModified(path, 1'000'000'000);
    const HICON after = ExtractIconA(0, path, 0);

    ASSERT_NE(after, 0u);
    EXPECT_EQ(IconGroupOf(after)->images[0].bytes, image(2));
    EXPECT_EQ(IconGroupOf(before)->images[0].bytes, image(1));
    DestroyAll({before, after});
}

// A file of 40 groups, each naming its own image resource; the resources all overlap one large
// image, each starting 4 bytes further in: 40 different images of ~270 KB in a ~280 KB file.
Bytes OverlappingImages() {
    const Bytes big = fixtures::MakeDibImage({.width = 256, .height = 256}).bytes;
    fixtures::PeBuilder pe;
    for (std::uint16_t id = 1; id <= 40; ++id) {
        pe.AddIcon(id, id == 1 ? big : fixtures::MakeOpaqueBytes(4, id));
        pe.AddGroup(id, {id});
    }
    fixtures::BuiltPe built = pe.BuildWithLayout({});
    const std::size_t first = built.layout.iconDataEntries.at(1);
    for (std::uint16_t id = 2; id <= 40; ++id) {
        const std::size_t entry = built.layout.iconDataEntries.at(id);
        fixtures::Poke32(built.bytes, entry, fixtures::Peek32(built.bytes, first) + 4u * id);
        fixtures::Poke32(built.bytes, entry + 4, std::uint32_t(big.size()) - 4u * id);
    }
    return built.bytes;
}

TEST(SharedImages, EverythingHeldFromOneFileStaysWithinItsBudget) {
    icon_tests::ScratchDir dir;
    const Bytes bytes = OverlappingImages();
    const std::string path = dir.Write("overlap.dll", bytes);

    const std::vector<HICON> icons = ExtractAll(path);

    ASSERT_FALSE(icons.empty());
    std::set<const std::uint8_t*> buffers;
    std::uint64_t held = 0;
    for (const HICON icon : icons) {
        for (const auto& image : IconGroupOf(icon)->images) {
            held += buffers.insert(image.bytes.data()).second ? image.bytes.size() : 0;
        }
    }
    EXPECT_LE(held, platform::icons::HeldBytesBudgetFor(bytes.size()));
    EXPECT_LT(icons.size(), 40u) << "the budget must have refused some of the 10 MB";
    DestroyAll(icons);
    const HICON last = ExtractIconA(0, path, 39);
    EXPECT_NE(last, 0u) << "what the handles held is given back when they go";
    DestroyIcon(last);
}

TEST(SharedImages, FilesNothingIsHeldFromAreForgotten) {
    icon_tests::ScratchDir dir;
    for (int i = 0; i < 100; ++i) {
        const std::string path =
            dir.Write("f" + std::to_string(i) + ".dll", fixtures::BuildRepeatedGroupPe(1, 1));
        DestroyIcon(ExtractIconA(0, path, 0));
    }
    EXPECT_LT(platform::icons::SharedFileCount(), 40u);
}

}  // namespace

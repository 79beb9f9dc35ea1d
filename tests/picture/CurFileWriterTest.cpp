// The .cur files the writer builds from cursor groups: type 2, each entry with the image's own size
// and its hotspot where an .ico entry has planes and bit count, read back equal.
#include <gtest/gtest.h>

#include <vector>

#include "platform/icons/IconFile.h"
#include "platform/picture/IcoFileWriter.h"
#include "tests/support/IconFixtures.h"
#include "tests/support/ScratchDirectory.h"

namespace {

using fixtures::Bytes;
using platform::format::kCursorResources;
using platform::icons::IconFile;
using platform::icons::IconGroup;
using platform::picture::CurEntryOf;
using platform::picture::IcoEntry;

const fixtures::CursorImage kArrow{
    fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 1}).bytes, 7, 18};
const fixtures::CursorImage kBusy{
    fixtures::MakeDibImage({.width = 48, .height = 48, .bitCount = 4, .seed = 2}).bytes, 24, 30};
const fixtures::CursorImage kHand{fixtures::MakePngImage(64, 64, 5).bytes, 21, 2};

// Cursor group 0 of the file at `path`.
std::shared_ptr<const IconGroup> CursorsOf(const std::string& path) {
    const auto file = IconFile::Open(path, kCursorResources);
    EXPECT_TRUE(file) << file.error().reason;
    const auto group = file ? platform::icons::ReadGroup(*file, 0) : file.error();
    EXPECT_TRUE(group) << group.error().reason;
    return group ? *group : nullptr;
}

TEST(CurFile, AnExecutablesCursorGroupBecomesTheCurFileItStandsFor) {
    const testsupport::ScratchDirectory dir;
    fixtures::PeBuilder pe;
    std::vector<fixtures::CursorGroupEntry> entries;
    std::uint16_t id = 1;
    for (const fixtures::CursorImage& cursor : {kArrow, kBusy, kHand}) {
        pe.AddResource(fixtures::kRtCursor, id, fixtures::CursorResourceBytes(cursor));
        entries.push_back(fixtures::CursorEntryFor(cursor, id++));  // heights doubled
    }
    pe.AddResource(fixtures::kRtGroupCursor, 1, fixtures::CursorGroupDirectoryBytes(entries));
    fixtures::WriteFile(dir.Path() + "/app.exe", pe.Build(false));
    const auto group = CursorsOf(dir.Path() + "/app.exe");
    ASSERT_TRUE(group);

    const auto cur = platform::picture::GroupFileBytes(*group, kCursorResources);

    ASSERT_TRUE(cur);
    EXPECT_EQ(fixtures::Peek16(*cur, 2), 2) << "type 2: a cursor file";
    EXPECT_EQ((*cur)[6 + 1], 32) << "the image's own height, not the group's 64";
    EXPECT_EQ((*cur)[6 + 2], 2) << "two colours at 1 bpp";
    EXPECT_EQ(fixtures::Peek16(*cur, 6 + 4), 7) << "hotspot x for planes";
    EXPECT_EQ(fixtures::Peek16(*cur, 6 + 6), 18) << "hotspot y for bit count";
    EXPECT_EQ(*cur, fixtures::BuildCur({kArrow, kBusy, kHand}));

    fixtures::WriteFile(dir.Path() + "/written.cur", *cur);
    const auto back = CursorsOf(dir.Path() + "/written.cur");
    ASSERT_TRUE(back);
    ASSERT_EQ(back->images.size(), group->images.size());
    for (std::size_t i = 0; i < back->images.size(); ++i) {
        EXPECT_EQ(back->images[i].bytes, group->images[i].bytes) << i;
        EXPECT_EQ(back->images[i].hotspot, group->images[i].hotspot) << i;
    }
}

TEST(CurFile, AnImageWithoutHotspotOrReadableHeaderKeepsItsEntry) {
    platform::icons::IconImage image;
    image.entry = {
        .width = 20, .height = 40, .colorCount = 3, .reserved = 9, .planes = 1, .bitCount = 8};
    image.bytes = fixtures::MakeOpaqueBytes(50, 1);

    const IcoEntry entry = CurEntryOf(image);

    EXPECT_EQ(entry.entry.width, 20);
    EXPECT_EQ(entry.entry.height, 40);
    EXPECT_EQ(entry.entry.reserved, 0);
    EXPECT_EQ(entry.entry.planes, 0) << "no hotspot: 0,0";
    EXPECT_EQ(entry.entry.bitCount, 0);
}

}  // namespace

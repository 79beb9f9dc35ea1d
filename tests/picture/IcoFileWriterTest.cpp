// The .ico bytes SavePicture and Render build: header, entries, images.
#include <gtest/gtest.h>

#include <vector>

#include "platform/picture/IcoFileWriter.h"
#include "tests/picture/PictureTestSupport.h"
#include "tests/support/IconFixtures.h"

namespace {

using platform::picture::IcoDirectoryBytes;
using platform::picture::IcoEntry;
using platform::picture::IcoEntryOf;
using platform::picture::IcoFileBytes;

std::vector<fixtures::Bytes> SomeImages() {
    return {fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 4}).bytes,
            fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 8, .seed = 2}).bytes,
            fixtures::MakePngImage(48, 48, 3).bytes,
            fixtures::MakeDibImage({.width = 24, .height = 24, .bitCount = 24, .seed = 4}).bytes};
}

TEST(IcoFile, MatchesAnIcoWrittenByAnotherWriter) {
    const std::vector<fixtures::Bytes> images = SomeImages();
    std::vector<platform::icons::IconImage> group;
    for (const fixtures::Bytes& bytes : images) {
        group.push_back(picture_test::ImageOf(bytes));
    }
    std::vector<IcoEntry> entries;
    for (const platform::icons::IconImage& image : group) {
        entries.push_back(IcoEntryOf(image));
    }

    const auto file = IcoFileBytes(entries);

    ASSERT_TRUE(file.has_value());
    EXPECT_EQ(*file, fixtures::BuildIco(images));
}

TEST(IcoFile, DirectoryStatesTheBytesWrittenAndKeepsTheGroupFields) {
    const fixtures::Bytes image = fixtures::MakeDibImage({.width = 16, .height = 16}).bytes;
    platform::icons::IconImage stored = picture_test::ImageOf(image);
    stored.bytesInRes = 99999;  // what a careless group entry may claim
    stored.entry.colorCount = 7;
    stored.entry.reserved = 3;
    stored.entry.planes = 2;
    const std::vector<IcoEntry> entries = {IcoEntryOf(stored), IcoEntryOf(stored)};

    const auto directory = IcoDirectoryBytes(entries);

    ASSERT_TRUE(directory.has_value());
    ASSERT_EQ(directory->size(), 6u + 2 * 16);
    EXPECT_EQ(fixtures::Peek16(*directory, 0), 0);
    EXPECT_EQ(fixtures::Peek16(*directory, 2), 1);
    EXPECT_EQ(fixtures::Peek16(*directory, 4), 2);
    for (std::size_t i = 0; i < 2; ++i) {
        const std::size_t at = 6 + 16 * i;
        EXPECT_EQ((*directory)[at], 16);
        EXPECT_EQ((*directory)[at + 1], 16);
        EXPECT_EQ((*directory)[at + 2], 7);
        EXPECT_EQ((*directory)[at + 3], 3);
        EXPECT_EQ(fixtures::Peek16(*directory, at + 4), 2);
        EXPECT_EQ(fixtures::Peek16(*directory, at + 6), 32);
        EXPECT_EQ(fixtures::Peek32(*directory, at + 8), image.size());
        EXPECT_EQ(fixtures::Peek32(*directory, at + 12), 6 + 2 * 16 + i * image.size());
    }
}

TEST(IcoFile, RefusesMoreImagesThanTheCountHolds) {
    const fixtures::Bytes image = {1, 2, 3};
    const IcoEntry entry{.entry = {.width = 1, .height = 1}, .bytes = image};

    EXPECT_TRUE(IcoDirectoryBytes(std::vector<IcoEntry>(65535, entry)).has_value());
    EXPECT_FALSE(IcoDirectoryBytes(std::vector<IcoEntry>(65536, entry)).has_value());
    EXPECT_FALSE(IcoFileBytes(std::vector<IcoEntry>(65536, entry)).has_value());
}

}  // namespace

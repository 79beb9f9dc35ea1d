// The format readers on well-formed fixture files: which group an index names, which images a
// group gets, and that bytes and entries come through unaltered.
#include <gtest/gtest.h>

#include "platform/icons/detail/PeImage.h"
#include "platform/icons/detail/ResourceTree.h"
#include "tests/icons/CountingSource.h"
#include "tests/icons/IconTestSupport.h"

namespace {

using fixtures::Bytes;
using fixtures::MakeDibImage;
using icon_tests::CountIcons;
using icon_tests::ImageBytes;
using icon_tests::ImagesAt;
using icon_tests::Read;

// Distinct small images, one per seed.
Bytes Image(std::uint32_t seed, int bitCount = 8) {
    return MakeDibImage({.width = 16, .height = 16, .bitCount = bitCount, .seed = seed}).bytes;
}

class PeReader : public ::testing::TestWithParam<bool> {
protected:
    bool Pe32Plus() const { return GetParam(); }
};

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, PeReader, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Pe32Plus" : "Pe32"; });

TEST_P(PeReader, IndexFollowsStoredOrderNamedGroupsFirst) {
    fixtures::PeBuilder pe;
    for (std::uint16_t id = 1; id <= 5; ++id) {
        pe.AddIcon(id, Image(id));
    }
    pe.AddGroup(30, {1});
    pe.AddGroup(u"ZETA", {2});
    pe.AddGroup(10, {3});
    pe.AddGroup(u"ALPHA", {4});
    pe.AddGroup(20, {5});
    const Bytes file = pe.Build(Pe32Plus());

    // Stored: ZETA, ALPHA (named, as added), then 30, 10, 20 (IDs, unsorted as added).
    const std::vector<std::uint16_t> expectedIcons = {2, 4, 1, 3, 5};
    ASSERT_EQ(CountIcons(file), 5);
    for (std::size_t index = 0; index < expectedIcons.size(); ++index) {
        const auto group = Read(file, std::int32_t(index));
        ASSERT_TRUE(group) << index;
        ASSERT_EQ(group->images.size(), 1u);
        EXPECT_EQ(group->images[0].bytes, Image(expectedIcons[index])) << index;
        EXPECT_EQ(group->images[0].resourceId, expectedIcons[index]);
    }
    EXPECT_FALSE(Read(file, 5));
    EXPECT_FALSE(Read(file, -1));
    EXPECT_FALSE(Read(file, INT32_MAX));
}

TEST_P(PeReader, FirstStoredLanguageOfGroupsAndIcons) {
    fixtures::PeBuilder pe;
    pe.AddIcon(1, Image(10), fixtures::kLangItIt);
    pe.AddIcon(1, Image(11), fixtures::kLangEnUs);
    pe.AddIcon(2, Image(12), fixtures::kLangNeutral);
    pe.AddGroup(7, {2}, fixtures::kLangItIt);  // stored first: the one the index gets
    pe.AddGroup(7, {1}, fixtures::kLangEnUs);
    const Bytes file = pe.Build(Pe32Plus());

    EXPECT_EQ(CountIcons(file), 1) << "languages of one group are one icon";
    const auto group = Read(file, 0);
    ASSERT_TRUE(group);
    EXPECT_EQ(ImageBytes(*group), std::vector<Bytes>{Image(12)});

    fixtures::PeBuilder other;
    other.AddIcon(1, Image(10), fixtures::kLangItIt);
    other.AddIcon(1, Image(11), fixtures::kLangEnUs);
    other.AddGroup(7, {1}, fixtures::kLangEnUs);
    const auto icon = Read(other.Build(Pe32Plus()), 0);
    ASSERT_TRUE(icon);
    EXPECT_EQ(ImageBytes(*icon), std::vector<Bytes>{Image(10)}) << "first language of the icon";
}

TEST_P(PeReader, GroupsSharingImagesEachGetThem) {
    fixtures::PeBuilder pe;
    pe.AddIcon(1, Image(1));
    pe.AddIcon(2, Image(2, 32));
    pe.AddIcon(3, Image(3, 4));
    pe.AddGroup(1, {1, 2});
    pe.AddGroup(2, {2, 3});
    pe.AddGroup(3, {3, 2, 1});
    const Bytes file = pe.Build(Pe32Plus());

    EXPECT_EQ(ImagesAt(file, 0), (std::vector<Bytes>{Image(1), Image(2, 32)}));
    EXPECT_EQ(ImagesAt(file, 1), (std::vector<Bytes>{Image(2, 32), Image(3, 4)}));
    EXPECT_EQ(ImagesAt(file, 2), (std::vector<Bytes>{Image(3, 4), Image(2, 32), Image(1)}));
}

TEST_P(PeReader, EntriesAreCopiedFieldByFieldAndBytesAreTheResourceBytes) {
    const Bytes png = fixtures::MakePngImage(256, 256, 9).bytes;
    const Bytes opaque = fixtures::MakeOpaqueBytes(77, 4);
    fixtures::PeBuilder pe;
    pe.AddIcon(40, png);
    pe.AddIcon(41, opaque);
    const fixtures::GroupEntry odd{.width = 48,
                                   .height = 24,
                                   .colorCount = 16,
                                   .reserved = 7,
                                   .planes = 0,
                                   .bitCount = 24,
                                   .bytesInRes = 12345,  // not the resource's size
                                   .iconId = 41};
    pe.AddGroupEntries(1, {fixtures::EntryFor(png, 40), odd});
    const auto group = Read(pe.Build(Pe32Plus()), 0);
    ASSERT_TRUE(group);
    ASSERT_EQ(group->images.size(), 2u);

    const auto& big = group->images[0];
    EXPECT_EQ(big.entry.width, 0);
    EXPECT_EQ(big.entry.PixelWidth(), 256);
    EXPECT_EQ(big.entry.PixelHeight(), 256);
    EXPECT_EQ(big.entry.bitCount, 32);
    EXPECT_EQ(big.bytesInRes, png.size());
    EXPECT_EQ(big.resourceId, 40);
    EXPECT_EQ(big.bytes, png);

    const auto& copied = group->images[1];
    EXPECT_EQ(copied.entry.width, odd.width);
    EXPECT_EQ(copied.entry.height, odd.height);
    EXPECT_EQ(copied.entry.colorCount, odd.colorCount);
    EXPECT_EQ(copied.entry.reserved, odd.reserved);
    EXPECT_EQ(copied.entry.planes, odd.planes);
    EXPECT_EQ(copied.entry.bitCount, odd.bitCount);
    EXPECT_EQ(copied.bytesInRes, odd.bytesInRes);
    EXPECT_EQ(copied.resourceId, odd.iconId);
    EXPECT_EQ(copied.bytes, opaque) << "the resource's own bytes, whatever bytesInRes says";
}

TEST_P(PeReader, MissingImagesAreSkippedAndAGroupWithNoneIsNoIcon) {
    fixtures::PeBuilder pe;
    pe.AddIcon(9, Image(9));  // IDs stored out of order on purpose
    pe.AddIcon(3, Image(3));
    pe.AddIcon(7, Image(7));
    pe.AddGroup(1, {7, 99, 9, 3});
    pe.AddGroup(2, {98, 97});
    pe.AddGroup(3, {3});
    const Bytes file = pe.Build(Pe32Plus());

    const auto group = Read(file, 0);
    ASSERT_TRUE(group);
    ASSERT_EQ(ImageBytes(*group), (std::vector<Bytes>{Image(7), Image(9), Image(3)}));
    EXPECT_EQ(group->images[1].resourceId, 9);
    EXPECT_FALSE(Read(file, 1));
    EXPECT_TRUE(Read(file, 2)) << "a group after one with no images is still reached";
}

// Many icons, so that an ID is not always among the entries read around an earlier hit.
TEST_P(PeReader, IconsAreFoundWhateverTheOrderOfTheirIds) {
    constexpr std::uint16_t kIcons = 150;
    const auto tiny = [](std::uint32_t seed) {
        return MakeDibImage({.width = 4, .height = 4, .bitCount = 1, .seed = seed}).bytes;
    };
    std::vector<std::uint16_t> storedOrder;
    for (std::uint16_t i = 0; i < kIcons; ++i) {
        storedOrder.push_back(std::uint16_t((i * 67) % kIcons + 1));  // a fixed shuffle
    }
    for (const bool sorted : {true, false}) {
        SCOPED_TRACE(sorted ? "IDs stored in ascending order" : "IDs stored shuffled");
        fixtures::PeBuilder pe;
        for (std::uint16_t i = 0; i < kIcons; ++i) {
            const std::uint16_t id = sorted ? std::uint16_t(i + 1) : storedOrder[i];
            pe.AddIcon(id, tiny(id));
        }
        std::vector<std::uint16_t> descending;
        for (std::uint16_t id = kIcons; id >= 1; --id) {
            descending.push_back(id);
        }
        pe.AddGroup(1, descending);
        pe.AddGroup(2, storedOrder);
        pe.AddGroup(3, {kIcons, 1, std::uint16_t(kIcons / 2), 1000});
        const Bytes file = pe.Build(Pe32Plus());
        for (const auto& [index, ids] : std::vector<std::pair<int, std::vector<std::uint16_t>>>{
                 {0, descending}, {1, storedOrder}, {2, {kIcons, 1, kIcons / 2}}}) {
            std::vector<Bytes> expected;
            for (std::uint16_t id : ids) {
                expected.push_back(tiny(id));
            }
            EXPECT_EQ(ImagesAt(file, index), expected) << index;
        }
    }
}

TEST_P(PeReader, OtherResourceTypesAndNoSectionGapDoNotMatter) {
    fixtures::PeBuilder pe;
    pe.AddResource(u"CUSTOM", 1, fixtures::MakeOpaqueBytes(30, 1));
    pe.AddResource(24, 1, fixtures::MakeOpaqueBytes(40, 2));
    pe.AddResource(16, 1, fixtures::MakeOpaqueBytes(50, 3));
    pe.AddIcon(1, Image(1));
    pe.AddGroup(1, {1});
    for (const bool text : {false, true}) {
        const auto built = pe.BuildWithLayout(
            {.pe32plus = Pe32Plus(), .rsrcVirtualSlack = 0x2000, .textSection = text});
        const auto group = Read(built.bytes, 0);
        ASSERT_TRUE(group);
        EXPECT_EQ(ImageBytes(*group), std::vector<Bytes>{Image(1)});
    }
}

TEST_P(PeReader, NoGroupsOrNoIconsIsNoIcon) {
    fixtures::PeBuilder onlyIcons;
    onlyIcons.AddIcon(1, Image(1));
    EXPECT_FALSE(Read(onlyIcons.Build(Pe32Plus()), 0));

    fixtures::PeBuilder onlyGroups;
    onlyGroups.AddGroup(1, {1});
    EXPECT_FALSE(Read(onlyGroups.Build(Pe32Plus()), 0));

    fixtures::PeBuilder nothing;
    nothing.AddResource(16, 1, fixtures::MakeOpaqueBytes(20, 1));
    EXPECT_FALSE(Read(nothing.Build(Pe32Plus()), 0));
}

// NE files: every alignment shift a linker may use, groups named and numbered in stored order.
TEST(NeReader, GroupsInStoredOrderForEveryAlignmentShift) {
    for (unsigned shift = 0; shift <= 12; ++shift) {
        SCOPED_TRACE(shift);
        fixtures::NeBuilder ne(shift);
        ne.AddIcon(1, Image(1));
        ne.AddIcon(2, Image(2, 1));
        ne.AddIcon(3, fixtures::MakePngImage(5, 5, 3).bytes);
        ne.AddGroup(20, {1, 2});
        ne.AddGroup(u"NAMED", {3});
        ne.AddGroup(10, {2, 77, 3});  // 77: missing
        ne.AddGroup(u"EMPTY", {76});
        const Bytes file = ne.Build();

        ASSERT_EQ(CountIcons(file), 3);
        EXPECT_EQ(ImagesAt(file, 0), (std::vector<Bytes>{Image(1), Image(2, 1)}));
        EXPECT_EQ(ImagesAt(file, 1), std::vector<Bytes>{fixtures::MakePngImage(5, 5, 3).bytes});
        const auto third = Read(file, 2);
        ASSERT_TRUE(third);
        ASSERT_EQ(ImageBytes(*third),
                  (std::vector<Bytes>{Image(2, 1), fixtures::MakePngImage(5, 5, 3).bytes}));
        EXPECT_EQ(third->images[1].resourceId, 3);
        EXPECT_FALSE(Read(file, 3)) << "a group with no images";
        EXPECT_FALSE(Read(file, 4));
    }
}

TEST(NeReader, StoredLengthIsTrimmedToBytesInResOnlyWhenItFits) {
    const Bytes image = Image(5);  // 16x16 8 bpp: not a multiple of 64 bytes
    ASSERT_NE(image.size() % 64, 0u);
    fixtures::NeBuilder ne(6);
    ne.AddIcon(1, image);
    ne.AddIcon(2, fixtures::MakePngImage(64, 64, 2).bytes);  // data after icon 1
    fixtures::GroupEntry exact = fixtures::EntryFor(image, 1);
    fixtures::GroupEntry tooLarge = exact;
    tooLarge.bytesInRes = std::uint32_t(image.size() + 1000);
    ne.AddGroupEntries(1, {exact});
    ne.AddGroupEntries(2, {tooLarge});
    const Bytes file = ne.Build();

    EXPECT_EQ(ImagesAt(file, 0), std::vector<Bytes>{image});
    const auto stored = ImagesAt(file, 1);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].size(), (image.size() + 63) / 64 * 64) << "the whole stored length";
    EXPECT_TRUE(std::equal(image.begin(), image.end(), stored[0].begin()));
}

TEST(IcoReader, OneIconHoldingEveryImage) {
    const Bytes small = Image(1, 4);
    const Bytes alpha = Image(2, 32);
    const Bytes png = fixtures::MakePngImage(256, 256, 3).bytes;
    const Bytes file = fixtures::BuildIco({small, alpha, png});

    ASSERT_EQ(CountIcons(file), 1);
    const auto group = Read(file, 0);
    ASSERT_TRUE(group);
    ASSERT_EQ(ImageBytes(*group), (std::vector<Bytes>{small, alpha, png}));
    EXPECT_EQ(group->images[0].entry.colorCount, 16);
    EXPECT_EQ(group->images[0].entry.bitCount, 4);
    EXPECT_EQ(group->images[0].bytesInRes, small.size());
    EXPECT_EQ(group->images[2].entry.width, 0);
    for (const auto& image : group->images) {
        EXPECT_EQ(image.resourceId, 0);
    }
    EXPECT_FALSE(Read(file, 1));
    EXPECT_FALSE(Read(file, -1));
}

TEST(IcoReader, ImagesThatAreNeitherDibNorPngAreLeftOut) {
    auto built = fixtures::BuildIcoWithLayout({Image(1), fixtures::MakeOpaqueBytes(64, 2)});
    const auto group = Read(built.bytes, 0);
    ASSERT_TRUE(group);
    EXPECT_EQ(ImageBytes(*group), std::vector<Bytes>{Image(1)});

    const auto none = fixtures::BuildIco({fixtures::MakeOpaqueBytes(64, 2)});
    EXPECT_FALSE(Read(none, 0));
}

TEST(FormatRecognition, OnlyKnownFormatsGiveIcons) {
    const auto text = [](const std::string& s) { return Bytes(s.begin(), s.end()); };
    EXPECT_FALSE(Read({}, 0));
    EXPECT_FALSE(Read(text("M"), 0));
    EXPECT_FALSE(Read(text("MZ"), 0));
    EXPECT_FALSE(Read(text("hello, this is a plain text file and nothing else\n"), 0));
    // An MZ executable whose new header is neither PE nor NE (a DOS program).
    fixtures::PeBuilder pe;
    pe.AddIcon(1, Image(1));
    pe.AddGroup(1, {1});
    auto built = pe.BuildWithLayout({});
    auto dos = built.bytes;
    dos[built.layout.peSignature] = 'L';
    dos[built.layout.peSignature + 1] = 'E';
    EXPECT_FALSE(Read(dos, 0));
    // The same file is fine with its signature.
    EXPECT_TRUE(Read(built.bytes, 0));
}

}  // namespace

// The resource tree reads its structures through a few small reads while a walk is short (a probe),
// then through blocks it keeps: every entry of a directory larger than a block comes out as the
// file holds it, and reading them all again costs the file nothing.
namespace tree_blocks {

using icon_tests::CountingSource;

TEST(ResourceTreeBlocks, LargeDirectoriesAreWalkedFromKeptBlocks) {
    fixtures::PeBuilder pe;
    constexpr std::uint32_t kGroups = 12000;  // 1.1 MB of directories and data entries
    pe.AddIcon(1, Image(1));
    for (std::uint32_t i = 0; i < kGroups; ++i) {
        pe.AddGroup(static_cast<int>(i + 1), {1});
    }
    const fixtures::BuiltPe built = pe.BuildWithLayout({});
    const CountingSource source(built.bytes);
    const auto image = platform::icons::PeImage::Read(source, built.layout.peSignature);
    ASSERT_TRUE(image);
    const platform::icons::ResourceTree tree(source, *image, image->ResourceRva());
    const auto directory =
        static_cast<std::uint32_t>(built.layout.groupNameDirectory - built.layout.rsrcRaw);
    const auto walk = [&] {
        for (std::uint32_t i = 0; i < kGroups; ++i) {
            const auto entry = tree.EntryAt(directory, i);
            ASSERT_TRUE(entry);
            const std::size_t at = built.layout.groupNameDirectory + 16 + 8 * std::size_t{i};
            ASSERT_EQ(entry->name, fixtures::Peek32(built.bytes, at)) << i;
            ASSERT_EQ(entry->target, fixtures::Peek32(built.bytes, at + 4)) << i;
            // Language directories of 24 bytes: some straddle two blocks.
            const auto data = tree.FirstLanguage(entry->TargetOffset());
            ASSERT_TRUE(data);
            ASSERT_EQ(data->rva, fixtures::Peek32(built.bytes, built.layout.groupDataEntries[i]));
        }
    };
    walk();
    const int firstWalk = source.reads;
    EXPECT_LT(firstWalk, 64 + 48) << "a probe's worth of small reads, then a block at a time";
    walk();
    EXPECT_EQ(source.reads, firstWalk) << "the second walk reads nothing";
}

}  // namespace tree_blocks

// The readers on cursors and animated resources: cursor groups of PE and NE files and .cur files
// (each image after its hotspot, byte for byte), RT_ANICURSOR / RT_ANIICON resources and .ani files
// as groups of one image; each kind sees its own resources only, and damaged ones are refused with
// a reason.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "platform/format/ImageHeader.h"
#include "platform/format/ResourceKinds.h"
#include "platform/icons/GroupTable.h"
#include "platform/icons/detail/GroupReading.h"
#include "tests/support/IconFixtures.h"

namespace {

using fixtures::Bytes;
using fixtures::CursorImage;
using platform::format::kAnimatedResources;
using platform::format::kCursorResources;
using platform::format::kIconResources;
using platform::format::ResourceKind;
using platform::icons::Hotspot;
using platform::icons::IconGroup;
using platform::icons::ReadResult;
using ::testing::HasSubstr;

// Group `index` of `kind` of a file held in memory, or the reason there is none.
ReadResult<IconGroup> ReadKind(const Bytes& file, const ResourceKind& kind, std::int32_t index,
                               const platform::icons::ByteSource* over = nullptr) {
    const platform::icons::MemorySource memory(file);
    const platform::icons::ByteSource& source = over ? *over : memory;
    auto groups = platform::icons::OpenIconGroups(source, kind);
    if (!groups) {
        return groups.error();
    }
    const auto group = platform::icons::ReadIconGroupFrom(source, **groups, index);
    if (!group) {
        return group.error();
    }
    return **group;
}

std::uint32_t CountOf(const Bytes& file, const ResourceKind& kind) {
    const platform::icons::MemorySource source(file);
    const auto groups = platform::icons::OpenIconGroups(source, kind);
    return groups ? (*groups)->Count() : 0;
}

std::string ReasonOf(const ReadResult<IconGroup>& result) {
    return result ? std::string("(read)") : result.error().reason;
}

const CursorImage kArrow{fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 1}).bytes,
                         7, 18};
const CursorImage kHand{fixtures::MakePngImage(48, 48, 5).bytes, 21, 2};
const Bytes kIcon = fixtures::MakeDibImage({.width = 16, .height = 16, .bitCount = 8}).bytes;

// A PE file with an icon group and a cursor group (two cursors) side by side.
fixtures::PeBuilder IconsAndCursors() {
    fixtures::PeBuilder pe;
    pe.AddIcon(1, kIcon);
    pe.AddGroup(1, {1});
    pe.AddResource(fixtures::kRtCursor, 1, fixtures::CursorResourceBytes(kArrow));
    pe.AddResource(fixtures::kRtCursor, 2, fixtures::CursorResourceBytes(kHand));
    pe.AddResource(fixtures::kRtGroupCursor, u"ARROW",
                   fixtures::CursorGroupDirectoryBytes(
                       {fixtures::CursorEntryFor(kArrow, 1), fixtures::CursorEntryFor(kHand, 2)}));
    return pe;
}

void ExpectArrowAndHand(const ReadResult<IconGroup>& group) {
    ASSERT_TRUE(group) << ReasonOf(group);
    ASSERT_EQ(group->images.size(), 2u);
    EXPECT_EQ(group->images[0].hotspot, (Hotspot{7, 18}));
    EXPECT_EQ(group->images[0].bytes.Vector(), kArrow.image) << "the bytes after the hotspot";
    EXPECT_EQ(group->images[1].hotspot, (Hotspot{21, 2}));
    EXPECT_EQ(group->images[1].bytes.Vector(), kHand.image);
}

TEST(CursorReader, PeCursorGroupGivesEachImageAfterItsHotspot) {
    const Bytes file = IconsAndCursors().Build(true);

    EXPECT_EQ(CountOf(file, kCursorResources), 1u) << "the icon group is no cursor group";
    const auto cursors = ReadKind(file, kCursorResources, 0);
    ExpectArrowAndHand(cursors);
    // What the group says, 16-bit sizes kept modulo 256: the height counts the AND mask.
    EXPECT_EQ(cursors->images[0].entry.width, 32);
    EXPECT_EQ(cursors->images[0].entry.height, 64);
    EXPECT_EQ(cursors->images[0].entry.bitCount, 1);
    EXPECT_EQ(cursors->images[0].resourceId, 1);
    EXPECT_EQ(cursors->images[0].bytesInRes, 4 + kArrow.image.size());

    EXPECT_EQ(CountOf(file, kIconResources), 1u);
    const auto icons = ReadKind(file, kIconResources, 0);
    ASSERT_TRUE(icons) << ReasonOf(icons);
    ASSERT_EQ(icons->images.size(), 1u);
    EXPECT_EQ(icons->images[0].bytes.Vector(), kIcon);
    EXPECT_FALSE(icons->images[0].hotspot) << "an icon has no hotspot";
}

TEST(CursorReader, EachKindRefusesAFileWithoutIt) {
    fixtures::PeBuilder onlyIcons;
    onlyIcons.AddIcon(1, kIcon);
    onlyIcons.AddGroup(1, {1});
    const Bytes icons = onlyIcons.Build(false);
    fixtures::PeBuilder onlyCursors;
    onlyCursors.AddResource(fixtures::kRtCursor, 1, fixtures::CursorResourceBytes(kArrow));
    onlyCursors.AddResource(
        fixtures::kRtGroupCursor, 1,
        fixtures::CursorGroupDirectoryBytes({fixtures::CursorEntryFor(kArrow, 1)}));
    const Bytes cursors = onlyCursors.Build(false);
    const Bytes cur = fixtures::BuildCur({kArrow});
    const Bytes ico = fixtures::BuildIco({kIcon});

    EXPECT_THAT(ReasonOf(ReadKind(icons, kCursorResources, 0)),
                HasSubstr("no cursor groups (RT_GROUP_CURSOR)"));
    EXPECT_THAT(ReasonOf(ReadKind(icons, kAnimatedResources, 0)),
                HasSubstr("no animated cursors (RT_ANICURSOR)"));
    EXPECT_THAT(ReasonOf(ReadKind(cursors, kIconResources, 0)),
                HasSubstr("no icon groups (RT_GROUP_ICON)"));
    EXPECT_TRUE(ReadKind(cursors, kCursorResources, 0));
    EXPECT_THAT(ReasonOf(ReadKind(cur, kIconResources, 0)), HasSubstr("nor an icon file"));
    EXPECT_THAT(ReasonOf(ReadKind(ico, kCursorResources, 0)), HasSubstr("nor a cursor file"));
    EXPECT_FALSE(ReadKind(ico, kAnimatedResources, 0));
    EXPECT_FALSE(ReadKind(fixtures::BuildAni({cur}), kCursorResources, 0));
}

TEST(CursorReader, TheImageHeaderTellsTheTrueSizeWhereTheGroupDisagrees) {
    fixtures::CursorGroupEntry claim = fixtures::CursorEntryFor(kArrow, 1);
    claim.width = 48;
    claim.height = 48;
    claim.bitCount = 8;
    fixtures::PeBuilder pe;
    pe.AddResource(fixtures::kRtCursor, 1, fixtures::CursorResourceBytes(kArrow));
    pe.AddResource(fixtures::kRtGroupCursor, 1, fixtures::CursorGroupDirectoryBytes({claim}));

    const auto group = ReadKind(pe.Build(false), kCursorResources, 0);

    ASSERT_TRUE(group) << ReasonOf(group);
    EXPECT_EQ(group->images[0].entry.width, 48) << "the entry is what the group says";
    const auto header = platform::format::ReadImageHeader(group->images[0].bytes);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->width, 32);
    EXPECT_EQ(header->height, 32) << "half the DIB's height: the AND mask is the rest";
    EXPECT_EQ(header->depth, 1);
}

TEST(CursorReader, NeCursorGroupBesideIcons) {
    fixtures::NeBuilder ne;
    ne.AddIcon(1, kIcon);
    ne.AddGroup(1, {1});
    ne.AddResource(fixtures::kNeRtCursor, 1, fixtures::CursorResourceBytes(kArrow));
    ne.AddResource(fixtures::kNeRtCursor, 2, fixtures::CursorResourceBytes(kHand));
    ne.AddResource(fixtures::kNeRtGroupCursor, u"ARROW",
                   fixtures::CursorGroupDirectoryBytes(
                       {fixtures::CursorEntryFor(kArrow, 1), fixtures::CursorEntryFor(kHand, 2)}));
    const Bytes file = ne.Build();

    EXPECT_EQ(CountOf(file, kCursorResources), 1u);
    ExpectArrowAndHand(ReadKind(file, kCursorResources, 0));  // not padded to whole units
    const auto icons = ReadKind(file, kIconResources, 0);
    ASSERT_TRUE(icons) << ReasonOf(icons);
    EXPECT_EQ(icons->images.size(), 1u);
    EXPECT_EQ(icons->images[0].bytes.Vector(), kIcon);
    EXPECT_THAT(ReasonOf(ReadKind(file, kAnimatedResources, 0)), HasSubstr("16-bit"));
}

TEST(CursorReader, CurFileGivesTheHotspotsOfItsEntries) {
    const auto group = ReadKind(fixtures::BuildCur({kArrow, kHand}), kCursorResources, 0);

    ExpectArrowAndHand(group);
    EXPECT_EQ(group->images[0].entry.planes, 0) << "the hotspot stood there";
    EXPECT_EQ(group->images[0].entry.bitCount, 0);
    EXPECT_EQ(group->images[0].entry.height, 32);
}

TEST(CursorReader, AnimatedResourcesAreGroupsOfOneImageCursorsFirst) {
    const Bytes aniIcon = fixtures::BuildAni({fixtures::BuildIco({kIcon})}, 5);
    const Bytes aniCursor =
        fixtures::BuildAni({fixtures::BuildCur({kArrow}), fixtures::BuildCur({kHand})});
    fixtures::PeBuilder pe;
    pe.AddResource(fixtures::kRtAniIcon, 6, aniIcon);  // stored before the cursors
    pe.AddResource(fixtures::kRtAniCursor, u"BUSY", aniCursor);
    pe.AddResource(fixtures::kRtAniCursor, 5, aniCursor);
    const Bytes file = pe.Build(false);

    ASSERT_EQ(CountOf(file, kAnimatedResources), 3u);
    for (const auto& [index, bytes] :
         std::vector<std::pair<int, Bytes>>{{0, aniCursor}, {1, aniCursor}, {2, aniIcon}}) {
        const auto group = ReadKind(file, kAnimatedResources, index);
        ASSERT_TRUE(group) << index << ": " << ReasonOf(group);
        ASSERT_EQ(group->images.size(), 1u);
        EXPECT_EQ(group->images[0].bytes.Vector(), bytes) << index;
        EXPECT_EQ(group->images[0].bytesInRes, bytes.size());
        EXPECT_FALSE(group->images[0].hotspot);
    }
    EXPECT_FALSE(ReadKind(file, kAnimatedResources, 3));
    EXPECT_FALSE(ReadKind(file, kIconResources, 0));

    const auto ani = ReadKind(aniCursor, kAnimatedResources, 0);
    ASSERT_TRUE(ani) << ReasonOf(ani);
    EXPECT_EQ(ani->images.at(0).bytes.Vector(), aniCursor) << "an .ani file is its one image";
    EXPECT_FALSE(ReadKind(aniCursor, kAnimatedResources, 1));
}

// A cursor group naming one RT_CURSOR resource that holds these bytes.
Bytes PeWithCursorBytes(const Bytes& item) {
    fixtures::PeBuilder pe;
    pe.AddResource(fixtures::kRtCursor, 1, item);
    pe.AddResource(fixtures::kRtCursor, 2, fixtures::CursorResourceBytes(kArrow));
    pe.AddResource(fixtures::kRtGroupCursor, 1,
                   fixtures::CursorGroupDirectoryBytes({fixtures::CursorEntryFor(kArrow, 1)}));
    pe.AddResource(fixtures::kRtGroupCursor, 2,
                   fixtures::CursorGroupDirectoryBytes(
                       {fixtures::CursorEntryFor(kArrow, 1), fixtures::CursorEntryFor(kArrow, 2)}));
    return pe.Build(false);
}

TEST(CursorReaderMalformed, AnItemWithNoImageAfterItsHotspotIsRefused) {
    for (const Bytes& item : {Bytes{7, 0}, Bytes{7, 0, 18, 0}}) {
        const Bytes file = PeWithCursorBytes(item);
        const std::string reason = ReasonOf(ReadKind(file, kCursorResources, 0));
        EXPECT_THAT(reason, HasSubstr("cursor resource 1"));
        EXPECT_THAT(reason, HasSubstr("no image after its 4-byte hotspot"));
        const auto rest = ReadKind(file, kCursorResources, 1);
        ASSERT_TRUE(rest) << ReasonOf(rest);
        ASSERT_EQ(rest->images.size(), 1u) << "the whole cursor of the group is kept";
        EXPECT_EQ(rest->images[0].bytes.Vector(), kArrow.image);
    }
}

// A source as large as `size` whose first bytes are `head` and whose rest reads as zeros.
class PaddedSource final : public platform::icons::ByteSource {
public:
    PaddedSource(const Bytes& head, std::uint64_t size) : head_(head), size_(size) {}
    std::uint64_t Size() const override { return size_; }
    bool ReadAt(std::uint64_t offset, std::span<std::uint8_t> out) const override {
        if (!platform::icons::RangeInside(size_, offset, out.size())) {
            return false;
        }
        std::fill(out.begin(), out.end(), 0);
        if (offset < head_.size()) {
            const std::size_t n = std::min<std::size_t>(out.size(), head_.size() - offset);
            std::memcpy(out.data(), head_.data() + offset, n);
        }
        return true;
    }

private:
    const Bytes& head_;
    std::uint64_t size_;
};

TEST(CursorReaderMalformed, ACursorLargerThanAnyReadIsRefusedNotCut) {
    fixtures::PeBuilder pe;
    pe.AddResource(fixtures::kRtCursor, 1, fixtures::CursorResourceBytes(kArrow));
    pe.AddResource(fixtures::kRtGroupCursor, 1,
                   fixtures::CursorGroupDirectoryBytes({fixtures::CursorEntryFor(kArrow, 1)}));
    fixtures::BuiltPe built = pe.BuildWithLayout({});
    constexpr std::uint32_t kHuge = platform::icons::kMaxRead + 16;
    fixtures::Poke32(built.bytes, built.layout.dataEntries.at({fixtures::kRtCursor, 1}) + 4, kHuge);
    fixtures::Poke32(built.bytes, built.layout.rsrcSectionHeader + 8, 2 * kHuge);   // virtual size
    fixtures::Poke32(built.bytes, built.layout.rsrcSectionHeader + 16, 2 * kHuge);  // raw size
    const PaddedSource source(built.bytes, built.layout.rsrcRaw + 2 * kHuge);

    const std::string reason = ReasonOf(ReadKind({}, kCursorResources, 0, &source));

    EXPECT_THAT(reason, HasSubstr("larger than any read may be"));
}

TEST(CursorReaderMalformed, AnAnimatedResourceThatIsNoWholeAconIsRefused) {
    const Bytes whole = fixtures::BuildAni({fixtures::BuildCur({kArrow})});
    Bytes notAcon = whole;
    std::memcpy(notAcon.data() + 8, "AVI ", 4);
    const Bytes truncated(whole.begin(), whole.begin() + std::ptrdiff_t(whole.size() / 2));
    const Bytes tooShort(whole.begin(), whole.begin() + 10);
    for (const Bytes& bad : {notAcon, truncated, tooShort, fixtures::MakeOpaqueBytes(300, 3)}) {
        fixtures::PeBuilder pe;
        pe.AddResource(fixtures::kRtAniCursor, 1, bad);
        pe.AddResource(fixtures::kRtAniCursor, 2, whole);
        const Bytes file = pe.Build(true);

        const std::string reason = ReasonOf(ReadKind(file, kAnimatedResources, 0));
        EXPECT_THAT(reason, HasSubstr("animated"));
        EXPECT_TRUE(ReadKind(file, kAnimatedResources, 1)) << "the whole one is still read";
        const std::string fileReason = ReasonOf(ReadKind(bad, kAnimatedResources, 0));
        EXPECT_NE(fileReason, "(read)") << "as an .ani file of its own";
    }
}

}  // namespace

// Malformed files: each variant is a valid fixture with one structure broken. None may crash, hang
// or allocate past what the file holds; each gives no icon, or (where the damage only hides some
// images) the images that are still whole, byte for byte.
#include <gtest/gtest.h>

#include "platform/icons/detail/SharedResources.h"
#include "tests/icons/IconTestSupport.h"

namespace {

using fixtures::Bytes;
using fixtures::Peek16;
using fixtures::Peek32;
using fixtures::Poke16;
using fixtures::Poke32;
using icon_tests::ImageBytes;
using icon_tests::ImagesAt;
using icon_tests::Read;

constexpr std::uint32_t kSubdirectory = 0x80000000u;

Bytes Image(std::uint32_t seed, int bitCount = 8) {
    return fixtures::MakeDibImage({.width = 8, .height = 8, .bitCount = bitCount, .seed = seed})
        .bytes;
}

// Two groups of two images each, the second group named.
fixtures::BuiltPe SmallPe(bool pe32plus = false, std::uint32_t slack = 0) {
    fixtures::PeBuilder pe;
    pe.AddGroupEntries(u"MAIN", {fixtures::EntryFor(Image(1), 1), fixtures::EntryFor(Image(2), 2)});
    pe.AddGroupEntries(5, {fixtures::EntryFor(Image(2), 2), fixtures::EntryFor(Image(3, 4), 3)});
    pe.AddIcon(1, Image(1));
    pe.AddIcon(2, Image(2));
    pe.AddIcon(3, Image(3, 4));
    return pe.BuildWithLayout({.pe32plus = pe32plus, .rsrcVirtualSlack = slack});
}

fixtures::BuiltNe SmallNe(unsigned shift = 4) {
    fixtures::NeBuilder ne(shift);
    ne.AddIcon(1, Image(1));
    ne.AddIcon(2, Image(2));
    ne.AddGroup(u"MAIN", {1, 2});
    ne.AddGroup(5, {2});
    return ne.BuildWithLayout();
}

// The offset of a structure relative to the resource root, as directory entries store it.
std::uint32_t FromRoot(const fixtures::PeLayout& layout, std::size_t fileOffset) {
    return std::uint32_t(fileOffset - layout.rsrcRaw);
}

// Every image of `got` must be one of the images the intact file gives at that index.
void ExpectOnlyWholeImages(const std::optional<platform::icons::IconGroup>& got,
                           const Bytes& intact, std::int32_t index) {
    if (!got) {
        return;
    }
    const auto whole = Read(intact, index);
    ASSERT_TRUE(whole);
    const std::vector<Bytes> allowed = ImageBytes(*whole);
    for (const auto& image : got->images) {
        EXPECT_NE(std::find(allowed.begin(), allowed.end(), image.bytes), allowed.end());
    }
}

// ---------------------------------------------------------------------------------------------
// Truncation

void TruncateAtEveryOffset(const Bytes& file, int indexes) {
    for (std::size_t size = 0; size < file.size(); ++size) {
        const Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(size));
        for (int index = 0; index < indexes; ++index) {
            ExpectOnlyWholeImages(Read(cut, index), file, index);
        }
    }
}

TEST(MalformedTruncated, Pe32AtEveryOffset) {
    TruncateAtEveryOffset(SmallPe(false).bytes, 2);
}
TEST(MalformedTruncated, Pe32PlusAtEveryOffset) {
    TruncateAtEveryOffset(SmallPe(true).bytes, 2);
}
TEST(MalformedTruncated, NeAtEveryOffset) {
    TruncateAtEveryOffset(SmallNe(0).bytes, 2);
}
TEST(MalformedTruncated, IcoAtEveryOffset) {
    TruncateAtEveryOffset(fixtures::BuildIco({Image(1), Image(2, 32)}), 1);
}

TEST(MalformedTruncated, TheLastImageCutOffLeavesTheOthers) {
    const auto built = SmallPe();
    // Icon 3 is stored last; cut inside it.
    const Bytes cut(built.bytes.begin(),
                    built.bytes.begin() + std::ptrdiff_t(built.layout.iconData.at(3) + 10));
    const auto group = Read(cut, 1);
    ASSERT_TRUE(group);
    EXPECT_EQ(ImageBytes(*group), std::vector<Bytes>{Image(2)});
}

// ---------------------------------------------------------------------------------------------
// Loops in the resource tree

TEST(MalformedLoops, DirectoriesPointingAtThemselvesOrTheirParents) {
    const auto built = SmallPe();
    const auto& layout = built.layout;
    const std::uint32_t root = 0;
    const std::uint32_t groups = FromRoot(layout, layout.groupNameDirectory);
    const std::uint32_t languages = FromRoot(layout, layout.groupLanguageDirectories[0]);
    struct Case {
        const char* what;
        std::size_t entry;  // the entry whose target field is rewritten
        std::uint32_t target;
    };
    const std::vector<Case> cases = {
        {"type entry -> root", layout.groupTypeEntry, kSubdirectory | root},
        {"group entry -> its own directory", layout.groupEntries[0], kSubdirectory | groups},
        {"group entry -> root", layout.groupEntries[0], kSubdirectory | root},
        {"language entry -> its own directory", layout.groupLanguageDirectories[0] + 16,
         kSubdirectory | languages},
        {"language entry -> the group directory", layout.groupLanguageDirectories[0] + 16,
         kSubdirectory | groups},
        {"language entry -> root", layout.groupLanguageDirectories[0] + 16, kSubdirectory | root},
    };
    for (const Case& c : cases) {
        Bytes file = built.bytes;
        Poke32(file, c.entry + 4, c.target);
        EXPECT_FALSE(Read(file, 0)) << c.what;
        ExpectOnlyWholeImages(Read(file, 1), built.bytes, 1);
    }
}

TEST(MalformedLoops, IconEntriesPointingBackIntoTheTree) {
    const auto built = SmallPe();
    Bytes file = built.bytes;
    const std::size_t iconDirectory = built.layout.iconNameDirectory;
    for (std::size_t i = 0; i < 3; ++i) {  // every icon entry -> the icon directory itself
        Poke32(file, iconDirectory + 16 + 8 * i + 4,
               kSubdirectory | FromRoot(built.layout, iconDirectory));
    }
    EXPECT_FALSE(Read(file, 0));
    EXPECT_FALSE(Read(file, 1));
}

// ---------------------------------------------------------------------------------------------
// Offsets and sizes out of range

TEST(MalformedOffsets, TreeOffsetsPastTheEnd) {
    const auto built = SmallPe();
    const auto& layout = built.layout;
    for (const std::uint32_t far :
         {0x7FFFFFF8u, 0x7FFFFFFFu, 0x00100000u, std::uint32_t(built.bytes.size())}) {
        Bytes typeFar = built.bytes;
        Poke32(typeFar, layout.groupTypeEntry + 4, kSubdirectory | far);
        EXPECT_FALSE(Read(typeFar, 0));

        Bytes groupFar = built.bytes;
        Poke32(groupFar, layout.groupEntries[1] + 4, kSubdirectory | far);
        EXPECT_FALSE(Read(groupFar, 1));
        EXPECT_TRUE(Read(groupFar, 0)) << "only the broken group is lost";

        Bytes dataFar = built.bytes;
        Poke32(dataFar, layout.groupLanguageDirectories[0] + 20, far);
        EXPECT_FALSE(Read(dataFar, 0));
    }
}

TEST(MalformedOffsets, DataEntriesWhoseRangeOverflowsOrLeavesTheSection) {
    const auto built = SmallPe();
    const auto& layout = built.layout;
    const std::uint32_t iconRva = Peek32(built.bytes, layout.iconDataEntries.at(1));
    struct Case {
        std::uint32_t rva;
        std::uint32_t size;
    };
    for (const Case c : {Case{0xFFFFFFF0u, 0x20}, Case{iconRva, 0xFFFFFFFFu},
                         Case{iconRva, 0xFFFFFFFFu - iconRva + 1}, Case{0x10, 0x40},
                         Case{layout.rsrcRva + 0x10000, 0x10}}) {
        Bytes file = built.bytes;
        Poke32(file, layout.iconDataEntries.at(1), c.rva);
        Poke32(file, layout.iconDataEntries.at(1) + 4, c.size);
        const auto group = Read(file, 0);
        ASSERT_TRUE(group) << std::hex << c.rva << " " << c.size;
        EXPECT_EQ(ImageBytes(*group), std::vector<Bytes>{Image(2)}) << "icon 1 is left out";
    }
    for (const std::uint32_t size : {0xFFFFFFFFu, 0x7FFFFFFFu, 0x10000u}) {
        Bytes file = built.bytes;
        Poke32(file, layout.groupDataEntries[0] + 4, size);
        ExpectOnlyWholeImages(Read(file, 0), built.bytes, 0);
    }
}

TEST(MalformedOffsets, SectionTableValuesThatOverflow) {
    const auto built = SmallPe();
    const std::size_t section = built.layout.rsrcSectionHeader;
    struct Case {
        std::size_t field;
        std::uint32_t value;
    };
    for (const Case c : {Case{8, 0xFFFFFFFFu}, Case{12, 0xFFFFF000u}, Case{16, 0xFFFFFFFFu},
                         Case{20, 0xFFFFFFFFu}, Case{20, 0xFFFFFE00u}, Case{16, 0}}) {
        Bytes file = built.bytes;
        Poke32(file, section + c.field, c.value);
        ExpectOnlyWholeImages(Read(file, 0), built.bytes, 0);
        ExpectOnlyWholeImages(Read(file, 1), built.bytes, 1);
    }
    Bytes manySections = built.bytes;
    Poke16(manySections, built.layout.coffHeader + 2, 0xFFFF);
    EXPECT_FALSE(Read(manySections, 0));
}

TEST(MalformedOffsets, RawSizeSmallerThanVirtualSizeHidesTheTail) {
    const auto built = SmallPe(false, 0x4000);
    Bytes file = built.bytes;
    // The raw data now ends where icon 3 starts: icon 3 is mapped but not in the file.
    Poke32(file, built.layout.rsrcSectionHeader + 16,
           std::uint32_t(built.layout.iconData.at(3) - built.layout.rsrcRaw));
    ASSERT_GT(Peek32(file, built.layout.rsrcSectionHeader + 8),
              Peek32(file, built.layout.rsrcSectionHeader + 16));
    const auto group = Read(file, 1);
    ASSERT_TRUE(group);
    EXPECT_EQ(ImageBytes(*group), std::vector<Bytes>{Image(2)});
    EXPECT_EQ(ImagesAt(file, 0), (std::vector<Bytes>{Image(1), Image(2)}));
}

TEST(MalformedOffsets, ResourceTableInNoSection) {
    const auto built = SmallPe();
    for (const std::uint32_t rva : {0x50000u, 0x10u, 0xFFFFFFFFu}) {
        Bytes file = built.bytes;
        Poke32(file, built.layout.resourceDataDirectory, rva);
        EXPECT_FALSE(Read(file, 0)) << std::hex << rva;
    }
}

TEST(MalformedOffsets, NewHeaderOffsetPastTheEndOrNegative) {
    const Bytes intact = SmallPe().bytes;
    for (const std::uint32_t offset :
         {0xFFFFFFFFu, 0x80000000u, 0xFFFFFFFCu, std::uint32_t(intact.size()),
          std::uint32_t(intact.size() - 2), 0u}) {
        Bytes file = intact;
        Poke32(file, 0x3C, offset);
        EXPECT_FALSE(Read(file, 0)) << std::hex << offset;
    }
}

TEST(MalformedOffsets, OptionalHeaderWithoutAResourceDirectory) {
    const auto built = SmallPe();
    const std::size_t sizeField = built.layout.coffHeader + 16;
    for (const std::uint16_t size : {0, 2, 96, 112, 119}) {
        Bytes file = built.bytes;
        Poke16(file, sizeField, size);
        EXPECT_FALSE(Read(file, 0)) << size;
    }
    Bytes fewDirectories = built.bytes;
    Poke32(fewDirectories, built.layout.optionalHeader + 92, 2);  // NumberOfRvaAndSizes
    EXPECT_FALSE(Read(fewDirectories, 0));
    Bytes badMagic = built.bytes;
    Poke16(badMagic, built.layout.optionalHeader, 0x107);
    EXPECT_FALSE(Read(badMagic, 0));
}

// ---------------------------------------------------------------------------------------------
// Names and counts

TEST(MalformedNames, StringNameRunningOffTheEndIsNeverRead) {
    // Names are not needed to reach a group by index, so a broken name costs nothing.
    const auto built = SmallPe();
    Bytes file = built.bytes;
    const std::size_t name = built.layout.nameStrings.at(u"MAIN");
    Poke16(file, name, 0xFFFF);
    EXPECT_EQ(ImagesAt(file, 0), (std::vector<Bytes>{Image(1), Image(2)}));
    Bytes nameFar = built.bytes;
    Poke32(nameFar, built.layout.groupEntries[0], 0x80000000u | 0x7FFFFFFFu);
    EXPECT_EQ(ImagesAt(nameFar, 0), (std::vector<Bytes>{Image(1), Image(2)}));

    auto ne = SmallNe();
    Poke16(ne.bytes, ne.layout.groupRecords[0] + 6, 0x7FFF);  // name offset far outside
    EXPECT_EQ(ImagesAt(ne.bytes, 0), (std::vector<Bytes>{Image(1), Image(2)}));
}

TEST(MalformedNames, DuplicateIconIdsResolveToTheFirstStored) {
    const auto built = SmallPe();
    Bytes file = built.bytes;
    const std::size_t icons = built.layout.iconNameDirectory + 16;  // entries for IDs 1, 2, 3
    ASSERT_EQ(Peek32(file, icons), 1u);
    Poke32(file, icons, 2);  // now 2, 2, 3: the first "2" holds image 1
    EXPECT_EQ(ImagesAt(file, 1), (std::vector<Bytes>{Image(1), Image(3, 4)}));
    EXPECT_EQ(ImagesAt(file, 0), (std::vector<Bytes>{Image(1)})) << "ID 1 is gone";
}

TEST(MalformedNames, ManyDuplicateIdsInOrderResolveToTheFirstStored) {
    // IDs 1, 2 (x50), 52..60: still ascending, so the binary search is used, and the entries read
    // around the hit on 55 start in the middle of the 2s.
    fixtures::PeBuilder pe;
    pe.AddGroup(1, {55, 2});
    for (std::uint16_t id = 1; id <= 60; ++id) {
        pe.AddIcon(id, Image(id));
    }
    const auto built = pe.BuildWithLayout({});
    Bytes file = built.bytes;
    for (std::size_t entry = 1; entry <= 50; ++entry) {
        Poke32(file, built.layout.iconNameDirectory + 16 + 8 * entry, 2);
    }
    EXPECT_EQ(ImagesAt(file, 0), (std::vector<Bytes>{Image(55), Image(2)}));
}

TEST(MalformedCounts, HugeDirectoryEntryCounts) {
    const auto built = SmallPe();
    const auto& layout = built.layout;
    Bytes groups = built.bytes;
    Poke16(groups, layout.groupNameDirectory + 12, 0xFFFF);
    Poke16(groups, layout.groupNameDirectory + 14, 0xFFFF);
    EXPECT_TRUE(Read(groups, 0)) << "entries that exist are still reached";
    EXPECT_FALSE(Read(groups, 70000));
    EXPECT_FALSE(Read(groups, 0x1FFFD));

    for (const std::size_t directory : {layout.rootDirectory, layout.iconNameDirectory}) {
        Bytes file = built.bytes;
        Poke16(file, directory + 12, 0xFFFF);
        Poke16(file, directory + 14, 0xFFFF);
        EXPECT_FALSE(Read(file, 0));
    }
    Bytes noLanguages = built.bytes;
    Poke16(noLanguages, layout.groupLanguageDirectories[0] + 14, 0);
    EXPECT_FALSE(Read(noLanguages, 0));
}

TEST(MalformedCounts, GroupDirectoryCountsAndTypes) {
    const auto built = SmallPe();
    const std::size_t group = built.layout.groupData[0];
    Bytes huge = built.bytes;
    Poke16(huge, group + 4, 0xFFFF);
    EXPECT_FALSE(Read(huge, 0)) << "65535 entries cannot fit in the group's few bytes";
    Bytes three = built.bytes;
    Poke16(three, group + 4, 3);  // one entry more than the resource holds
    EXPECT_FALSE(Read(three, 0));
    Bytes zero = built.bytes;
    Poke16(zero, group + 4, 0);
    EXPECT_FALSE(Read(zero, 0));
    Bytes cursor = built.bytes;
    Poke16(cursor, group + 2, 2);
    EXPECT_FALSE(Read(cursor, 0));
}

TEST(MalformedCounts, OneLargeImageNamedManyTimesStaysWithinTheBudget) {
    // A group naming the same image 65535 times: the snapshot must not grow to 65535 copies.
    const Bytes big = fixtures::MakeDibImage({.width = 128, .height = 128, .bitCount = 32}).bytes;
    fixtures::PeBuilder pe;
    pe.AddIcon(1, big);
    pe.AddGroupEntries(1, std::vector<fixtures::GroupEntry>(0xFFFF, fixtures::EntryFor(big, 1)));
    const Bytes file = pe.Build(true);
    const auto group = Read(file, 0);
    ASSERT_TRUE(group);
    ASSERT_GE(group->images.size(), 1u);
    EXPECT_LE(group->images.size(), platform::icons::kMaxImagesPerGroup);
    for (const auto& image : group->images) {
        EXPECT_EQ(image.bytes, big);
        EXPECT_TRUE(image.bytes.SharesBufferWith(group->images.front().bytes));
    }
}

// ---------------------------------------------------------------------------------------------
// NE and .ico

TEST(MalformedNe, BrokenResourceTables) {
    const auto built = SmallNe();
    const auto& layout = built.layout;
    const auto variant = [&](auto change) {
        Bytes file = built.bytes;
        change(file);
        return file;
    };
    for (const std::uint16_t shift : {17, 31, 0xFFFF}) {
        EXPECT_FALSE(Read(variant([&](Bytes& f) { Poke16(f, layout.resourceTable, shift); }), 0));
    }
    EXPECT_FALSE(Read(variant([&](Bytes& f) { Poke16(f, layout.neHeader + 0x24, 0); }), 0));
    EXPECT_FALSE(Read(variant([&](Bytes& f) { Poke16(f, layout.neHeader + 0x24, 0xFFFF); }), 0));
    const Bytes manyGroups =
        variant([&](Bytes& f) { Poke16(f, layout.groupTypeRecord + 2, 0xFFFF); });
    EXPECT_TRUE(Read(manyGroups, 0));
    EXPECT_FALSE(Read(manyGroups, 60000));
    const Bytes manyIcons =
        variant([&](Bytes& f) { Poke16(f, layout.iconTypeRecord + 2, 0xFFFF); });
    EXPECT_FALSE(Read(manyIcons, 0)) << "the icon records run past the end";
    const Bytes iconFar = variant([&](Bytes& f) { Poke16(f, layout.iconRecords.at(1), 0xFFFF); });
    EXPECT_EQ(ImagesAt(iconFar, 0), std::vector<Bytes>{Image(2)});
    const Bytes groupFar = variant([&](Bytes& f) { Poke16(f, layout.groupRecords[1], 0xFFFF); });
    EXPECT_FALSE(Read(groupFar, 1));
    const Bytes groupEmpty = variant([&](Bytes& f) { Poke16(f, layout.groupRecords[0] + 2, 0); });
    EXPECT_FALSE(Read(groupEmpty, 0));
}

TEST(MalformedNe, TypeRecordsThatNeverEnd) {
    // A table of nothing but empty type records: the walk stops at its cap or at the end.
    fixtures::Bytes file = SmallNe().bytes;
    const std::size_t table = SmallNe().layout.resourceTable;
    file.resize(table + 2 + 8 * 4000, 0);
    for (std::size_t at = table + 2; at + 8 <= file.size(); at += 8) {
        Poke16(file, at, 0x8010);  // some other type, zero records
    }
    EXPECT_FALSE(Read(file, 0));
}

TEST(MalformedIco, BrokenHeadersAndEntries) {
    const auto built = fixtures::BuildIcoWithLayout({Image(1), Image(2, 32)});
    const auto variant = [&](std::size_t at, std::uint32_t value, bool wide) {
        Bytes file = built.bytes;
        wide ? Poke32(file, at, value) : Poke16(file, at, std::uint16_t(value));
        return Read(file, 0);
    };
    EXPECT_FALSE(variant(0, 1, false)) << "reserved";
    EXPECT_FALSE(variant(2, 2, false)) << "a cursor";
    EXPECT_FALSE(variant(4, 0, false)) << "no images";
    EXPECT_FALSE(variant(4, 0xFFFF, false)) << "more entries than the file holds";
    const std::size_t second = built.layout.entries[1];
    for (const auto& [field, value] :
         std::vector<std::pair<std::size_t, std::uint32_t>>{{8, 0xFFFFFFFFu},
                                                            {12, 0xFFFFFFF0u},
                                                            {12, std::uint32_t(built.bytes.size())},
                                                            {8, 0}}) {
        const auto group = variant(second + field, value, true);
        ASSERT_TRUE(group);
        EXPECT_EQ(ImageBytes(*group), std::vector<Bytes>{Image(1)});
    }
}

}  // namespace

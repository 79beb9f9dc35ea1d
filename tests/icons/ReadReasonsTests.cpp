// Why a file gives no icon: each failure names what could not be read and where.
#include <gtest/gtest.h>

#include "platform/icons/IconService.h"
#include "platform/icons/ReadResult.h"
#include "tests/icons/IconTestSupport.h"

namespace {

using fixtures::Bytes;
using platform::icons::Hex;
using platform::icons::WhyNoIcon;

class ReadReasons : public ::testing::Test {
protected:
    std::string Why(const Bytes& file, std::int32_t index = 0) {
        return WhyNoIcon(dir_.Write("f.exe", file), index);
    }

    static fixtures::BuiltPe OneIcon() {
        fixtures::PeBuilder pe;
        pe.AddIcon(1, fixtures::MakeDibImage({.width = 16, .height = 16}).bytes);
        pe.AddGroup(1, {1});
        return pe.BuildWithLayout({});
    }

    icon_tests::ScratchDir dir_;
};

TEST_F(ReadReasons, AFileWithAnIconHasNone) {
    EXPECT_EQ(Why(OneIcon().bytes), "");
    EXPECT_EQ(Why(OneIcon().bytes, 1), "there is no icon 1: the file has 1");
    EXPECT_EQ(WhyNoIcon(dir_.File("missing.exe"), 0),
              "the file cannot be opened as a regular file");
}

TEST_F(ReadReasons, HeadersNameTheStructureAndItsOffset) {
    EXPECT_EQ(Why(Bytes(100, 'x')),
              "not an executable (it does not start with \"MZ\") nor an icon file");

    Bytes farHeader = OneIcon().bytes;
    fixtures::Poke32(farHeader, 0x3C, 0x7FFFFFF0u);
    EXPECT_EQ(Why(farHeader),
              "new executable header at 0x7ffffff0 runs past the end of the file (" +
                  Hex(farHeader.size()) + " bytes)");

    const fixtures::BuiltPe built = OneIcon();
    Bytes noResources = built.bytes;
    fixtures::Poke32(noResources, built.layout.resourceDataDirectory, 0);
    EXPECT_EQ(Why(noResources), "the executable has no resource table");
}

TEST_F(ReadReasons, TheResourceTreeNamesTheEntryThatLeadsOutside) {
    const fixtures::BuiltPe built = OneIcon();
    Bytes outside = built.bytes;
    fixtures::Poke32(outside, built.layout.groupEntries[0] + 4, 0x80000000u | 0x7FFF0000u);
    EXPECT_EQ(Why(outside),
              "language directory at 0x7fff0000 from the resource root (0x18 bytes) lies outside "
              "the sections' data in the file");

    Bytes notIcons = built.bytes;
    fixtures::Poke16(notIcons, built.layout.groupData[0] + 2, 2);
    EXPECT_EQ(Why(notIcons), "group directory at " + Hex(built.layout.groupData[0]) +
                                 " is of type 2, not 1 (icon)");
}

TEST_F(ReadReasons, AGroupWhoseImagesAreMissingSaysWhichOne) {
    fixtures::PeBuilder pe;
    pe.AddIcon(1, fixtures::MakeDibImage({.width = 16, .height = 16}).bytes);
    pe.AddGroup(1, {9, 8});
    EXPECT_EQ(Why(pe.Build(true)),
              "none of its 2 images can be taken: the file has no icon resource (RT_ICON) 9");
}

}  // namespace

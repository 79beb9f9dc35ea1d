// quorvane::File on the library's fixtures: the groups as their images' own headers describe
// them, a group's bytes as a file of its own, drawing, and the reasons of what fails.
#include <gtest/gtest.h>
#include <quorvane/File.h>

#include <algorithm>

#include "tests/library/LibraryFixtures.h"
#include "tests/support/ScratchDirectory.h"

namespace {

using fixtures::Bytes;

class LibraryFile : public ::testing::Test {
protected:
    void SetUp() override { library_fixtures::WriteFixtures(dir_.Path()); }

    std::string Path(const std::string& name) const { return dir_.Path() + "/" + name; }

    quorvane::File Open(const std::string& name, quorvane::Kind kind = quorvane::Kind::Icons) {
        auto file = quorvane::File::Open(Path(name), kind);
        EXPECT_TRUE(file.ok()) << file.error();
        return std::move(file).value();
    }

    testsupport::ScratchDirectory dir_;
};

std::uint32_t Le32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
           std::uint32_t{bytes[at + 3]} << 24;
}

TEST_F(LibraryFile, DescribesEachGroupFromItsImagesOwnHeaders) {
    const quorvane::File file = Open("app.exe");
    EXPECT_EQ(file.ResourceKind(), quorvane::Kind::Icons);
    EXPECT_EQ(file.IconsIn(), "");
    const auto& groups = file.Groups();
    ASSERT_EQ(groups.size(), 2u);

    EXPECT_EQ(groups[0].index, 0u);
    EXPECT_EQ(groups[0].name, "MAINICON");
    EXPECT_FALSE(groups[0].id);
    EXPECT_EQ(groups[0].language, fixtures::kLangItIt);
    ASSERT_EQ(groups[0].images.size(), 3u);
    const quorvane::Image& png = groups[0].images[2];
    EXPECT_EQ(png.format, quorvane::ImageFormat::Png);
    EXPECT_EQ(png.width, 256);
    EXPECT_EQ(png.depth, 32);
    EXPECT_EQ(png.byteCount, fixtures::MakePngImage(256, 256, 3).bytes.size());
    EXPECT_EQ(groups[0].images[0].depth, 8);
    EXPECT_EQ(groups[0].images[0].format, quorvane::ImageFormat::Dib);

    EXPECT_EQ(groups[1].id, 100);
    EXPECT_EQ(groups[1].language, fixtures::kLangEnUs);
    ASSERT_EQ(groups[1].images.size(), 1u);
    EXPECT_EQ(groups[1].images[0].width, 32);
    EXPECT_EQ(groups[1].images[0].height, 32);
    EXPECT_TRUE(groups[1].problem.empty());
}

TEST_F(LibraryFile, WritesAnIconGroupAsAnIcoFileThatReadsBackTheSame) {
    const quorvane::File file = Open("app.exe");
    const auto ico = file.IcoBytes(0);
    ASSERT_TRUE(ico.ok()) << ico.error();
    const Bytes& bytes = ico.value();
    ASSERT_GE(bytes.size(), 6u + 3 * 16);
    EXPECT_EQ(bytes[2], 1);  // type: icon
    EXPECT_EQ(bytes[4], 3);  // three images
    const Bytes png = fixtures::MakePngImage(256, 256, 3).bytes;
    const std::uint32_t offset = Le32(bytes, 6 + 2 * 16 + 12);
    ASSERT_LE(offset + png.size(), bytes.size());
    EXPECT_TRUE(std::equal(png.begin(), png.end(), bytes.begin() + offset));

    fixtures::WriteFile(Path("copy.ico"), bytes);
    const quorvane::File copy = Open("copy.ico");
    ASSERT_EQ(copy.Groups().size(), 1u);
    ASSERT_EQ(copy.Groups()[0].images.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(copy.Groups()[0].images[i].width, file.Groups()[0].images[i].width);
        EXPECT_EQ(copy.Groups()[0].images[i].byteCount, file.Groups()[0].images[i].byteCount);
    }
}

TEST_F(LibraryFile, ReadsCursorGroupsWithTheirHotspotsAndWritesCurFiles) {
    const quorvane::File file = Open("app.exe", quorvane::Kind::Cursors);
    ASSERT_EQ(file.Groups().size(), 1u);
    const quorvane::Group& group = file.Groups()[0];
    EXPECT_EQ(group.id, 200);
    ASSERT_EQ(group.images.size(), 1u);
    EXPECT_EQ(group.images[0].height, 32);  // the image's own, not the group's doubled claim
    EXPECT_EQ(group.images[0].claimedHeight, 64);
    EXPECT_EQ(group.images[0].depth, 1);
    ASSERT_TRUE(group.images[0].hotspot);
    EXPECT_EQ(group.images[0].hotspot->x, library_fixtures::kHotspotX);
    EXPECT_EQ(group.images[0].hotspot->y, library_fixtures::kHotspotY);

    const auto cur = file.IcoBytes(0);
    ASSERT_TRUE(cur.ok()) << cur.error();
    ASSERT_GE(cur.value().size(), 22u);
    EXPECT_EQ(cur.value()[2], 2);                             // type: cursor
    EXPECT_EQ(cur.value()[7], 32);                            // the height of the image itself
    EXPECT_EQ(cur.value()[10], library_fixtures::kHotspotX);  // where an .ico has planes
    EXPECT_EQ(cur.value()[12], library_fixtures::kHotspotY);  // and bit count
    EXPECT_EQ(cur.value().size(), 22u + group.images[0].byteCount);
}

TEST_F(LibraryFile, DrawsTheBestImageAtASize) {
    const quorvane::File file = Open("app.exe");
    const fixtures::FixtureImage drawn =
        fixtures::MakeDibImage({.width = 32, .height = 32, .bitCount = 32, .seed = 2});
    const auto rgba = file.DrawRgba(0, 32);
    ASSERT_TRUE(rgba.ok()) << rgba.error();
    ASSERT_EQ(rgba.value().width, 32);
    ASSERT_EQ(rgba.value().pixels.size(), 32u * 32 * 4);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const std::uint32_t want = drawn.Pixel(x, y);
            const std::uint8_t* got = &rgba.value().pixels[(std::size_t(y) * 32 + x) * 4];
            ASSERT_EQ(got[3], want >> 24) << x << "," << y;
            if (want >> 24 == 0xFF) {
                ASSERT_EQ(got[0], (want >> 16) & 0xFF) << x << "," << y;
                ASSERT_EQ(got[2], want & 0xFF) << x << "," << y;
            }
        }
    }

    const auto png = file.Png(0, 48);
    ASSERT_TRUE(png.ok()) << png.error();
    ASSERT_GT(png.value().size(), 24u);
    EXPECT_EQ(png.value()[1], 'P');
    EXPECT_EQ(png.value()[19], 48);  // IHDR width, big-endian
    EXPECT_EQ(png.value()[23], 48);
}

TEST_F(LibraryFile, GivesTheReasonOfEachFailure) {
    const auto text = quorvane::File::Open(Path("notes.txt"));
    ASSERT_FALSE(text.ok());
    EXPECT_NE(text.error().find("MZ"), std::string::npos) << text.error();
    EXPECT_FALSE(quorvane::File::Open(Path("missing.exe")).ok());
    const auto cut = quorvane::File::Open(Path("app.exe") + std::string(1, '\0') + "x");
    EXPECT_EQ(cut.error(), "the path holds a NUL byte");
    EXPECT_FALSE(quorvane::File::Open(Path("app.exe"), quorvane::Kind::Animated).ok());

    const quorvane::File file = Open("app.exe");
    const auto missing = file.IcoBytes(2);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error(), "the file has no icon group 2 (it has 2)");
    EXPECT_FALSE(file.DrawRgba(0, 0).ok());
    EXPECT_FALSE(file.Png(0, quorvane::kMaxDrawnSide + 1).ok());
    EXPECT_TRUE(file.Png(0, quorvane::kMaxDrawnSide).ok());
}

TEST_F(LibraryFile, KeepsTheImagesOfAGroupNamedOverAndOverOnce) {
    fixtures::WriteFile(Path("repeated.exe"), fixtures::BuildRepeatedGroupPe(20000, 256));
    const quorvane::File file = Open("repeated.exe");
    const auto& groups = file.Groups();
    ASSERT_EQ(groups.size(), 20000u);
    EXPECT_EQ(groups[0].images.size(), 256u);
    EXPECT_EQ(groups[19999].sameAs, 0u);
    EXPECT_TRUE(groups[19999].images.empty());
    const auto drawn = file.DrawRgba(19999, 32);
    ASSERT_TRUE(drawn.ok()) << drawn.error();
    EXPECT_EQ(drawn.value().width, 32);
    const auto ico = file.IcoBytes(19999);
    ASSERT_TRUE(ico.ok()) << ico.error();
    EXPECT_EQ(ico.value()[4], 0);  // 256 images: count 0x0100
    EXPECT_EQ(ico.value()[5], 1);
}

}  // namespace

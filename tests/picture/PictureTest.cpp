// Pictures and their icon handles: ownership, lifetime, PictureDaIcona.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include <QImage>
#include <QTemporaryDir>

#include "picture/MPictureTool.h"
#include "platform/Utilita.h"
#include "platform/icons/IconService.h"
#include "platform/picture/Picture.h"
#include "platform/runtime/Replaceable.h"
#include "tests/support/IconFixtures.h"

namespace {

using platform::icons::HICON;
using platform::icons::IconGroupOf;
using platform::icons::LiveIconCount;
using platform::picture::IPictureDisp;
using platform::picture::OleCreatePictureIndirect;

class PictureHandles : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        path_ = dir_.filePath("two.ico").toStdString();
        fixtures::WriteFile(path_, fixtures::BuildIco({small_.bytes, large_.bytes}));
    }

    HICON Extract() { return platform::icons::ExtractIconA(0, path_, 0); }

    QTemporaryDir dir_;
    std::string path_;
    fixtures::FixtureImage small_ = fixtures::MakeDibImage({.width = 16, .height = 16});
    fixtures::FixtureImage large_ = fixtures::MakePngImage(48, 48, 2);
};

TEST_F(PictureHandles, PictureOwnsTheHandleAndItsGroup) {
    const std::size_t before = LiveIconCount();
    const HICON handle = Extract();
    ASSERT_NE(handle, 0u);

    IPictureDisp picture = OleCreatePictureIndirect(handle);

    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Handle(), handle);
    ASSERT_EQ(picture->Group().images.size(), 2u);
    EXPECT_EQ(picture->Group().images[0].bytes, small_.bytes);
    EXPECT_EQ(picture->Group().images[1].bytes, large_.bytes);
    EXPECT_EQ(LiveIconCount(), before + 1);
    picture.reset();
    EXPECT_EQ(LiveIconCount(), before);
    EXPECT_EQ(IconGroupOf(handle), nullptr);
}

TEST_F(PictureHandles, PictureOutlivesTheArrayThatHeldIt) {
    const std::size_t before = LiveIconCount();
    const HICON handle = Extract();
    IPictureDisp shown;
    {
        std::vector<IPictureDisp> loaded = {OleCreatePictureIndirect(handle)};
        shown = loaded[0];
    }

    EXPECT_EQ(LiveIconCount(), before + 1);
    EXPECT_NE(IconGroupOf(handle), nullptr);
    EXPECT_FALSE(shown->Pixels(32, 32).pixels.empty());
    IPictureDisp secondHolder = shown;
    shown.reset();
    EXPECT_NE(IconGroupOf(handle), nullptr);
    secondHolder.reset();
    EXPECT_EQ(LiveIconCount(), before);
    EXPECT_EQ(IconGroupOf(handle), nullptr);
}

TEST_F(PictureHandles, NoPictureOfAHandleThatIsNotLive) {
    const HICON handle = Extract();
    ASSERT_TRUE(platform::DestroyIcon(handle));
    const std::size_t before = LiveIconCount();

    EXPECT_FALSE(OleCreatePictureIndirect(handle));
    EXPECT_FALSE(OleCreatePictureIndirect(0));
    EXPECT_EQ(LiveIconCount(), before);
}

TEST_F(PictureHandles, PictureDaIconaOfZeroIsEmptyAndTouchesNothing) {
    int extractions = 0;
    const runtime::InstallGuard service(
        platform::InstallExtractIconService,
        [&](platform::icons::HWND, const std::string&, std::int32_t) -> HICON {
            ++extractions;
            return 0;
        });
    const HICON live = Extract();
    const std::size_t before = LiveIconCount();

    EXPECT_FALSE(MPictureTool::PictureDaIcona(0));

    EXPECT_EQ(extractions, 0);
    EXPECT_EQ(LiveIconCount(), before);
    EXPECT_NE(IconGroupOf(live), nullptr);
    platform::DestroyIcon(live);
}

TEST_F(PictureHandles, PictureDaIconaTakesALiveHandle) {
    const std::size_t before = LiveIconCount();
    const HICON handle = platform::ExtractIconA(0, path_, 0);

    IPictureDisp picture = MPictureTool::PictureDaIcona(handle);

    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Handle(), handle);
    EXPECT_EQ(LiveIconCount(), before + 1);
    picture.reset();
    EXPECT_EQ(LiveIconCount(), before);
}

TEST_F(PictureHandles, PictureDaIconaOfAStaleHandleIsEmpty) {
    const HICON handle = Extract();
    platform::DestroyIcon(handle);
    const std::size_t before = LiveIconCount();

    EXPECT_FALSE(MPictureTool::PictureDaIcona(handle));
    EXPECT_FALSE(MPictureTool::PictureDaIcona(0xFFFFFFFFu));
    EXPECT_EQ(LiveIconCount(), before);
}

}  // namespace

// The image control over real pictures: natural size or stretched, nothing for an empty picture,
// one rendering kept per picture and size.
#include "platform/toolkit/Image.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QTest>

#include "platform/picture/Picture.h"
#include "platform/toolkit/Form.h"
#include "platform/toolkit/qt/ImageWidget.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {
namespace {

using platform::icons::IconGroup;
using platform::icons::IconImage;
using platform::picture::IPictureDisp;
using platform::picture::Picture;

const QColor kBackground(224, 224, 224);
const QColor kRed(255, 0, 0);

// A picture of one 16x16 PNG image in a single opaque colour.
IPictureDisp SolidPicture(const QColor& colour) {
    QImage solid(16, 16, QImage::Format_ARGB32);
    solid.fill(colour);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(solid.save(&buffer, "PNG"));
    IconImage image;
    image.entry.width = 16;
    image.entry.height = 16;
    image.entry.planes = 1;
    image.entry.bitCount = 32;
    image.bytes = std::vector<std::uint8_t>(png.begin(), png.end());
    image.bytesInRes = static_cast<std::uint32_t>(image.bytes.size());
    auto group = std::make_shared<IconGroup>();
    group->images.push_back(std::move(image));
    return std::make_shared<const Picture>(0, group);
}

class ImageTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.SetClientSize(1500, 1500);
        form.SetBackColor({224, 224, 224});
        image.Move(0, 0, 960, 960);  // 64 x 64 pixels
    }

    QImage Shown() const { return toolkit::qt::SurfaceOf(form)->grab().toImage(); }
    ImageWidget& Widget() const { return static_cast<ImageWidget&>(*toolkit::qt::WidgetOf(image)); }

    Form form;
    Image image{form};
};

TEST_F(ImageTest, AnEmptyPictureShowsTheFormBehind) {
    EXPECT_EQ(image.Picture(), nullptr);
    EXPECT_EQ(Shown().pixelColor(10, 10), kBackground);
    EXPECT_TRUE(Widget().CurrentImage().isNull());
}

TEST_F(ImageTest, WithoutStretchThePictureShowsAtItsNaturalSizeTopLeft) {
    image.SetPicture(SolidPicture(kRed));
    const QImage shown = Shown();
    EXPECT_EQ(shown.pixelColor(0, 0), kRed);
    EXPECT_EQ(shown.pixelColor(31, 31), kRed);
    EXPECT_EQ(shown.pixelColor(33, 33), kBackground);
    EXPECT_EQ(shown.pixelColor(63, 10), kBackground);
}

TEST_F(ImageTest, WithStretchThePictureFillsTheControl) {
    image.SetStretch(true);
    image.SetPicture(SolidPicture(kRed));
    EXPECT_TRUE(image.Stretch());
    const QImage shown = Shown();
    EXPECT_EQ(shown.pixelColor(1, 1), kRed);
    EXPECT_EQ(shown.pixelColor(62, 62), kRed);
    EXPECT_EQ(shown.pixelColor(66, 66), kBackground);
    EXPECT_EQ(Widget().CurrentImage().size(), QSize(64, 64));
}

TEST_F(ImageTest, HoldsTheSamePictureNotACopy) {
    const IPictureDisp picture = SolidPicture(kRed);
    image.SetPicture(picture);
    EXPECT_EQ(image.Picture(), picture);
    const long held = picture.use_count();
    image.SetPicture(nullptr);
    EXPECT_LT(picture.use_count(), held);
    EXPECT_EQ(Shown().pixelColor(10, 10), kBackground);
}

TEST_F(ImageTest, OneRenderingIsKeptPerPictureAndSize) {
    image.SetStretch(true);
    image.SetPicture(SolidPicture(kRed));
    const qint64 first = Widget().CurrentImage().cacheKey();
    EXPECT_EQ(Widget().CurrentImage().cacheKey(), first);
    image.Move(0, 0, 480, 480);
    const QImage resized = Widget().CurrentImage();
    EXPECT_NE(resized.cacheKey(), first);
    EXPECT_EQ(resized.size(), QSize(32, 32));
    image.SetPicture(SolidPicture(QColor(0, 0, 255)));
    EXPECT_EQ(Widget().CurrentImage().pixelColor(5, 5), QColor(0, 0, 255));
}

// Anything that draws itself: here a solid colour, premultiplied ARGB32.
class SolidDrawable : public Drawable {
public:
    explicit SolidDrawable(std::uint32_t argb) : argb_(argb) {}
    ArgbPixels Pixels(int width, int height) const override {
        return {width, height, std::vector<std::uint32_t>(std::size_t(width) * height, argb_)};
    }

private:
    std::uint32_t argb_;
};

TEST_F(ImageTest, AnyDrawableIsDrawnAndGivenBackAsItself) {
    const auto green = std::make_shared<const SolidDrawable>(0xFF00FF00);
    image.SetStretch(true);
    image.SetPicture(green);
    EXPECT_EQ(image.Picture(), green);
    EXPECT_EQ(Shown().pixelColor(40, 40), QColor(0, 255, 0));
    EXPECT_EQ(platform::picture::AsPicture(image.Picture()), nullptr);
}

}  // namespace
}  // namespace toolkit

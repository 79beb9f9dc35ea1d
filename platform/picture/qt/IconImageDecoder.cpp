#include "platform/picture/qt/IconImageDecoder.h"

#include "platform/format/IconFormat.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <span>

#include "platform/picture/DibLayout.h"
#include "platform/picture/IcoFileWriter.h"
#include "platform/picture/IconImageInfo.h"
#include "platform/picture/qt/DibDecoder.h"

namespace platform::picture {

namespace {

constexpr int kIcoReaderMaxSide = 256;
constexpr std::size_t kPngSizeOffset = 16;  // width and height in IHDR, big-endian

QImage ReadWithIcoReader(const IcoEntry& entry) {
    const std::optional<std::vector<std::uint8_t>> file = IcoFileBytes({&entry, 1});
    if (!file) {
        return {};
    }
    QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(file->data()),
                                              static_cast<qsizetype>(file->size()));
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    return reader.read();
}

std::uint32_t ReadBigEndian32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return (std::uint32_t(bytes[offset]) << 24) | (bytes[offset + 1] << 16) |
           (bytes[offset + 2] << 8) | bytes[offset + 3];
}

bool PngSizeAllowed(const icons::IconImage& image) {
    if (image.bytes.size() < kPngSizeOffset + 8) {
        return false;
    }
    return ReadBigEndian32(image.bytes, kPngSizeOffset) <= kMaxIconSide &&
           ReadBigEndian32(image.bytes, kPngSizeOffset + 4) <= kMaxIconSide;
}

QImage DecodePng(const icons::IconImage& image) {
    if (!PngSizeAllowed(image)) {
        return {};
    }
    return ReadWithIcoReader(IcoEntryOf(image));
}

// Qt's ICO reader (Qt 6.4) draws a DIB right when it has a BITMAPINFOHEADER, at most 256 pixels
// a side, and either 1, 4 or 8 bpp with a full colour table, or 32 bpp with an alpha channel and
// no colour table. It gets the others wrong: it ignores the AND mask of 24-bpp images (transparent
// pixels show) and of 32-bpp images whose alpha is all zero (nothing shows), gives nothing for
// 16 bpp, reads the colour table and bits from the wrong place after a longer header (BITMAPV4/V5)
// or a colour table at 16 bpp and more, and refuses images larger than 256 pixels.
bool IcoReaderDrawsRight(const DibLayout& layout, std::span<const std::uint8_t> bytes) {
    if (layout.headerSize != format::kBitmapInfoHeaderSize || layout.width > kIcoReaderMaxSide ||
        layout.height > kIcoReaderMaxSide) {
        return false;
    }
    if (layout.bitCount <= 8) {
        return layout.paletteColors == 1 << layout.bitCount;
    }
    return layout.bitCount == 32 && layout.paletteColors == 0 && HasAlphaChannel(layout, bytes);
}

// The entry the ICO reader sizes the image by: the DIB's own size and depth, whatever the group
// entry says.
IcoEntry IcoEntryOfDib(const DibLayout& layout, std::span<const std::uint8_t> bytes) {
    const auto sizeByte = [](int side) { return static_cast<std::uint8_t>(side & 0xFF); };
    return {.entry = {.width = sizeByte(layout.width),
                      .height = sizeByte(layout.height),
                      .colorCount = sizeByte(layout.paletteColors),
                      .planes = 1,
                      .bitCount = static_cast<std::uint16_t>(layout.bitCount)},
            .bytes = bytes};
}

QImage DecodeDibImage(const icons::IconImage& image) {
    const std::optional<DibLayout> layout = ReadDibLayout(image.bytes);
    if (!layout) {
        return {};
    }
    if (IcoReaderDrawsRight(*layout, image.bytes)) {
        return ReadWithIcoReader(IcoEntryOfDib(*layout, image.bytes));
    }
    return DecodeDib(*layout, image.bytes);
}

}  // namespace

QImage DecodeIconImage(const icons::IconImage& image) {
    const QImage decoded = IsPng(image) ? DecodePng(image) : DecodeDibImage(image);
    return decoded.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

}  // namespace platform::picture

#include "platform/picture/qt/DibDecoder.h"

namespace platform::picture {

namespace {

using Row = const std::uint8_t*;

constexpr QRgb kOutsidePalette = qRgb(0, 0, 0);

// Row y of the image counted from the top; DIB rows are stored bottom-up.
Row ColourRow(const DibLayout& layout, std::span<const std::uint8_t> bytes, int y) {
    return bytes.data() + layout.colourOffset + layout.colourStride * (layout.height - 1 - y);
}

Row MaskRow(const DibLayout& layout, std::span<const std::uint8_t> bytes, int y) {
    return bytes.data() + layout.maskOffset + layout.maskStride * (layout.height - 1 - y);
}

int PaletteIndex(Row row, int x, int bitCount) {
    const int pixelsPerByte = 8 / bitCount;
    const int shift = 8 - bitCount * (x % pixelsPerByte + 1);
    return (row[x / pixelsPerByte] >> shift) & ((1 << bitCount) - 1);
}

QRgb PaletteColour(const DibLayout& layout, std::span<const std::uint8_t> bytes, int index) {
    if (index >= layout.paletteColors) {
        return kOutsidePalette;
    }
    const std::uint8_t* entry = bytes.data() + layout.headerSize + std::size_t(index) * 4;
    return qRgb(entry[2], entry[1], entry[0]);
}

int FiveBitsToEight(int value) {
    return (value << 3) | (value >> 2);
}

QRgb ColourAt(const DibLayout& layout, std::span<const std::uint8_t> bytes, Row row, int x) {
    switch (layout.bitCount) {
        case 16: {
            const int value = row[x * 2] | (row[x * 2 + 1] << 8);
            return qRgb(FiveBitsToEight((value >> 10) & 0x1F), FiveBitsToEight((value >> 5) & 0x1F),
                        FiveBitsToEight(value & 0x1F));
        }
        case 24:
            return qRgb(row[x * 3 + 2], row[x * 3 + 1], row[x * 3]);
        case 32:
            return qRgb(row[x * 4 + 2], row[x * 4 + 1], row[x * 4]);
        default:
            return PaletteColour(layout, bytes, PaletteIndex(row, x, layout.bitCount));
    }
}

bool MaskBitSet(Row row, int x) {
    return (row[x / 8] >> (7 - x % 8)) & 1;
}

}  // namespace

QImage DecodeDib(const DibLayout& layout, std::span<const std::uint8_t> bytes) {
    QImage image(layout.width, layout.height, QImage::Format_ARGB32);
    if (image.isNull()) {
        return image;
    }
    const bool ownAlpha = HasAlphaChannel(layout, bytes);
    for (int y = 0; y < layout.height; ++y) {
        Row colours = ColourRow(layout, bytes, y);
        Row mask = MaskRow(layout, bytes, y);
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < layout.width; ++x) {
            const int alpha = ownAlpha ? colours[x * 4 + 3] : (MaskBitSet(mask, x) ? 0 : 255);
            const QRgb colour = ColourAt(layout, bytes, colours, x);
            out[x] = qRgba(qRed(colour), qGreen(colour), qBlue(colour), alpha);
        }
    }
    return image;
}

}  // namespace platform::picture

#include "platform/picture/PngEncoder.h"

#include <zlib.h>

#include <string_view>

#include "platform/format/IconFormat.h"
#include "platform/picture/PixelFormat.h"

namespace platform::picture {

namespace {

void AppendBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void AppendChunk(std::vector<std::uint8_t>& out, std::string_view type,
                 const std::vector<std::uint8_t>& data) {
    AppendBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type.begin(), type.end());
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    AppendBig32(out, static_cast<std::uint32_t>(crc));
}

std::vector<std::uint8_t> HeaderOf(const toolkit::ArgbPixels& pixels) {
    std::vector<std::uint8_t> header;
    AppendBig32(header, static_cast<std::uint32_t>(pixels.width));
    AppendBig32(header, static_cast<std::uint32_t>(pixels.height));
    constexpr std::uint8_t kDepth = 8;
    constexpr std::uint8_t kRgba = 6;
    header.insert(header.end(),
                  {kDepth, kRgba, 0, 0, 0});  // deflate, adaptive filters, no interlace
    return header;
}

// The rows as PNG's raw data: each a filter byte (none) and straight RGBA samples.
std::vector<std::uint8_t> RawRows(const toolkit::ArgbPixels& pixels) {
    std::vector<std::uint8_t> raw;
    raw.reserve(std::size_t(pixels.height) * (1 + std::size_t(pixels.width) * 4));
    for (int y = 0; y < pixels.height; ++y) {
        raw.push_back(0);
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t pixel = pixels.pixels[std::size_t(y) * pixels.width + x];
            const std::uint32_t alpha = pixel >> 24;
            raw.push_back(Unpremultiplied((pixel >> 16) & 0xFF, alpha));
            raw.push_back(Unpremultiplied((pixel >> 8) & 0xFF, alpha));
            raw.push_back(Unpremultiplied(pixel & 0xFF, alpha));
            raw.push_back(static_cast<std::uint8_t>(alpha));
        }
    }
    return raw;
}

std::optional<std::vector<std::uint8_t>> Deflated(const std::vector<std::uint8_t>& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    std::vector<std::uint8_t> out(size);
    if (compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK) {
        return std::nullopt;
    }
    out.resize(size);
    return out;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> PngOfPixels(const toolkit::ArgbPixels& pixels) {
    if (pixels.width <= 0 || pixels.height <= 0 ||
        pixels.pixels.size() != std::size_t(pixels.width) * pixels.height) {
        return std::nullopt;
    }
    const std::optional<std::vector<std::uint8_t>> data = Deflated(RawRows(pixels));
    if (!data) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> png(format::kPngSignature.begin(), format::kPngSignature.end());
    AppendChunk(png, "IHDR", HeaderOf(pixels));
    AppendChunk(png, "IDAT", *data);
    AppendChunk(png, "IEND", {});
    return png;
}

}  // namespace platform::picture

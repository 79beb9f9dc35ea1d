// The PNG of a picture from the pixels its backend draws, written without a drawing library: RGBA,
// 8 bits a channel, the image data in stored (uncompressed) deflate blocks.
#include <array>

#include "platform/format/LittleEndian.h"
#include "tools/PngEncoding.h"

namespace tool {

namespace {

constexpr std::size_t kMaxStoredBlock = 65535;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> values{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            values[n] = c;
        }
        return values;
    }();
    crc = ~crc;
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return ~crc;
}

void AppendBig32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void AppendChunk(std::vector<std::uint8_t>& out, const char* type,
                 const std::vector<std::uint8_t>& data) {
    AppendBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    AppendBig32(out, Crc32(out.data() + start, out.size() - start));
}

// Each row a filter byte (none) and its RGBA pixels, colour taken back from premultiplied.
std::vector<std::uint8_t> Scanlines(const toolkit::ArgbPixels& image) {
    std::vector<std::uint8_t> rows;
    rows.reserve(std::size_t(image.height) * (1 + 4 * std::size_t(image.width)));
    for (int y = 0; y < image.height; ++y) {
        rows.push_back(0);
        for (int x = 0; x < image.width; ++x) {
            const std::uint32_t argb = image.pixels[std::size_t(y) * image.width + x];
            const std::uint32_t alpha = argb >> 24;
            for (const int shift : {16, 8, 0}) {
                const std::uint32_t channel = (argb >> shift) & 0xFF;
                rows.push_back(alpha == 0 ? 0
                                          : std::uint8_t(std::min(255u, channel * 255 / alpha)));
            }
            rows.push_back(static_cast<std::uint8_t>(alpha));
        }
    }
    return rows;
}

// A zlib stream of stored blocks.
std::vector<std::uint8_t> Stored(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> out = {0x78, 0x01};
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    std::size_t at = 0;
    do {
        const std::size_t length = std::min(kMaxStoredBlock, data.size() - at);
        out.push_back(at + length == data.size() ? 1 : 0);
        platform::format::AppendLittle16(out, static_cast<std::uint16_t>(length));
        platform::format::AppendLittle16(out, static_cast<std::uint16_t>(~length));
        out.insert(out.end(), data.begin() + std::ptrdiff_t(at),
                   data.begin() + std::ptrdiff_t(at + length));
        at += length;
    } while (at < data.size());
    AppendBig32(out, (b << 16) | a);
    return out;
}

}  // namespace

std::optional<std::vector<std::uint8_t>> EncodePng(const platform::picture::Picture& picture,
                                                   int side) {
    const toolkit::ArgbPixels image = picture.Pixels(side, side);
    if (image.pixels.empty()) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    AppendBig32(header, static_cast<std::uint32_t>(image.width));
    AppendBig32(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
    AppendChunk(png, "IHDR", header);
    AppendChunk(png, "IDAT", Stored(Scanlines(image)));
    AppendChunk(png, "IEND", {});
    return png;
}

void PrepareEncoding() {}

}  // namespace tool

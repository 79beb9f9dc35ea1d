// Icon images with known pixels: DIBs of every depth an icon uses, and PNGs.
#include <algorithm>
#include <array>
#include <stdexcept>

#include "tests/support/IconFixtures.h"
#include "tests/support/IconFixturesWriter.h"

namespace fixtures {

namespace {

using detail::ByteWriter;
using detail::Random;

constexpr std::uint32_t kOpaque = 0xFF000000u;

std::size_t RowBytes(int width, int bitCount) {
    return (std::size_t(width) * bitCount + 31) / 32 * 4;
}

std::vector<std::uint32_t> MakePalette(int bitCount, Random& random) {
    std::vector<std::uint32_t> palette(std::size_t(1) << bitCount);
    for (std::size_t i = 1; i < palette.size(); ++i) {
        palette[i] = random.Next() & 0xFFFFFFu;
    }
    return palette;  // entry 0 stays black
}

// Chooses each pixel: its palette index (palette images) or colour, its alpha, its mask bit.
struct PixelPlan {
    std::vector<std::uint32_t> stored;  // palette index, or 0xAARRGGBB as stored in the file
    std::vector<bool> mask;
    std::vector<std::uint32_t> argb;
};

std::uint8_t RandomAlpha(Random& random) {
    switch (random.Below(4)) {
        case 0:
            return 0x00;
        case 1:
            return 0xFF;
        case 2:
            return 0x80;
        default:
            return static_cast<std::uint8_t>(1 + random.Below(254));
    }
}

PixelPlan PlanPixels(const DibOptions& options, const std::vector<std::uint32_t>& palette,
                     Random& random) {
    const std::size_t count = std::size_t(options.width) * options.height;
    PixelPlan plan{std::vector<std::uint32_t>(count), std::vector<bool>(count),
                   std::vector<std::uint32_t>(count)};
    const bool alphaImage = options.bitCount == 32 && !options.zeroAlpha;
    for (std::size_t i = 0; i < count; ++i) {
        if (alphaImage) {
            const std::uint32_t alpha = RandomAlpha(random);
            const std::uint32_t colour = alpha == 0 ? 0 : (random.Next() & 0xFFFFFFu);
            plan.stored[i] = alpha << 24 | colour;
            plan.mask[i] = alpha == 0;
            plan.argb[i] = plan.stored[i];
            continue;
        }
        const bool masked = random.Below(4) == 0;
        plan.mask[i] = masked;
        if (!palette.empty()) {
            plan.stored[i] = masked ? 0 : random.Below(std::uint32_t(palette.size()));
            plan.argb[i] = masked ? 0 : kOpaque | palette[plan.stored[i]];
        } else {
            plan.stored[i] = masked ? 0 : (random.Next() & 0xFFFFFFu);
            plan.argb[i] = masked ? 0 : kOpaque | plan.stored[i];
        }
    }
    return plan;
}

void PackRow(std::vector<std::uint8_t>& row, const std::uint32_t* pixels, int width, int bitCount) {
    for (int x = 0; x < width; ++x) {
        const std::uint32_t value = pixels[x];
        switch (bitCount) {
            case 1:
                row[x / 8] |= static_cast<std::uint8_t>((value & 1) << (7 - x % 8));
                break;
            case 4:
                row[x / 2] |= static_cast<std::uint8_t>((value & 0xF) << (x % 2 == 0 ? 4 : 0));
                break;
            case 8:
                row[x] = static_cast<std::uint8_t>(value);
                break;
            default:  // 24 and 32: B, G, R (, A)
                const std::size_t at = std::size_t(x) * (bitCount / 8);
                row[at] = value & 0xFF;
                row[at + 1] = (value >> 8) & 0xFF;
                row[at + 2] = (value >> 16) & 0xFF;
                if (bitCount == 32) {
                    row[at + 3] = value >> 24;
                }
        }
    }
}

void WriteDibHeader(ByteWriter& out, const DibOptions& options, std::size_t imageSize) {
    out.U32(40);
    out.U32(static_cast<std::uint32_t>(options.width));
    out.U32(static_cast<std::uint32_t>(options.height * 2));  // XOR bits and AND mask
    out.U16(1);
    out.U16(static_cast<std::uint32_t>(options.bitCount));
    out.U32(0);  // BI_RGB
    out.U32(static_cast<std::uint32_t>(imageSize));
    out.Zeros(16);  // resolution, colours used, colours important
}

void WriteBits(ByteWriter& out, const DibOptions& options, const PixelPlan& plan) {
    const std::size_t rowBytes = RowBytes(options.width, options.bitCount);
    for (int y = options.height - 1; y >= 0; --y) {  // bottom-up
        std::vector<std::uint8_t> row(rowBytes, 0);
        PackRow(row, &plan.stored[std::size_t(y) * options.width], options.width, options.bitCount);
        out.Append(row);
    }
}

void WriteMask(ByteWriter& out, const DibOptions& options, const PixelPlan& plan) {
    const std::size_t rowBytes = RowBytes(options.width, 1);
    for (int y = options.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(rowBytes, 0);
        for (int x = 0; x < options.width; ++x) {
            if (plan.mask[std::size_t(y) * options.width + x]) {
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.Append(row);
    }
}

bool ValidDepth(int bitCount) {
    return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 24 || bitCount == 32;
}

// CRC-32 as PNG chunks use it.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    }
    return crc ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(const Bytes& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (std::uint8_t byte : data) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    return b << 16 | a;
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes StoredZlib(const Bytes& data) {
    ByteWriter out;
    out.U8(0x78);
    out.U8(0x01);
    std::size_t at = 0;
    do {
        const std::size_t length = std::min<std::size_t>(65535, data.size() - at);
        const bool last = at + length == data.size();
        out.U8(last ? 1 : 0);
        out.U16(static_cast<std::uint32_t>(length));
        out.U16(static_cast<std::uint32_t>(~length & 0xFFFF));
        out.Append(Bytes(data.begin() + at, data.begin() + at + length));
        at += length;
    } while (at < data.size());
    out.BigEndian32(Adler32(data));
    return out.bytes();
}

void WriteChunk(ByteWriter& out, const char* type, const Bytes& data) {
    ByteWriter chunk;
    chunk.Text(type);
    chunk.Append(data);
    out.BigEndian32(static_cast<std::uint32_t>(data.size()));
    out.Append(chunk.bytes());
    out.BigEndian32(Crc32(chunk.bytes().data(), chunk.size()));
}

Bytes PngHeader(int width, int height) {
    ByteWriter ihdr;
    ihdr.BigEndian32(static_cast<std::uint32_t>(width));
    ihdr.BigEndian32(static_cast<std::uint32_t>(height));
    ihdr.U8(8);     // bits per channel
    ihdr.U8(6);     // RGBA
    ihdr.Zeros(3);  // deflate, adaptive filtering, no interlace
    return ihdr.bytes();
}

}  // namespace

FixtureImage MakeDibImage(const DibOptions& options) {
    if (!ValidDepth(options.bitCount) || options.width <= 0 || options.height <= 0) {
        throw std::invalid_argument("MakeDibImage: unsupported size or depth");
    }
    Random random(options.seed);
    FixtureImage image;
    image.width = options.width;
    image.height = options.height;
    image.bitCount = options.bitCount;
    if (options.bitCount <= 8) {
        image.palette = MakePalette(options.bitCount, random);
    }
    PixelPlan plan = PlanPixels(options, image.palette, random);
    const std::size_t imageSize = RowBytes(options.width, options.bitCount) * options.height +
                                  RowBytes(options.width, 1) * options.height;
    ByteWriter out;
    WriteDibHeader(out, options, imageSize);
    for (std::uint32_t colour : image.palette) {
        out.U32(colour);  // RGBQUAD: blue, green, red, 0
    }
    WriteBits(out, options, plan);
    WriteMask(out, options, plan);
    image.bytes = std::move(out.bytes());
    image.argb = std::move(plan.argb);
    image.mask = std::move(plan.mask);
    return image;
}

FixtureImage MakePngImage(int width, int height, std::uint32_t seed) {
    if (width <= 0 || height <= 0) {
        throw std::invalid_argument("MakePngImage: bad size");
    }
    DibOptions plan{.width = width, .height = height, .bitCount = 32, .seed = seed};
    Random random(seed);
    PixelPlan pixels = PlanPixels(plan, {}, random);
    Bytes raw;
    raw.reserve((std::size_t(width) * 4 + 1) * height);
    for (int y = 0; y < height; ++y) {
        raw.push_back(0);  // filter: none
        for (int x = 0; x < width; ++x) {
            const std::uint32_t argb = pixels.argb[std::size_t(y) * width + x];
            raw.insert(raw.end(), {std::uint8_t(argb >> 16), std::uint8_t(argb >> 8),
                                   std::uint8_t(argb), std::uint8_t(argb >> 24)});
        }
    }
    ByteWriter out;
    out.Append({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'});
    WriteChunk(out, "IHDR", PngHeader(width, height));
    WriteChunk(out, "IDAT", StoredZlib(raw));
    WriteChunk(out, "IEND", {});
    FixtureImage image;
    image.bytes = std::move(out.bytes());
    image.width = width;
    image.height = height;
    image.bitCount = 32;
    image.isPng = true;
    image.argb = std::move(pixels.argb);
    image.mask = std::move(pixels.mask);
    return image;
}

Bytes MakeOpaqueBytes(std::size_t size, std::uint32_t seed) {
    Random random(seed);
    Bytes bytes(size);
    for (std::uint8_t& byte : bytes) {
        byte = static_cast<std::uint8_t>(random.Next());
    }
    if (!bytes.empty()) {
        bytes[0] = 0xEE;  // neither a BITMAPINFOHEADER nor a PNG signature
    }
    return bytes;
}

GroupEntry EntryFor(const Bytes& image, std::uint16_t iconId) {
    GroupEntry entry{.width = 32, .height = 32, .bitCount = 32, .iconId = iconId};
    entry.bytesInRes = static_cast<std::uint32_t>(image.size());
    static const Bytes kPngSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    auto toByte = [](std::uint32_t pixels) { return std::uint8_t(pixels >= 256 ? 0 : pixels); };
    auto bigEndian = [&](std::size_t at) {
        return std::uint32_t(image[at]) << 24 | std::uint32_t(image[at + 1]) << 16 |
               std::uint32_t(image[at + 2]) << 8 | image[at + 3];
    };
    if (image.size() >= 24 &&
        std::equal(kPngSignature.begin(), kPngSignature.end(), image.begin())) {
        entry.width = toByte(bigEndian(16));
        entry.height = toByte(bigEndian(20));
    } else if (image.size() >= 40 && Peek32(image, 0) == 40) {
        const std::uint16_t bitCount = Peek16(image, 14);
        entry.width = toByte(Peek32(image, 4));
        entry.height = toByte(Peek32(image, 8) / 2);
        entry.bitCount = bitCount;
        entry.colorCount = bitCount < 8 ? std::uint8_t(1u << bitCount) : 0;
    }
    return entry;
}

}  // namespace fixtures

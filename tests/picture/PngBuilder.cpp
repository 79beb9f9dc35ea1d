#include "tests/picture/PngBuilder.h"

#include <zlib.h>

namespace picture_test {

namespace {

void Big32(fixtures::Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

int Channels(int colourType) {
    return colourType == 2 ? 3 : colourType == 4 ? 2 : colourType == 6 ? 4 : 1;
}

fixtures::Bytes Deflate(const fixtures::Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    fixtures::Bytes out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 9);
    out.resize(size);
    return out;
}

// Each pass's rows and row bytes (one pass when not interlaced).
std::vector<std::pair<int, std::size_t>> PassRows(const PngShape& shape) {
    static constexpr int kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                         {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    const auto rowBytes = [&](int pixels) {
        return (std::size_t(pixels) * Channels(shape.colourType) * shape.depth + 7) / 8;
    };
    if (!shape.interlaced) {
        return {{shape.height, rowBytes(shape.width)}};
    }
    std::vector<std::pair<int, std::size_t>> passes;
    for (const auto& p : kAdam7) {
        const int w = (shape.width - p[0] + p[2] - 1) / p[2];
        const int h = (shape.height - p[1] + p[3] - 1) / p[3];
        if (w > 0 && h > 0) {
            passes.emplace_back(h, rowBytes(w));
        }
    }
    return passes;
}

}  // namespace

fixtures::Bytes PngChunk(const std::string& type, const fixtures::Bytes& data) {
    fixtures::Bytes chunk;
    Big32(chunk, static_cast<std::uint32_t>(data.size()));
    chunk.insert(chunk.end(), type.begin(), type.end());
    chunk.insert(chunk.end(), data.begin(), data.end());
    Big32(chunk, static_cast<std::uint32_t>(crc32(0, chunk.data() + 4, chunk.size() - 4)));
    return chunk;
}

std::size_t PngRawSize(const PngShape& shape) {
    std::size_t size = 0;
    for (const auto& [rows, bytes] : PassRows(shape)) {
        size += std::size_t(rows) * (1 + bytes);
    }
    return size;
}

fixtures::Bytes BuildPng(const PngShape& shape, const fixtures::Bytes& before,
                         std::size_t rawExtra) {
    fixtures::Bytes header;
    Big32(header, static_cast<std::uint32_t>(shape.width));
    Big32(header, static_cast<std::uint32_t>(shape.height));
    header.insert(header.end(), {static_cast<std::uint8_t>(shape.depth),
                                 static_cast<std::uint8_t>(shape.colourType), 0, 0,
                                 static_cast<std::uint8_t>(shape.interlaced ? 1 : 0)});
    // Seeded bytes; the first byte of each row is a filter type, all five in turn.
    fixtures::Bytes raw = fixtures::MakeOpaqueBytes(PngRawSize(shape) + rawExtra, shape.seed);
    std::size_t at = 0;
    for (const auto& [rows, bytes] : PassRows(shape)) {
        for (int row = 0; row < rows; ++row, at += 1 + bytes) {
            raw[at] = static_cast<std::uint8_t>(row % 5);
        }
    }
    fixtures::Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const fixtures::Bytes ihdr = PngChunk("IHDR", header);
    png.insert(png.end(), ihdr.begin(), ihdr.end());
    png.insert(png.end(), before.begin(), before.end());
    const fixtures::Bytes idat = PngChunk("IDAT", Deflate(raw));
    png.insert(png.end(), idat.begin(), idat.end());
    const fixtures::Bytes iend = PngChunk("IEND", {});
    png.insert(png.end(), iend.begin(), iend.end());
    return png;
}

}  // namespace picture_test

#include "bench/DrawingBombs.h"

#include <zlib.h>

#include <cstdio>
#include <filesystem>

#include "bench/ChildRun.h"
#include "tests/support/IconFixtures.h"

namespace bench {

namespace {

using fixtures::Bytes;

constexpr double kMegabyte = 1024.0 * 1024.0;
constexpr double kTimeTarget = 1.0;
constexpr double kMemoryTarget = 64 * kMegabyte;

void Big32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void AppendChunk(Bytes& png, const char* type, const Bytes& data) {
    Big32(png, static_cast<std::uint32_t>(data.size()));
    const std::size_t at = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    Big32(png, static_cast<std::uint32_t>(crc32(0, png.data() + at, png.size() - at)));
}

void Little16(Bytes& out, std::uint16_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Little32(Bytes& out, std::uint32_t value) {
    Little16(out, static_cast<std::uint16_t>(value));
    Little16(out, static_cast<std::uint16_t>(value >> 16));
}

Bytes Deflated(const Bytes& raw) {
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    compress2(out.data(), &size, raw.data(), static_cast<uLong>(raw.size()), 6);
    out.resize(size);
    return out;
}

// An RGBA PNG of side x side seeded pixels; `before` goes between IHDR and IDAT; the deflated
// data loses its last `cut` bytes.
Bytes Png(int side, const Bytes& before, std::size_t cut = 0) {
    Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes header;
    Big32(header, static_cast<std::uint32_t>(side));
    Big32(header, static_cast<std::uint32_t>(side));
    header.insert(header.end(), {8, 6, 0, 0, 0});
    AppendChunk(png, "IHDR", header);
    png.insert(png.end(), before.begin(), before.end());
    const std::size_t stride = 1 + std::size_t(side) * 4;
    Bytes raw = fixtures::MakeOpaqueBytes(stride * side, 5);
    for (std::size_t row = 0; row < raw.size(); row += stride) {
        raw[row] = 0;
    }
    Bytes data = Deflated(raw);
    data.resize(data.size() - cut);
    AppendChunk(png, "IDAT", data);
    AppendChunk(png, "IEND", {});
    return png;
}

// An .ico of `count` entries all naming the image at one place (bytesInRes its length, or
// `declared`), the file cut after `entriesWritten` entries when that is fewer.
Bytes Ico(const Bytes& image, int count, int entriesWritten, std::uint32_t declared = 0) {
    Bytes ico;
    Little16(ico, 0);
    Little16(ico, 1);
    Little16(ico, static_cast<std::uint16_t>(count));
    const auto offset = static_cast<std::uint32_t>(6 + 16 * count);
    for (int i = 0; i < entriesWritten; ++i) {
        ico.insert(ico.end(), {0, 0, 0, 0});
        Little16(ico, 1);
        Little16(ico, 32);
        Little32(ico, declared ? declared : static_cast<std::uint32_t>(image.size()));
        Little32(ico, offset);
    }
    if (entriesWritten == count) {
        ico.insert(ico.end(), image.begin(), image.end());
    }
    return ico;
}

Bytes ZtxtBombs(int count, std::size_t inflated) {
    Bytes data = {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 0};
    const Bytes text = Deflated(Bytes(inflated, 0));
    data.insert(data.end(), text.begin(), text.end());
    Bytes chunks;
    for (int i = 0; i < count; ++i) {
        AppendChunk(chunks, "zTXt", data);
    }
    return chunks;
}

Bytes Padded(Bytes image, std::size_t size) {
    image.resize(size, 0);
    return image;
}

struct Bomb {
    std::string name;
    std::string what;
    Bytes bytes;
};

std::vector<Bomb> Bombs() {
    constexpr std::size_t k64MiB = 64u << 20;
    return {
        {"ztxt.ico", "16x16 PNG with 990 zTXt chunks of 7 MB each",
         Ico(Png(16, ZtxtBombs(990, 7u << 20)), 1, 1)},
        {"broken256.ico", "1024x1024 PNG, IDAT cut short, named by 256 entries",
         Ico(Png(1024, {}, 1000), 256, 256)},
        {"truncated.ico", ".ico declaring 65,535 entries, 100 written", Ico({}, 65535, 100)},
        {"png64.ico", "16x16 PNG padded to 64 MiB", Ico(Padded(Png(16, {}), k64MiB), 1, 1)},
        {"dib64.ico", "16x16 32-bpp DIB padded to 64 MiB",
         Ico(Padded(fixtures::MakeDibImage({.width = 16, .height = 16}).bytes, k64MiB), 1, 1)},
    };
}

void AddRows(std::vector<Row>& rows, const std::string& command, const Bomb& bomb,
             const ChildRun& run) {
    const std::string outcome = run.exitCode == 0 ? "drawn" : "refused";
    char text[64];
    std::snprintf(text, sizeof text, "%.0f ms", run.seconds * 1000);
    rows.push_back(TargetRow("Bomb: quorvane-icons " + command + ", whole process", bomb.what,
                             run.seconds, kTimeTarget, text, "1 s"));
    rows.back().note += "; " + outcome;
    std::snprintf(text, sizeof text, "%.1f MB", run.peakResident / kMegabyte);
    rows.push_back(TargetRow("Bomb: quorvane-icons " + command + ", peak RSS", bomb.what,
                             run.peakResident, kMemoryTarget, text, "64 MB"));
}

}  // namespace

std::vector<Row> MeasureDrawingBombs(const std::string& scratch) {
    const std::string directory = scratch + "/drawing-bombs";
    std::filesystem::create_directories(directory);
    const std::string outFile = directory + "/out.txt";
    std::vector<Row> rows;
    for (const Bomb& bomb : Bombs()) {
        const std::string path = directory + "/" + bomb.name;
        fixtures::WriteFile(path, bomb.bytes);
        const std::string png = directory + "/drawn.png";
        AddRows(
            rows, "thumbnail -s 256", bomb,
            RunChild({QUORVANE_ICONS_TOOL, "thumbnail", "-s", "256", path, png}, outFile, false));
        AddRows(rows, "save --png 256", bomb,
                RunChild({QUORVANE_ICONS_TOOL, "save", path, "0", png, "--png", "256"}, outFile,
                         false));
        std::filesystem::remove(path);
    }
    return rows;
}

}  // namespace bench

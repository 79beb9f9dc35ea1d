#include "platform/picture/PngDecoder.h"

#include <zlib.h>

#include <algorithm>
#include <cstring>
#include <limits>

#include "platform/format/IconFormat.h"
#include "platform/picture/DibLayout.h"
#include "platform/picture/PixelFormat.h"

namespace platform::picture {

namespace {

constexpr std::size_t kSignatureSize = 8;
constexpr std::size_t kChunkFrame = 12;  // length, type and CRC around the data
constexpr std::size_t kHeaderSize = 13;
constexpr std::size_t kInflateStep = 64 * 1024;  // input handed to inflate between budget checks

enum ColourType : int { kGray = 0, kRgb = 2, kPalette = 3, kGrayAlpha = 4, kRgba = 6 };

std::uint32_t Big32(const std::uint8_t* at) {
    return std::uint32_t(at[0]) << 24 | std::uint32_t(at[1]) << 16 | std::uint32_t(at[2]) << 8 |
           at[3];
}

std::uint32_t Big16(const std::uint8_t* at) {
    return std::uint32_t(at[0]) << 8 | at[1];
}

struct Header {
    int width = 0;
    int height = 0;
    int depth = 0;
    int colourType = 0;
    bool interlaced = false;

    int Channels() const {
        switch (colourType) {
            case kRgb:
                return 3;
            case kGrayAlpha:
                return 2;
            case kRgba:
                return 4;
            default:
                return 1;
        }
    }
    int BitsPerPixel() const { return Channels() * depth; }
    // Bytes of one filtered row `width` pixels wide, without its filter byte.
    std::size_t RowBytes(int pixels) const {
        return (std::size_t(pixels) * BitsPerPixel() + 7) / 8;
    }
    // The byte distance filters look back over.
    std::size_t FilterStep() const { return std::max<std::size_t>(1, BitsPerPixel() / 8); }
};

bool DepthAllowed(int colourType, int depth) {
    switch (colourType) {
        case kGray:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8 || depth == 16;
        case kPalette:
            return depth == 1 || depth == 2 || depth == 4 || depth == 8;
        case kRgb:
        case kGrayAlpha:
        case kRgba:
            return depth == 8 || depth == 16;
        default:
            return false;
    }
}

std::optional<Header> ReadHeader(std::span<const std::uint8_t> data) {
    if (data.size() != kHeaderSize) {
        return std::nullopt;
    }
    const std::uint32_t width = Big32(data.data());
    const std::uint32_t height = Big32(data.data() + 4);
    Header header{.width = static_cast<int>(std::min<std::uint32_t>(width, kMaxIconSide + 1)),
                  .height = static_cast<int>(std::min<std::uint32_t>(height, kMaxIconSide + 1)),
                  .depth = data[8],
                  .colourType = data[9],
                  .interlaced = data[12] == 1};
    if (width == 0 || height == 0 || width > kMaxIconSide || height > kMaxIconSide ||
        !DepthAllowed(header.colourType, header.depth) || data[10] != 0 || data[11] != 0 ||
        data[12] > 1) {
        return std::nullopt;
    }
    return header;
}

// One pass of the image: all of it, or one of Adam7's seven.
struct Pass {
    int xStart = 0;
    int yStart = 0;
    int xStep = 1;
    int yStep = 1;
    int width = 0;
    int height = 0;
};

std::vector<Pass> PassesOf(const Header& header) {
    static constexpr int kAdam7[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                         {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    if (!header.interlaced) {
        return {Pass{.width = header.width, .height = header.height}};
    }
    std::vector<Pass> passes;
    for (const auto& p : kAdam7) {
        Pass pass{.xStart = p[0], .yStart = p[1], .xStep = p[2], .yStep = p[3]};
        pass.width = (header.width - pass.xStart + pass.xStep - 1) / pass.xStep;
        pass.height = (header.height - pass.yStart + pass.yStep - 1) / pass.yStep;
        if (pass.width > 0 && pass.height > 0) {
            passes.push_back(pass);
        }
    }
    return passes;
}

std::size_t RawSize(const Header& header, const std::vector<Pass>& passes) {
    std::size_t size = 0;
    for (const Pass& pass : passes) {
        size += std::size_t(pass.height) * (1 + header.RowBytes(pass.width));
    }
    return size;
}

// Inflates the image data into exactly the raw size, chunk by chunk as the walk finds them.
class Inflater {
public:
    Inflater(std::size_t rawSize, DrawBudget& budget, PngDecodeTrace* trace)
        : raw_(rawSize + kInflateSlack), rawSize_(rawSize), budget_(budget), trace_(trace) {
        ok_ = inflateInit(&stream_) == Z_OK;
        stream_.next_out = raw_.data();
        stream_.avail_out = static_cast<uInt>(raw_.size());
    }
    ~Inflater() { inflateEnd(&stream_); }
    Inflater(const Inflater&) = delete;
    Inflater& operator=(const Inflater&) = delete;

    // Hands one IDAT chunk's data to the inflater; false once the data is broken, gives more than
    // the raw size plus kInflateSlack, or the budget has run out.
    bool Feed(std::span<const std::uint8_t> data) {
        if (!ok_ || ended_) {
            return ok_;  // data after the end of the stream is left alone
        }
        if (trace_) {
            trace_->inflatedChunks.push_back({'I', 'D', 'A', 'T'});
        }
        while (!data.empty() && ok_ && !ended_) {
            if (budget_.Expired() || stream_.avail_out == 0) {
                ok_ = false;
                break;
            }
            const std::size_t step = std::min(data.size(), kInflateStep);
            stream_.next_in = const_cast<Bytef*>(data.data());
            stream_.avail_in = static_cast<uInt>(step);
            const uInt roomBefore = stream_.avail_out;
            const int status = inflate(&stream_, Z_NO_FLUSH);
            budget_.Charge(roomBefore - stream_.avail_out);
            data = data.subspan(step - stream_.avail_in);
            if (trace_) {
                trace_->inflatedBytes = raw_.size() - stream_.avail_out;
            }
            ended_ = status == Z_STREAM_END;
            ok_ = status == Z_OK || ended_;
        }
        return ok_;
    }

    // The raw rows once every chunk is fed; nullopt when they are fewer than the raw size.
    std::optional<std::vector<std::uint8_t>> Finish() {
        const std::size_t produced = raw_.size() - stream_.avail_out;
        if (!ok_ || produced < rawSize_ || budget_.Expired()) {
            return std::nullopt;
        }
        raw_.resize(rawSize_);
        return std::move(raw_);
    }

private:
    z_stream stream_{};
    std::vector<std::uint8_t> raw_;
    std::size_t rawSize_;
    DrawBudget& budget_;
    PngDecodeTrace* trace_;
    bool ok_ = false;
    bool ended_ = false;
};

// The chunks that make pixels besides the image data (spans into the file's bytes).
struct Chunks {
    std::optional<Header> header;
    std::span<const std::uint8_t> palette;
    std::span<const std::uint8_t> transparency;
};

bool IsType(const std::uint8_t* type, const char* name) {
    return std::memcmp(type, name, 4) == 0;
}

bool IsCritical(const std::uint8_t* type) {
    return (type[0] & 0x20) == 0;
}

// Walks the chunks up to IEND, inflating the image data as it comes. Only IHDR, PLTE, tRNS and
// IDAT are read; gAMA, cHRM, sRGB and iCCP are skipped like every other ancillary chunk, since
// neither Qt nor Windows changes an icon's pixels for them, and text chunks (tEXt, zTXt, iTXt)
// are never inflated. CRCs are not checked: Windows' own loader draws an image whose CRC is
// wrong when its pixels decode, and so both builds draw it alike.
std::optional<std::vector<std::uint8_t>> ReadImageData(std::span<const std::uint8_t> bytes,
                                                       Chunks& chunks, DrawBudget& budget,
                                                       PngDecodeTrace* trace) {
    std::optional<Inflater> inflater;
    std::size_t at = kSignatureSize;
    while (at + kChunkFrame <= bytes.size()) {
        if (budget.Expired()) {
            return std::nullopt;
        }
        const std::uint32_t length = Big32(bytes.data() + at);
        const std::uint8_t* type = bytes.data() + at + 4;
        if (length > bytes.size() - at - kChunkFrame) {
            return std::nullopt;
        }
        const std::span<const std::uint8_t> data = bytes.subspan(at + 8, length);
        at += kChunkFrame + length;
        if (!chunks.header) {
            if (!IsType(type, "IHDR") || !(chunks.header = ReadHeader(data))) {
                return std::nullopt;  // IHDR comes first, its size checked before any IDAT
            }
        } else if (IsType(type, "IEND")) {
            break;
        } else if (IsType(type, "IDAT")) {
            if (!inflater) {
                inflater.emplace(RawSize(*chunks.header, PassesOf(*chunks.header)), budget, trace);
            }
            if (!inflater->Feed(data)) {
                return std::nullopt;
            }
        } else if (IsType(type, "PLTE")) {
            chunks.palette = data;
        } else if (IsType(type, "tRNS")) {
            chunks.transparency = data;
        } else if (IsCritical(type)) {
            return std::nullopt;
        }
    }
    // A file cut short after its image data still draws when the data is whole.
    return inflater ? inflater->Finish() : std::nullopt;
}

std::uint8_t Paeth(int a, int b, int c) {
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc) {
        return static_cast<std::uint8_t>(a);
    }
    return static_cast<std::uint8_t>(pb <= pc ? b : c);
}

// Undoes one row's filter in place, given the previous row of the pass (empty for the first).
bool Unfilter(std::uint8_t filter, std::span<std::uint8_t> row,
              std::span<const std::uint8_t> previous, std::size_t step) {
    for (std::size_t i = 0; i < row.size(); ++i) {
        const int left = i >= step ? row[i - step] : 0;
        const int up = previous.empty() ? 0 : previous[i];
        const int upLeft = i >= step && !previous.empty() ? previous[i - step] : 0;
        switch (filter) {
            case 0:
                break;
            case 1:
                row[i] = static_cast<std::uint8_t>(row[i] + left);
                break;
            case 2:
                row[i] = static_cast<std::uint8_t>(row[i] + up);
                break;
            case 3:
                row[i] = static_cast<std::uint8_t>(row[i] + (left + up) / 2);
                break;
            case 4:
                row[i] = static_cast<std::uint8_t>(row[i] + Paeth(left, up, upLeft));
                break;
            default:
                return false;
        }
    }
    return true;
}

// Turns samples into premultiplied pixels for one colour type.
class PixelMaker {
public:
    PixelMaker(const Header& header, const Chunks& chunks) : header_(header) {
        const std::size_t entries = std::min<std::size_t>(chunks.palette.size() / 3, 256);
        for (std::size_t i = 0; i < entries; ++i) {
            palette_[i] = {chunks.palette[i * 3], chunks.palette[i * 3 + 1],
                           chunks.palette[i * 3 + 2], 255};
        }
        paletteSize_ = entries;
        ReadTransparency(chunks.transparency);
    }

    std::uint32_t At(const std::uint8_t* row, int x) const {
        switch (header_.colourType) {
            case kPalette:
                return PaletteColour(Sample(row, x, 0));
            case kGray: {
                const std::uint32_t g = Sample(row, x, 0);
                const std::uint32_t alpha = hasKey_ && g == key_[0] ? 0 : 255;
                const std::uint32_t v = ToEight(g);
                return PremultipliedPixel(v, v, v, alpha);
            }
            case kGrayAlpha: {
                const std::uint32_t v = ToEight(Sample(row, x, 0));
                return PremultipliedPixel(v, v, v, ToEight(Sample(row, x, 1)));
            }
            case kRgb: {
                const std::uint32_t r = Sample(row, x, 0);
                const std::uint32_t g = Sample(row, x, 1);
                const std::uint32_t b = Sample(row, x, 2);
                const bool keyed = hasKey_ && r == key_[0] && g == key_[1] && b == key_[2];
                return PremultipliedPixel(ToEight(r), ToEight(g), ToEight(b), keyed ? 0 : 255);
            }
            default:
                return PremultipliedPixel(ToEight(Sample(row, x, 0)), ToEight(Sample(row, x, 1)),
                                          ToEight(Sample(row, x, 2)), ToEight(Sample(row, x, 3)));
        }
    }

private:
    struct Entry {
        std::uint8_t r, g, b, a;
    };

    void ReadTransparency(std::span<const std::uint8_t> trns) {
        if (header_.colourType == kPalette) {
            if (trns.size() > paletteSize_) {
                return;  // more alphas than colours: libpng (and so Qt) drops the chunk
            }
            for (std::size_t i = 0; i < trns.size() && i < 256; ++i) {
                palette_[i].a = trns[i];
            }
        } else if (header_.colourType == kGray && trns.size() >= 2) {
            hasKey_ = true;
            key_[0] = Big16(trns.data()) & Ones();
        } else if (header_.colourType == kRgb && trns.size() >= 6) {
            hasKey_ = true;
            for (int c = 0; c < 3; ++c) {
                key_[c] = Big16(trns.data() + c * 2) & Ones();
            }
        }
    }

    std::uint32_t Ones() const { return (1u << header_.depth) - 1; }

    // Sample `channel` of pixel x at the image's depth.
    std::uint32_t Sample(const std::uint8_t* row, int x, int channel) const {
        const std::size_t index = std::size_t(x) * header_.Channels() + channel;
        switch (header_.depth) {
            case 16:
                return Big16(row + index * 2);
            case 8:
                return row[index];
            default: {
                const std::size_t bit = index * header_.depth;
                const int shift = 8 - header_.depth - static_cast<int>(bit % 8);
                return (row[bit / 8] >> shift) & Ones();
            }
        }
    }

    // A sample scaled to 8 bits: 16-bit samples rounded (v / 257), low depths stretched.
    std::uint32_t ToEight(std::uint32_t sample) const {
        if (header_.depth == 16) {
            return (sample * 255 + 32895) >> 16;
        }
        return sample * 255 / Ones();
    }

    std::uint32_t PaletteColour(std::uint32_t index) const {
        if (index >= paletteSize_) {
            return PremultipliedPixel(0, 0, 0, 255);  // outside the palette: black
        }
        const Entry& e = palette_[index];
        return PremultipliedPixel(e.r, e.g, e.b, e.a);
    }

    Header header_;
    Entry palette_[256] = {};
    std::size_t paletteSize_ = 0;
    bool hasKey_ = false;
    std::uint32_t key_[3] = {};
};

// Unfilters every pass of `raw` and places its pixels.
bool PlacePixels(const Header& header, const Chunks& chunks, const std::vector<Pass>& passes,
                 std::vector<std::uint8_t>& raw, toolkit::ArgbPixels& image, DrawBudget& budget) {
    const PixelMaker maker(header, chunks);
    std::size_t at = 0;
    for (const Pass& pass : passes) {
        const std::size_t rowBytes = header.RowBytes(pass.width);
        std::span<const std::uint8_t> previous;
        for (int y = 0; y < pass.height; ++y) {
            if (budget.Expired()) {
                return false;
            }
            const std::uint8_t filter = raw[at];
            const std::span<std::uint8_t> row(raw.data() + at + 1, rowBytes);
            at += 1 + rowBytes;
            if (!Unfilter(filter, row, previous, header.FilterStep())) {
                return false;
            }
            previous = row;
            budget.Charge(std::size_t(pass.width) * 4);
            std::uint32_t* out =
                image.pixels.data() + std::size_t(pass.yStart + y * pass.yStep) * header.width;
            for (int x = 0; x < pass.width; ++x) {
                out[pass.xStart + x * pass.xStep] = maker.At(row.data(), x);
            }
        }
    }
    return true;
}

}  // namespace

std::optional<toolkit::ArgbPixels> DecodePng(std::span<const std::uint8_t> bytes,
                                             DrawBudget& budget, PngDecodeTrace* trace) {
    if (!format::StartsWithPngSignature(bytes)) {
        return std::nullopt;
    }
    Chunks chunks;
    std::optional<std::vector<std::uint8_t>> raw = ReadImageData(bytes, chunks, budget, trace);
    if (!raw || (chunks.header->colourType == kPalette && chunks.palette.empty())) {
        return std::nullopt;
    }
    const Header& header = *chunks.header;
    const std::vector<Pass> passes = PassesOf(header);
    toolkit::ArgbPixels image{.width = header.width, .height = header.height, .pixels = {}};
    image.pixels.resize(std::size_t(header.width) * header.height);
    if (!PlacePixels(header, chunks, passes, *raw, image, budget)) {
        return std::nullopt;
    }
    return image;
}

}  // namespace platform::picture

#include "platform/picture/win32/IconDrawing.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <span>

#include "platform/picture/DibLayout.h"
#include "platform/picture/IconImageInfo.h"

namespace platform::picture::win32 {

namespace {

// Signature (8), chunk length (4), "IHDR" (4), then width and height, big-endian.
constexpr std::size_t kPngWidthOffset = 16;
constexpr DWORD kIconFormatVersion = 0x00030000;
constexpr std::uint32_t kBlack = 0x00000000;
constexpr std::uint32_t kWhite = 0x00FFFFFF;

std::uint32_t BigEndian32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return (std::uint32_t{bytes[offset]} << 24) | (std::uint32_t{bytes[offset + 1]} << 16) |
           (std::uint32_t{bytes[offset + 2]} << 8) | std::uint32_t{bytes[offset + 3]};
}

std::optional<std::pair<int, int>> PngSize(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kPngWidthOffset + 8 || std::memcmp(bytes.data() + 12, "IHDR", 4) != 0) {
        return std::nullopt;
    }
    const std::uint32_t width = BigEndian32(bytes, kPngWidthOffset);
    const std::uint32_t height = BigEndian32(bytes, kPngWidthOffset + 4);
    if (width == 0 || height == 0 || width > kMaxIconSide || height > kMaxIconSide) {
        return std::nullopt;
    }
    return std::pair{static_cast<int>(width), static_cast<int>(height)};
}

// Owns the GDI objects of one drawing.
struct IconHandle {
    HICON icon;
    ~IconHandle() { ::DestroyIcon(icon); }
};

// The icon drawn over a plain background into a top-down 32-bit DIB section: its pixels, or none
// when GDI fails.
std::optional<std::vector<std::uint32_t>> DrawOver(HICON icon, int width, int height,
                                                   std::uint32_t background) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const HDC dc = ::CreateCompatibleDC(nullptr);
    if (dc == nullptr) {
        return std::nullopt;
    }
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    std::optional<std::vector<std::uint32_t>> pixels;
    if (bitmap != nullptr && bits != nullptr) {
        const HGDIOBJ previous = ::SelectObject(dc, bitmap);
        const std::size_t count = static_cast<std::size_t>(width) * height;
        auto* data = static_cast<std::uint32_t*>(bits);
        std::fill(data, data + count, background);
        if (::DrawIconEx(dc, 0, 0, icon, width, height, 0, nullptr, DI_NORMAL)) {
            ::GdiFlush();
            pixels.emplace(data, data + count);
        }
        ::SelectObject(dc, previous);
    }
    if (bitmap != nullptr) {
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(dc);
    return pixels;
}

int Channel(std::uint32_t pixel, int shift) {
    return static_cast<int>((pixel >> shift) & 0xFF);
}

// What a pixel drawn over black and over white is, premultiplied: the colour over black, and the
// alpha by how much of the white came through.
std::uint32_t Unblended(std::uint32_t overBlack, std::uint32_t overWhite) {
    int through = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        through = std::max(through, Channel(overWhite, shift) - Channel(overBlack, shift));
    }
    const int alpha = 255 - std::clamp(through, 0, 255);
    std::uint32_t pixel = static_cast<std::uint32_t>(alpha) << 24;
    for (int shift = 0; shift <= 16; shift += 8) {
        pixel |= static_cast<std::uint32_t>(std::min(Channel(overBlack, shift), alpha)) << shift;
    }
    return pixel;
}

}  // namespace

std::optional<std::pair<int, int>> OwnSizeOf(const icons::IconImage& image) {
    const std::span<const std::uint8_t> bytes(image.bytes);
    if (IsPng(image)) {
        return PngSize(bytes);
    }
    const std::optional<DibLayout> layout = ReadDibLayout(bytes);
    if (!layout) {
        return std::nullopt;
    }
    return std::pair{layout->width, layout->height};
}

std::optional<toolkit::ArgbPixels> DrawAtOwnSize(const icons::IconImage& image) {
    const std::optional<std::pair<int, int>> size = OwnSizeOf(image);
    if (!size) {
        return std::nullopt;  // GDI never sees bytes our own readers refuse
    }
    const auto [width, height] = *size;
    // The bytes stay unchanged: GDI reads them, it does not keep or write them.
    auto* bytes = const_cast<PBYTE>(image.bytes.data());
    const IconHandle icon{::CreateIconFromResourceEx(bytes, static_cast<DWORD>(image.bytes.size()),
                                                     TRUE, kIconFormatVersion, width, height,
                                                     LR_DEFAULTCOLOR)};
    if (icon.icon == nullptr) {
        return std::nullopt;
    }
    const auto overBlack = DrawOver(icon.icon, width, height, kBlack);
    const auto overWhite = DrawOver(icon.icon, width, height, kWhite);
    if (!overBlack || !overWhite) {
        return std::nullopt;
    }
    toolkit::ArgbPixels drawn{.width = width, .height = height, .pixels = {}};
    drawn.pixels.resize(overBlack->size());
    for (std::size_t i = 0; i < drawn.pixels.size(); ++i) {
        drawn.pixels[i] = Unblended((*overBlack)[i], (*overWhite)[i]);
    }
    return drawn;
}

}  // namespace platform::picture::win32

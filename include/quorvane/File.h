#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <quorvane/Export.h>
#include <quorvane/Result.h>

// libquorvane: the icons, cursors and animated resources inside Windows executables (PE32, PE32+,
// 16-bit NE, .mun) and in .ico, .cur and .ani files, read as bounded, untrusted input.
//
//   auto file = quorvane::File::Open("shell32.dll");
//   if (!file.ok()) { std::cerr << file.error() << "\n"; return 1; }
//   for (const quorvane::Group& group : file.value().Groups()) { ... }
//   auto png = file.value().Png(0, 48);  // icon 0 drawn at 48x48
namespace quorvane {

// The kind of resource a file is opened for.
enum class Kind {
    Icons,     // RT_GROUP_ICON groups of RT_ICON images; an .ico file
    Cursors,   // RT_GROUP_CURSOR groups of RT_CURSOR images; a .cur file
    Animated,  // RT_ANICURSOR and RT_ANIICON resources, each a whole .ani file; an .ani file
};

// How an image is stored.
enum class ImageFormat {
    Dib,  // a device-independent bitmap (BITMAPINFOHEADER or later) with its AND mask
    Png,  // a PNG file
    Ani,  // a whole animated cursor file (RIFF "ACON"): the one image of an animated resource
};

// Where a cursor points, in pixels from the image's top-left corner.
struct Hotspot {
    int x = 0;
    int y = 0;
};

// One image of a group, as its own header says (a DIB's BITMAPINFOHEADER, a PNG's IHDR; the
// group entry's claim where the header cannot be read). An animated resource's image has no size
// or depth (0).
struct Image {
    int width = 0;
    int height = 0;  // a DIB's is half its header's height: the AND mask is the rest
    int depth = 0;   // bits per pixel; a PNG's bit depth times its channels
    ImageFormat format = ImageFormat::Dib;
    std::uint64_t byteCount = 0;     // how many bytes the image holds in the file
    std::optional<Hotspot> hotspot;  // a cursor's
    // What the group entry claims (0 for a width or height of 256 means 256 here already; a depth
    // of 0 claims none).
    int claimedWidth = 0;
    int claimedHeight = 0;
    int claimedDepth = 0;
};

// One group of the file (an icon or cursor group; an animated resource, with its one image), in
// the order the file's resource directory stores them.
struct Group {
    std::uint32_t index = 0;
    std::optional<std::uint16_t> id;        // the group resource's integer ID
    std::string name;                       // its string name (UTF-8) when it has one instead
    std::optional<std::uint16_t> language;  // the language ID of the copy read (PE files only)
    std::vector<Image> images;              // none for a repeated group: see sameAs
    std::optional<std::uint32_t> sameAs;    // an earlier group that is the very same resource,
                                            // whose images this one has
    std::string problem;                    // why the group gives nothing; empty when it does
};

// Pixels drawn: width x height of them, row by row from the top, 4 bytes each (red, green, blue,
// alpha), the colours not premultiplied.
struct Rgba {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> pixels;
};

// The largest side DrawRgba and Png draw at.
inline constexpr int kMaxDrawnSide = 1024;

// An opened file and its groups of one kind. Copies share the one opened file; every call may be
// made from several threads at once (they take turns on the file). The file stays open while a
// copy lives.
class QUORVANE_API File {
public:
    // Opens the file at `path` (the file system's own bytes, no NUL in them) and describes its
    // groups of `kind` (no image is read beyond its first bytes). A DLL with none of its own in a
    // System32 or SysWOW64 directory stands for SystemResources/<name>.mun beside it, as Windows'
    // loader redirects (IconsIn). The reason when the file cannot be read, is none of the formats,
    // or holds no group of the kind.
    [[nodiscard]] static Result<File> Open(const std::string& path, Kind kind = Kind::Icons);

    // The kind the file was opened for.
    [[nodiscard]] Kind ResourceKind() const;
    // The path given to Open.
    [[nodiscard]] const std::string& Path() const;
    // The .mun file the groups are read from when the path stands for one; empty otherwise.
    [[nodiscard]] const std::string& IconsIn() const;
    // Every group, by index.
    [[nodiscard]] const std::vector<Group>& Groups() const;

    // The bytes of group `index` as a file of its own: an .ico file for an icon group, a .cur file
    // for a cursor group, the resource's own bytes (an .ani file) for an animated resource. Every
    // image is read now. The reason when the group cannot be read or there is no such group.
    [[nodiscard]] Result<std::vector<std::uint8_t>> IcoBytes(std::uint32_t index) const;

    // Group `index` drawn at size x size (1 to kMaxDrawnSide) as the window's previews draw it: the
    // image that draws best at that size first (the smallest at least as large, deepest colour
    // first; else the largest), the next when one does not decode, each image read alone when it
    // is tried, smoothly scaled; the whole draw within one time budget (250 ms). The reason when no
    // image draws (animated resources are not drawn).
    [[nodiscard]] Result<Rgba> DrawRgba(std::uint32_t index, int size) const;

    // The same drawing as a PNG file's bytes (8-bit RGBA).
    [[nodiscard]] Result<std::vector<std::uint8_t>> Png(std::uint32_t index, int size) const;

    // The opened state; only the library makes one.
    struct State;
    explicit File(std::shared_ptr<State> state);

private:
    std::shared_ptr<State> state_;
};

// The library's version, "1.0.0".
QUORVANE_API const char* Version();

}  // namespace quorvane

#include "tools/PackCommand.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <new>

#include "platform/format/IconFormat.h"
#include "platform/picture/IcoFileWriter.h"
#include "platform/picture/Picture.h"
#include "platform/runtime/RuntimeError.h"
#include "tools/ImageHeaderFacts.h"
#include "tools/Messages.h"
#include "tools/PackedDib.h"
#include "tools/PictureFile.h"
#include "tools/ToolReport.h"

namespace tool {

namespace {

namespace icons = platform::icons;
namespace picture = platform::picture;

constexpr int kMaxPackedSide = 256;

struct PackedImage {
    HeaderFacts facts;
    icons::IconImage image;
};

// The file's bytes, or the reason it cannot give them: it is not a regular file (never opened
// then: a FIFO would block), it is larger than kMaxPackedImageBytes, or it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadImageFile(const std::string& fileName,
                                                       std::string& why) {
    const std::filesystem::path path = NativePath(fileName);
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    const std::uintmax_t size =
        std::filesystem::is_regular_file(status) ? std::filesystem::file_size(path, error) : 0;
    if (!std::filesystem::is_regular_file(status)) {
        why = std::filesystem::exists(status) ? _("not a regular file") : _("no such file");
        return std::nullopt;
    }
    if (error || size > kMaxPackedImageBytes) {
        why = error ? _("cannot be read") : _("larger than 16 MiB");
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
        why = _("cannot be read");
        return std::nullopt;
    }
    return bytes;
}

std::uint8_t SideByte(int side) {
    return static_cast<std::uint8_t>(side & 0xFF);  // 256 is 0
}

// The PNG as the image of an .ico, or the reason it cannot be one.
std::optional<PackedImage> ReadPackedPng(const std::string& fileName, std::string& why) {
    std::optional<std::vector<std::uint8_t>> bytes = ReadImageFile(fileName, why);
    if (!bytes) {
        return std::nullopt;
    }
    const std::optional<HeaderFacts> facts = ReadPngHeaderFacts(*bytes);
    if (!facts) {
        why = platform::format::StartsWithPngSignature(*bytes)
                  ? _("not a PNG: its IHDR chunk is missing or malformed")
                  : _("not a PNG (it does not start with the PNG signature)");
        return std::nullopt;
    }
    if (facts->width > kMaxPackedSide || facts->height > kMaxPackedSide) {
        why = Format(_("%sx%s: an icon image is at most 256x256"),
                     {std::to_string(facts->width), std::to_string(facts->height)});
        return std::nullopt;
    }
    PackedImage packed{.facts = *facts, .image = {}};
    packed.image.entry = {.width = SideByte(facts->width),
                          .height = SideByte(facts->height),
                          .planes = 1,
                          .bitCount = static_cast<std::uint16_t>(facts->depth)};
    packed.image.bytesInRes = static_cast<std::uint32_t>(bytes->size());
    packed.image.bytes = icons::ImageBytes(std::move(*bytes));
    return packed;
}

// The image drawn at its own size by the picture service and stored as a 32-bpp DIB; false when
// it does not draw.
bool StoreAsDib(PackedImage& packed) {
    const auto group = std::make_shared<icons::IconGroup>();
    group->images.push_back(packed.image);
    const picture::Picture png(0, std::move(group));
    std::vector<std::uint8_t> dib =
        DibIconImage(png.Pixels(packed.facts.width, packed.facts.height));
    if (dib.empty()) {
        return false;
    }
    packed.image.entry.bitCount = 32;
    packed.image.bytesInRes = static_cast<std::uint32_t>(dib.size());
    packed.image.bytes = icons::ImageBytes(std::move(dib));
    return true;
}

// Every image the command names, each refused one reported; nullopt when any was.
std::optional<std::vector<PackedImage>> ReadPackedImages(const ToolCommand& command) {
    std::vector<PackedImage> images;
    bool ok = true;
    for (const std::string& fileName : command.files) {
        std::string why;
        std::optional<PackedImage> packed = ReadPackedPng(fileName, why);
        const bool asDib = packed && command.dib && packed->facts.width < kMaxPackedSide &&
                           packed->facts.height < kMaxPackedSide;
        if (asDib && !StoreAsDib(*packed)) {
            why = _("the PNG cannot be drawn");
            packed.reset();
        }
        if (!packed) {
            ReportReason(fileName, why);
            ok = false;
            continue;
        }
        images.push_back(std::move(*packed));
    }
    return ok ? std::optional(std::move(images)) : std::nullopt;
}

void SortBySize(std::vector<PackedImage>& images) {
    const auto area = [](const PackedImage& packed) {
        return std::int64_t(packed.facts.width) * packed.facts.height;
    };
    std::stable_sort(images.begin(), images.end(),
                     [&](const PackedImage& a, const PackedImage& b) { return area(a) < area(b); });
}

// Writes the .ico atomically; false when it was refused or failed (reported).
bool WriteIco(const std::vector<PackedImage>& images, const std::string& fileName) {
    std::vector<picture::IcoEntry> entries;
    for (const PackedImage& packed : images) {
        entries.push_back(picture::IcoEntryOf(packed.image));
    }
    const std::optional<std::vector<std::uint8_t>> bytes = picture::IcoFileBytes(entries);
    if (!bytes) {
        ReportError(fileName, runtime::errPathFileAccess);
        return false;
    }
    try {
        WriteFileBytes(*bytes, fileName, true);
        return true;
    } catch (const WriteError& error) {
        ReportReason(fileName, WriteFailureReason(fileName, error.Number(), error.Errno()));
        return false;
    }
}

}  // namespace

int PackIcons(const ToolCommand& command) {
    if (command.files.size() > kMaxPackedImages) {
        ReportReason(command.output, _("an .ico holds at most 256 images here"));
        return kExitFailure;
    }
    try {
        std::optional<std::vector<PackedImage>> images = ReadPackedImages(command);
        if (!images) {
            ReportReason(command.output, _("not written"));
            return kExitFailure;
        }
        SortBySize(*images);
        return WriteIco(*images, command.output) ? kExitOk : kExitFailure;
    } catch (const std::bad_alloc&) {
        ReportError(command.output, runtime::errOutOfMemory);
        return kExitFailure;
    }
}

}  // namespace tool

#include "bench/Corpus.h"

#include <array>
#include <optional>
#include <stdexcept>

#include "platform/icons/Fields.h"
#include "platform/icons/FileSource.h"
#include "platform/icons/PeImage.h"
#include "platform/icons/ResourceTree.h"
#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/NamePattern.h"

namespace bench {

namespace {

using platform::icons::FileSource;
using platform::icons::PeImage;
using platform::icons::ResourceEntry;
using platform::icons::ResourceTree;

constexpr std::uint16_t kRtIcon = 3;
constexpr std::uint16_t kRtGroupIcon = 14;

// The headers of a PE file opened for a walk of its resources.
struct OpenPe {
    std::unique_ptr<FileSource> file;
    PeImage image;
};

std::optional<OpenPe> OpenPeFile(const std::string& path) {
    auto file = FileSource::Open(path);
    const auto dos = file ? platform::icons::ReadFixed<64>(*file, 0) : std::nullopt;
    if (!dos || (*dos)[0] != 'M' || (*dos)[1] != 'Z') {
        return std::nullopt;
    }
    const std::uint64_t peOffset = platform::icons::Fields(*dos).U32(0x3C);
    const auto signature = platform::icons::ReadFixed<4>(*file, peOffset);
    if (!signature || *signature != std::array<std::uint8_t, 4>{'P', 'E', 0, 0}) {
        return std::nullopt;
    }
    auto image = PeImage::Read(*file, peOffset);
    if (!image || image->ResourceRva() == 0) {
        return std::nullopt;
    }
    return OpenPe{std::move(file), std::move(*image)};
}

// The directory of the names of one resource type (its first entry in the root).
std::optional<std::uint32_t> TypeDirectory(const ResourceTree& tree, std::uint16_t type) {
    const auto types = tree.Entries(0);
    if (!types) {
        return std::nullopt;
    }
    for (const ResourceEntry& entry : *types) {
        if (entry.HasId(type)) {
            return ResourceTree::Subdirectory(entry);
        }
    }
    return std::nullopt;
}

}  // namespace

std::vector<std::string> ListMatchingFiles(const std::string& directory) {
    const toolkit::NamePattern pattern(kExecutablePattern);
    auto listing = toolkit::directory_listing::ListDirectory(
        directory, toolkit::directory_listing::EntryKind::RegularFile,
        [&pattern](const std::string& name) { return pattern.Matches(name); }, kMaxListedFiles);
    if (listing.error != 0) {
        throw std::runtime_error("cannot list " + directory);
    }
    std::vector<std::string> paths;
    paths.reserve(listing.names.size());
    for (const std::string& name : listing.names) {
        paths.push_back(directory + "/" + name);
    }
    return paths;
}

std::size_t CountIconGroups(const std::string& path) {
    const auto pe = OpenPeFile(path);
    if (!pe) {
        return 0;
    }
    const ResourceTree tree(*pe->file, pe->image, pe->image.ResourceRva());
    const auto groups = TypeDirectory(tree, kRtGroupIcon);
    const auto counts = groups ? tree.Counts(*groups) : std::nullopt;
    return counts ? counts->Total() : 0;
}

std::string FileWithMostIcons(const std::vector<std::string>& paths) {
    std::string best;
    std::size_t mostIcons = 0;
    for (const std::string& path : paths) {
        const std::size_t icons = CountIconGroups(path);
        if (icons > mostIcons) {
            mostIcons = icons;
            best = path;
        }
    }
    if (best.empty()) {
        throw std::runtime_error("no file with icons among the files listed");
    }
    return best;
}

std::map<std::uint16_t, Extent> IconResourceExtents(const std::string& path) {
    std::map<std::uint16_t, Extent> extents;
    const auto pe = OpenPeFile(path);
    if (!pe) {
        return extents;
    }
    const ResourceTree tree(*pe->file, pe->image, pe->image.ResourceRva());
    const auto iconDirectory = TypeDirectory(tree, kRtIcon);
    const auto icons = iconDirectory ? tree.Entries(*iconDirectory) : std::nullopt;
    for (const ResourceEntry& icon : icons.value_or(std::vector<ResourceEntry>{})) {
        const auto languages = ResourceTree::Subdirectory(icon);
        const auto data = languages ? tree.FirstLanguage(*languages) : std::nullopt;
        const auto offset = data ? pe->image.FileOffset(data->rva, data->size) : std::nullopt;
        if (!icon.IsNamed() && offset) {
            extents.try_emplace(icon.Id(), Extent{*offset, data->size});
        }
    }
    return extents;
}

}  // namespace bench

#include "bench/Corpus.h"

#include <stdexcept>

#include "platform/icons/FileSource.h"
#include "platform/icons/GroupTable.h"
#include "platform/toolkit/DirectoryListing.h"
#include "platform/toolkit/NamePattern.h"

namespace bench {

using platform::icons::FileSource;

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
    const auto file = FileSource::Open(path);
    const auto groups = file ? platform::icons::OpenIconGroups(*file)
                             : platform::icons::Failure("cannot be opened");
    return groups ? (*groups)->Count() : 0;
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
    const auto file = FileSource::Open(path);
    auto groups = file ? platform::icons::OpenIconGroups(*file)
                       : platform::icons::Failure("cannot be opened");
    for (std::uint32_t index = 0; groups && index < (*groups)->Count(); ++index) {
        const auto record = (*groups)->Group(index);
        for (std::size_t entry = 0; record && entry < record->entries.size(); ++entry) {
            if (const auto range = (*groups)->ImageOf(*record, entry)) {
                extents.try_emplace(record->entries[entry].resourceId,
                                    Extent{range->offset, range->length});
            }
        }
    }
    return extents;
}

}  // namespace bench

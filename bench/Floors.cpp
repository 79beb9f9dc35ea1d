#include "bench/Floors.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>

namespace bench {

namespace {

constexpr std::size_t kPage = 4096;

int OpenForReading(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
}

std::uint64_t ReadCount(ssize_t got) {
    return got > 0 ? static_cast<std::uint64_t>(got) : 0;
}

template <typename Visit>
void ForEachImage(const std::vector<platform::picture::IPictureDisp>& pictures, Visit visit) {
    for (const auto& picture : pictures) {
        if (picture) {
            for (const auto& image : picture->Group().images) {
                visit(image);
            }
        }
    }
}

}  // namespace

std::uint64_t ScanFloor(const std::vector<std::string>& paths) {
    std::uint8_t page[kPage];
    std::uint64_t total = 0;
    for (const std::string& path : paths) {
        const int descriptor = OpenForReading(path);
        if (descriptor < 0) {
            continue;
        }
        for (off_t offset : {off_t{0}, off_t{kPage}, off_t{2 * kPage}}) {
            total += ReadCount(::pread(descriptor, page, kPage, offset));
        }
        ::close(descriptor);
    }
    return total;
}

std::uint64_t LoadFloor(const std::string& path, const std::vector<Extent>& extents) {
    std::uint64_t largest = 0;
    for (const Extent& extent : extents) {
        largest = std::max(largest, extent.size);
    }
    std::vector<std::uint8_t> buffer(largest);
    const int descriptor = OpenForReading(path);
    if (descriptor < 0) {
        return 0;
    }
    std::uint64_t total = 0;
    for (const Extent& extent : extents) {
        total += ReadCount(
            ::pread(descriptor, buffer.data(), extent.size, static_cast<off_t>(extent.offset)));
    }
    ::close(descriptor);
    return total;
}

std::vector<Extent> ExtentsHeldBy(const std::vector<platform::picture::IPictureDisp>& pictures,
                                  const std::map<std::uint16_t, Extent>& resources) {
    std::vector<Extent> extents;
    ForEachImage(pictures, [&](const platform::icons::IconImage& image) {
        const auto found = resources.find(image.resourceId);
        const std::uint64_t offset = found != resources.end() ? found->second.offset : 0;
        extents.push_back({offset, image.bytes.size()});
    });
    return extents;
}

std::uint64_t ImageBytesHeld(const std::vector<platform::picture::IPictureDisp>& pictures) {
    std::uint64_t total = 0;
    ForEachImage(pictures,
                 [&](const platform::icons::IconImage& image) { total += image.bytes.size(); });
    return total;
}

std::size_t ImagesHeld(const std::vector<platform::picture::IPictureDisp>& pictures) {
    std::size_t total = 0;
    ForEachImage(pictures, [&](const platform::icons::IconImage&) { ++total; });
    return total;
}

}  // namespace bench

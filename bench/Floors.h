#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bench/Corpus.h"
#include "platform/picture/Picture.h"

// The floors the actions are measured against: the least file work any program doing the same
// job must do, with no parsing and no allocation.
namespace bench {

// The scan's floor: for each file, open it, read 4 KiB at offsets 0, 4096 and 8192 (the headers,
// the PE header's page, the resource directory's first page), close it. Returns the bytes read.
std::uint64_t ScanFloor(const std::vector<std::string>& paths);

// The load's floor: open the file, one read per extent into one buffer, close it. Returns the
// bytes read.
std::uint64_t LoadFloor(const std::string& path, const std::vector<Extent>& extents);

// The extents a load's floor reads for these pictures: one per image they hold, at the offset of
// its resource in the file and the size held. An image whose resource cannot be located is read
// from the start of the file instead (the same size, in one read).
std::vector<Extent> ExtentsHeldBy(const std::vector<platform::picture::IPictureDisp>& pictures,
                                  const std::map<std::uint16_t, Extent>& resources);

// The bytes of every image the pictures hold, summed.
std::uint64_t ImageBytesHeld(const std::vector<platform::picture::IPictureDisp>& pictures);

// How many images the pictures hold.
std::size_t ImagesHeld(const std::vector<platform::picture::IPictureDisp>& pictures);

}  // namespace bench

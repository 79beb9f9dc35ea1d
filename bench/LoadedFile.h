#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "bench/Corpus.h"

// What loading a file's icons gives: counted once, before the timed runs, for the floors and the
// table's descriptions.
namespace bench {

struct LoadedFile {
    std::string name;  // the bare file name
    std::size_t icons = 0;
    std::size_t images = 0;
    std::uint64_t imageBytes = 0;  // the bytes of every image the pictures hold
    std::vector<Extent> extents;   // what the load's floor reads
};

LoadedFile InspectLoad(const std::string& path);

// "shell32.dll: 184 icons, 1840 images, 5.12 MiB"
std::string Describe(const LoadedFile& file);

}  // namespace bench

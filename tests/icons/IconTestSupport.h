#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/icons/IconReader.h"
#include "tests/support/IconFixtures.h"
#include "tests/support/ScratchDirectory.h"

// Helpers shared by the icon tests: a scratch directory and short ways to read fixtures.
namespace icon_tests {

// A fresh scratch directory (removed with everything in it) and fixture files written into it.
class ScratchDir {
public:
    const std::string& Path() const { return directory_.Path(); }
    std::string File(const std::string& name) const { return Path() + "/" + name; }
    std::string Write(const std::string& name, const fixtures::Bytes& bytes) const {
        fixtures::WriteFile(File(name), bytes);
        return File(name);
    }

private:
    testsupport::ScratchDirectory directory_;
};

inline std::optional<platform::icons::IconGroup> Read(const fixtures::Bytes& file,
                                                      std::int32_t index) {
    return platform::icons::ReadIconGroup(file, index);
}

// How many icons a file holds: indexes from 0 until the first that gives nothing.
inline int CountIcons(const fixtures::Bytes& file) {
    int count = 0;
    while (Read(file, count)) {
        ++count;
    }
    return count;
}

// The image bytes of each image of a group, in order.
inline std::vector<fixtures::Bytes> ImageBytes(const platform::icons::IconGroup& group) {
    std::vector<fixtures::Bytes> bytes;
    for (const auto& image : group.images) {
        bytes.push_back(image.bytes.Vector());
    }
    return bytes;
}

// The image bytes of the icon at an index; empty when there is no icon there.
inline std::vector<fixtures::Bytes> ImagesAt(const fixtures::Bytes& file, std::int32_t index) {
    const auto group = Read(file, index);
    return group ? ImageBytes(*group) : std::vector<fixtures::Bytes>{};
}

}  // namespace icon_tests

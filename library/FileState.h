#pragma once

#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/format/ResourceKinds.h"
#include "platform/icons/IconDescription.h"
#include "platform/icons/IconFile.h"
#include "quorvane/File.h"

// What an opened quorvane::File holds: the icon service's opened file, guarded so that copies on
// several threads take turns, and the groups as described when it was opened.
namespace quorvane {

struct File::State {
    State(platform::icons::IconFile opened, Kind openedKind, std::string givenPath)
        : file(std::move(opened)), kind(openedKind), path(std::move(givenPath)) {}

    std::mutex mutex;  // one reader of `file` at a time
    platform::icons::IconFile file;
    Kind kind;
    std::string path;
    std::string iconsIn;
    std::vector<Group> groups;
    // Per group, the described images (their heads and where they lie), as DrawRgba tries them;
    // none for a repeated group (its sameAs has them).
    std::vector<std::vector<platform::icons::DescribedImage>> described;
};

// The icon service's kind for the library's.
const platform::format::ResourceKind& ResourceKindOf(Kind kind);

// "the file has no icon group 7 (it has 3)" when the state has no group `index`; else nullopt.
std::optional<Error> MissingGroup(const File::State& state, std::uint32_t index);

}  // namespace quorvane

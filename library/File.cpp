#include <new>
#include <utility>

#include "library/FileState.h"
#include "library/ImageFacts.h"
#include "platform/format/ResourceKinds.h"

namespace quorvane {

namespace icons = platform::icons;
namespace format = platform::format;

const format::ResourceKind& ResourceKindOf(Kind kind) {
    switch (kind) {
        case Kind::Cursors:
            return format::kCursorResources;
        case Kind::Animated:
            return format::kAnimatedResources;
        case Kind::Icons:
            break;
    }
    return format::kIconResources;
}

std::optional<Error> MissingGroup(const File::State& state, std::uint32_t index) {
    if (index < state.groups.size()) {
        return std::nullopt;
    }
    return Error{"the file has no " + std::string(ResourceKindOf(state.kind).groupNoun) + " " +
                 std::to_string(index) + " (it has " + std::to_string(state.groups.size()) + ")"};
}

namespace {

Group GroupOf(const icons::DescribedGroup& described,
              const std::vector<icons::DescribedImage>& images) {
    Group group{.index = described.index,
                .id = described.name.id,
                .name = described.name.name,
                .language = described.name.language,
                .images = {},
                .sameAs = described.sameAs,
                .problem = described.problem};
    for (const icons::DescribedImage& image : images) {
        group.images.push_back(ImageOf(image));
    }
    return group;
}

// Describes every group of the opened file into `state`. A repeated group keeps no images of its
// own (a file may name one group of 256 images from 65,535 entries): it names the group it repeats
// and shares its problem.
void DescribeGroups(File::State& state) {
    icons::DescribeIconGroups(state.file, [&state](const icons::DescribedGroup& described) {
        state.groups.push_back(GroupOf(described, described.images));
        if (described.sameAs && *described.sameAs < state.groups.size()) {
            state.groups.back().problem = state.groups[*described.sameAs].problem;
        }
        state.described.push_back(described.images);
    });
}

}  // namespace

Result<File> File::Open(const std::string& path, Kind kind) {
    if (path.find('\0') != std::string::npos) {
        return Error{"the path holds a NUL byte"};
    }
    try {
        auto opened = icons::IconFile::Open(path, ResourceKindOf(kind));
        if (!opened) {
            return Error{opened.error().reason};
        }
        auto state = std::make_shared<State>(std::move(opened.value()), kind, path);
        if (state->file.Path() != path) {
            state->iconsIn = state->file.Path();
        }
        DescribeGroups(*state);
        return File(std::move(state));
    } catch (const std::bad_alloc&) {
        return Error{"out of memory while reading " + path};
    }
}

File::File(std::shared_ptr<State> state) : state_(std::move(state)) {}

Kind File::ResourceKind() const {
    return state_->kind;
}

const std::string& File::Path() const {
    return state_->path;
}

const std::string& File::IconsIn() const {
    return state_->iconsIn;
}

const std::vector<Group>& File::Groups() const {
    return state_->groups;
}

const char* Version() {
    return QUORVANE_LIBRARY_VERSION;
}

}  // namespace quorvane

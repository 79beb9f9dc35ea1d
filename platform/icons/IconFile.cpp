#include "platform/icons/IconFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

#include "platform/files/NativePath.h"
#include "platform/icons/detail/DirectoryIndex.h"
#include "platform/icons/detail/GroupReading.h"
#include "platform/icons/detail/SharedResources.h"

namespace platform::icons {

namespace {

using files::NativePath;
using files::ProgramText;

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

struct Opened {
    std::unique_ptr<AttachedSource> source;
    ReadResult<std::unique_ptr<GroupTable>> groups;
};

Opened OpenGroups(std::unique_ptr<FileSource> file, const format::ResourceKind& kind) {
    if (!file) {
        return {nullptr, Failure("the file cannot be opened as a regular file")};
    }
    auto source = std::make_unique<AttachedSource>();
    source->Attach(std::move(file));
    auto groups = OpenIconGroups(*source, kind);
    if (groups && (*groups)->Count() == 0) {
        groups = Failure(std::string("the file's ") + kind.groupNoun + " directory is empty");
    }
    return {std::move(source), std::move(groups)};
}

bool StartsLikeAnExecutable(const ByteSource& source) {
    const auto magic = ReadFixed<2>(source, 0);
    return magic && (*magic)[0] == 'M' && (*magic)[1] == 'Z';
}

bool IsSystemDirectoryName(std::string_view name) {
    const auto is = [name](std::string_view word) {
        return name.size() == word.size() &&
               std::equal(name.begin(), name.end(), word.begin(), [](char a, char b) {
                   return std::tolower(static_cast<unsigned char>(a)) == b;
               });
    };
    return is("system32") || is("syswow64");
}

// The name of the directory the text of `path` names as holding it: empty when the text names
// none ("foo.exe"), "." or ".." when it names it that way.
std::string_view DirectoryNameInText(std::string_view path) {
    const std::size_t end = path.find_last_of("/\\");
    if (end == std::string_view::npos) {
        return {};
    }
    const std::size_t start = path.find_last_of("/\\", end == 0 ? 0 : end - 1);
    const std::size_t from = start == std::string_view::npos || start >= end ? 0 : start + 1;
    return path.substr(from, end - from);
}

// `path` as the .mun lookup reads it when it lies in a directory named System32 or SysWOW64 (any
// case); nullopt otherwise. The directory's name is read from the text, so that the files of every
// other directory cost nothing more; only when the text names no directory (or names it "." or
// "..", or names no directory above it) is the path made absolute: the working directory may be
// System32 itself.
std::optional<std::filesystem::path> SystemDirectoryPath(const std::string& path) {
    const std::string_view named = DirectoryNameInText(path);
    if (!named.empty() && named != "." && named != "..") {
        if (!IsSystemDirectoryName(named)) {
            return std::nullopt;
        }
        std::filesystem::path native = NativePath(path);
        if (!native.parent_path().parent_path().empty()) {
            return native;
        }
    }
    std::error_code error;
    const std::filesystem::path absolute =
        std::filesystem::absolute(NativePath(path), error).lexically_normal();
    if (error || !IsSystemDirectoryName(ProgramText(absolute.parent_path().filename()))) {
        return std::nullopt;
    }
    return absolute;
}

}  // namespace

std::string MunFileFor(const std::string& path) {
    // On Windows the library converts names between UTF-8 and UTF-16 and throws on one that is
    // neither (a lone surrogate in a directory entry): then there is no .mun file to name.
    try {
        const auto file = SystemDirectoryPath(path);
        if (!file) {
            return {};
        }
        const std::filesystem::path windows = file->parent_path().parent_path();
        const auto resources = detail::FindInDirectory(windows, "systemresources");
        const auto mun = resources
                             ? detail::FindInDirectory(
                                   *resources, Lowered(ProgramText(file->filename())) + ".mun")
                             : std::nullopt;
        return mun ? ProgramText(*mun) : std::string();
    } catch (const std::system_error&) {
        return {};
    }
}

ReadResult<std::shared_ptr<const IconGroup>> ReadGroup(const IconFile& file, std::int32_t index) {
    return ReadIconGroupFrom(file.Source(), file.Groups(), index);
}

ReadResult<ImageBytes> ReadImageAt(const IconFile& file, ByteRange range) {
    if (!IsReadableImage(range)) {
        return Failure("image at " + Hex(range.offset) +
                       " is empty or larger than any read may be");
    }
    SharedResources shared(file.Source());
    ImageBytes bytes = shared.Image(range);
    if (bytes.empty()) {
        return Failure("image at " + Hex(range.offset) +
                       " cannot be read, or the file names more bytes than it holds");
    }
    return bytes;
}

ReadResult<IconFile> IconFile::Open(const std::string& path, const format::ResourceKind& kind) {
    return Open(path, FileSource::Open(path), kind);
}

ReadResult<IconFile> IconFile::Open(const std::string& path, std::unique_ptr<FileSource> opened,
                                    const format::ResourceKind& kind) {
    Opened file = OpenGroups(std::move(opened), kind);
    if (file.groups) {
        return IconFile(std::move(file.source), std::move(*file.groups), path);
    }
    const std::string mun =
        file.source && StartsLikeAnExecutable(*file.source) ? MunFileFor(path) : std::string();
    if (mun.empty()) {
        return file.groups.error();
    }
    Opened redirected = OpenGroups(FileSource::Open(mun), kind);
    if (!redirected.groups) {
        return Failure(file.groups.error().reason + "; its " + kind.plural + " would be in " + mun +
                       ", but " + redirected.groups.error().reason);
    }
    return IconFile(std::move(redirected.source), std::move(*redirected.groups), mun);
}

}  // namespace platform::icons

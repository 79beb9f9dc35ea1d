// ExtractIconA and the handle calls: the readers over a file, their result kept in the
// process-wide handle table. Nothing leaves here as an exception.
#include "platform/icons/IconService.h"

#include <exception>

#include "platform/icons/detail/GroupReading.h"
#include "platform/icons/detail/IconHandleTable.h"
#include "platform/icons/detail/LastIconFile.h"

namespace platform::icons {

namespace {

ReadResult<std::shared_ptr<const IconGroup>> ReadGroupOfPath(const std::string& path,
                                                             std::int32_t index) {
    return WithIconFile(path, [index](IconFile& file) {
        return ReadIconGroupFrom(file.Source(), file.Groups(), index);
    });
}

}  // namespace

HICON ExtractIconA(HWND /*hwnd*/, const std::string& path, std::int32_t index) {
    try {
        if (index < 0) {
            return 0;
        }
        auto group = ReadGroupOfPath(path, index);
        return group ? ProcessIconTable().Add(std::move(*group)) : 0;
    } catch (const std::exception&) {  // std::bad_alloc above all
        return 0;
    }
}

std::string WhyNoIcon(const std::string& path, std::int32_t index) {
    try {
        const auto group = ReadGroupOfPath(path, index);
        return group ? std::string() : group.error().reason;
    } catch (const std::exception&) {
        return "out of memory while reading it";
    }
}

// The table's calls can only fail if its mutex does (std::system_error); even then nothing throws.
bool DestroyIcon(HICON icon) {
    try {
        return ProcessIconTable().Remove(icon);
    } catch (const std::exception&) {
        return false;
    }
}

std::shared_ptr<const IconGroup> IconGroupOf(HICON icon) {
    try {
        return ProcessIconTable().Find(icon);
    } catch (const std::exception&) {
        return nullptr;
    }
}

std::size_t LiveIconCount() {
    try {
        return ProcessIconTable().LiveCount();
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace platform::icons

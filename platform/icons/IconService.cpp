// ExtractIconA and the handle calls: the readers over a file, their result kept in the
// process-wide handle table. Nothing leaves here as an exception.
#include "platform/icons/IconService.h"

#include <new>

#include "platform/icons/FileSource.h"
#include "platform/icons/IconHandleTable.h"
#include "platform/icons/IconSource.h"

namespace platform::icons {

HICON ExtractIconA(HWND /*hwnd*/, const std::string& path, std::int32_t index) {
    try {
        if (index < 0) {
            return 0;
        }
        const auto file = FileSource::Open(path);
        if (!file) {
            return 0;
        }
        auto group = ReadIconGroupFrom(*file, index);
        if (!group) {
            return 0;
        }
        return ProcessIconTable().Add(std::make_shared<const IconGroup>(std::move(*group)));
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

bool DestroyIcon(HICON icon) {
    return ProcessIconTable().Remove(icon);
}

std::shared_ptr<const IconGroup> IconGroupOf(HICON icon) {
    return ProcessIconTable().Find(icon);
}

std::size_t LiveIconCount() {
    return ProcessIconTable().LiveCount();
}

}  // namespace platform::icons

#include "platform/picture/SaveErrors.h"

#include <cerrno>

#include "platform/toolkit/RuntimeError.h"

namespace platform::picture {

std::int32_t SaveErrorNumber(int errnoValue) {
    switch (errnoValue) {
        case ENOENT:
        case ENOTDIR:
            return toolkit::errPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return toolkit::errPermissionDenied;
        case ENOSPC:
        case EDQUOT:
            return toolkit::errDiskFull;
        default:
            return toolkit::errPathFileAccess;
    }
}

}  // namespace platform::picture

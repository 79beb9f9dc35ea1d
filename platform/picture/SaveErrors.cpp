#include "platform/picture/SaveErrors.h"

#include <cerrno>

#include "platform/runtime/RuntimeError.h"

namespace platform::picture {

std::int32_t SaveErrorNumber(int errnoValue) {
    switch (errnoValue) {
        case ENOENT:
        case ENOTDIR:
            return runtime::errPathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
            return runtime::errPermissionDenied;
        case ENOSPC:
#ifdef EDQUOT  // no quotas in the Windows C runtime's numbers
        case EDQUOT:
#endif
            return runtime::errDiskFull;
        default:
            return runtime::errPathFileAccess;
    }
}

}  // namespace platform::picture

#pragma once

#include <cstdint>

namespace platform::picture {

// The run-time error a failed save raises for the errno it met: 76 for a missing directory, 70 for
// a permission denied or a read-only file system, 61 for a full disk or quota, 75 for anything
// else (including no errno at all).
std::int32_t SaveErrorNumber(int errnoValue);

}  // namespace platform::picture

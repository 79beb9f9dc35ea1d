#pragma once

#include <functional>

#include "platform/runtime/RuntimeError.h"

namespace testsupport {

// The number of the run-time error the action raises; 0 when it raises none.
inline int RaisedNumber(const std::function<void()>& action) {
    try {
        action();
    } catch (const runtime::RuntimeError& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace testsupport

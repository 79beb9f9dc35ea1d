#pragma once

#include <functional>

namespace runtime {

// A control event (Click, DblClick, Change): the window wires its handlers to these.
using Event = std::function<void()>;

// Raises an event from code, as a property write does: the handler runs before the write returns
// and a run-time error raised in it goes to the code that wrote the property.
inline void RaiseEvent(const Event& event) {
    if (event) {
        event();
    }
}

}  // namespace runtime

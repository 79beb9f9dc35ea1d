#pragma once

#include <functional>

namespace toolkit {

// A control event (Click, DblClick, Change): the window wires its handlers to these.
using Event = std::function<void()>;

// Raises an event from code, as a property write does: the handler runs before the write returns
// and a run-time error raised in it goes to the code that wrote the property.
inline void RaiseEvent(const Event& event) {
    if (event) {
        event();
    }
}

// Raises an event the user started (a click, a key). An error that escapes the handler (any
// exception, as the run-time error RuntimeErrorOf makes of it) is reported in the runtime's own box
// (title the application's name, "Errore di run-time 'N':", a blank line, the description), the
// default mouse pointer comes back, and the program goes on. Nothing escapes into the event loop.
void RaiseUserEvent(const Event& event);

}  // namespace toolkit

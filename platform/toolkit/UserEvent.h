#pragma once

#include "platform/runtime/Event.h"

namespace toolkit {

// Raises an event the user started (a click, a key). An error that escapes the handler (any
// exception, as the run-time error RuntimeErrorOf makes of it) is reported in the runtime's own box
// (title the application's name, "Errore di run-time 'N':", a blank line, the description), the
// default mouse pointer comes back, and the program goes on. Nothing escapes into the event loop.
void RaiseUserEvent(const runtime::Event& event);

}  // namespace toolkit

#pragma once

#include <windows.h>

#include "platform/toolkit/Form.h"

namespace toolkit::win32 {

// Runs the thread's message loop while the form's window is shown: keyboard navigation between
// its controls (Tab, arrows) goes through the dialog manager. Returns once the window is closed
// or the loop is told to quit; the exit code.
int RunMessageLoop(const Form& form);

// Hands one message to its window as the loop does: the dialog manager first (Tab, arrows, Enter
// for the controls that do not want it), then the window's procedure.
void DeliverMessage(const Form& form, MSG& message);

}  // namespace toolkit::win32

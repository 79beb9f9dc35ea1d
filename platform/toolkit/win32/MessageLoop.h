#pragma once

#include "platform/toolkit/Form.h"

namespace toolkit::win32 {

// Runs the thread's message loop while the form's window is shown: keyboard navigation between
// its controls (Tab, arrows) goes through the dialog manager. Returns once the window is closed
// or the loop is told to quit; the exit code.
int RunMessageLoop(const Form& form);

}  // namespace toolkit::win32

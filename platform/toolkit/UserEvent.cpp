#include "platform/toolkit/UserEvent.h"

#include <exception>
#include <string>

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/ApplicationName.h"
#include "platform/toolkit/MsgBox.h"
#include "platform/toolkit/Presenters.h"
#include "platform/toolkit/Screen.h"

namespace toolkit {

namespace {

// Runs the handler; the exception that escaped it, if any.
std::exception_ptr RunHandler(const runtime::Event& event) noexcept {
    try {
        runtime::RaiseEvent(event);
        return nullptr;
    } catch (...) {
        return std::current_exception();
    }
}

// The runtime's own box for an error no handler trapped, then the default pointer.
void ReportUnhandled(const std::exception_ptr& escaped) noexcept {
    try {
        const runtime::RuntimeError error = runtime::RuntimeErrorOf(escaped);
        PresentMessageBox({.text = "Errore di run-time '" + std::to_string(error.Number()) +
                                   "':\n\n" + error.Description(),
                           .style = vbCritical,
                           .title = ApplicationName()});
    } catch (...) {
        // The report itself failed; the program still goes on.
    }
    try {
        Screen.SetMousePointer(vbDefault);
    } catch (...) {
    }
}

}  // namespace

void RaiseUserEvent(const runtime::Event& event) {
    if (const std::exception_ptr escaped = RunHandler(event)) {
        ReportUnhandled(escaped);
    }
}

}  // namespace toolkit

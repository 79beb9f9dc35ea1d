#include "platform/toolkit/Event.h"

#include <QCoreApplication>
#include <new>
#include <optional>
#include <string>

#include "platform/toolkit/MsgBox.h"
#include "platform/toolkit/Presenters.h"
#include "platform/toolkit/RuntimeError.h"
#include "platform/toolkit/Screen.h"

namespace toolkit {

namespace {

struct Unhandled {
    std::int32_t number;
    std::string description;
};

// Runs the handler; the error that escaped it, if any.
std::optional<Unhandled> RunHandler(const Event& event) {
    try {
        RaiseEvent(event);
        return std::nullopt;
    } catch (const RuntimeError& error) {
        return Unhandled{error.Number(), error.Description()};
    } catch (const std::bad_alloc&) {
        return Unhandled{errOutOfMemory, DescriptionOf(errOutOfMemory)};
    } catch (...) {
        return Unhandled{errInternal, DescriptionOf(errInternal)};
    }
}

// The runtime's own box for an error no handler trapped, then the default pointer.
void ReportUnhandled(const Unhandled& error) noexcept {
    try {
        PresentMessageBox({.text = "Errore di run-time '" + std::to_string(error.number) +
                                   "':\n\n" + error.description,
                           .style = vbCritical,
                           .title = QCoreApplication::applicationName().toStdString()});
    } catch (...) {
        // The report itself failed; the program still goes on.
    }
    try {
        Screen.SetMousePointer(vbDefault);
    } catch (...) {
    }
}

}  // namespace

void RaiseUserEvent(const Event& event) {
    if (const std::optional<Unhandled> error = RunHandler(event)) {
        ReportUnhandled(*error);
    }
}

}  // namespace toolkit

#pragma once

class QWidget;

namespace toolkit {

// The window a modal dialog belongs to: the surface of the form that opened it while one is set
// (ScopedDialogOwner), else the active window.
QWidget* DialogOwner();

}  // namespace toolkit

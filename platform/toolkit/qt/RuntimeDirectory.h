#pragma once

// Qt programs started without XDG_RUNTIME_DIR (a root shell, a su session, a chroot where
// packages are built) warn at every start and then use <temp>/runtime-<user>.
namespace toolkit::qt {

// When XDG_RUNTIME_DIR is unset, makes <temp>/runtime-<user> private to the user (0700) and names
// it there, so that a start says nothing that looks wrong; call it before the QApplication is
// made. Leaves the variable unset when the directory cannot be made private.
void ProvideRuntimeDirectory();

}  // namespace toolkit::qt

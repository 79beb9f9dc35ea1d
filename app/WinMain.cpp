// Quorvane for Windows: finds the icons stored in executables and saves one as an .ico file.
#include <windows.h>

#include "platform/toolkit/win32/MessageLoop.h"
#include "window/frmCercaIco.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    frmCercaIco window;
    window.Show();
    return toolkit::win32::RunMessageLoop(window);
}

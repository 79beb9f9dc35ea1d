// A graphical program that does nothing, built with Quorvane.exe's resources and link options so
// that both can be checked before the window itself is built for Windows.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    return 0;
}

// Built into the program only with QUORVANE_SANITIZE: LeakSanitizer reads the project's
// suppressions (leaks inside third-party libraries) without being told, so a sanitized window
// started by hand reports only the program's own leaks. A suppressions= in LSAN_OPTIONS replaces
// this one.
#include <sanitizer/lsan_interface.h>

extern "C" const char* __lsan_default_options() {
    return "suppressions=" QUORVANE_LSAN_SUPPRESSIONS;
}

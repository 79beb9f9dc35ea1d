#include "platform/toolkit/Screen.h"

#include "platform/runtime/RuntimeError.h"
#include "platform/toolkit/win32/PointerShapes.h"

namespace toolkit {

ScreenObject Screen;

void ScreenObject::SetMousePointer(int pointer) {
    if (!IsMousePointerValue(pointer)) {
        runtime::Raise(runtime::errInvalidPropertyValue);
    }
    mousePointer_ = pointer;
    overriding_ = pointer != vbDefault;
    // The forms answer WM_SETCURSOR with this pointer while it is not the default; show it now,
    // since the GUI thread may work on without reading its messages.
    HCURSOR shown = StockPointer(pointer);
    SetCursor(shown != nullptr ? shown : LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace toolkit

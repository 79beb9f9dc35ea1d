#include "platform/toolkit/win32/PointerShapes.h"

#include <array>

#include "platform/toolkit/MousePointers.h"

namespace toolkit {

namespace {

// Pointers 1 to 15, in order.
const std::array<const wchar_t*, kStockPointerCount> kStockCursors = {
    IDC_ARROW,    IDC_CROSS,  IDC_IBEAM,       IDC_ARROW,  IDC_SIZEALL,
    IDC_SIZENESW, IDC_SIZENS, IDC_SIZENWSE,    IDC_SIZEWE, IDC_UPARROW,
    IDC_WAIT,     IDC_NO,     IDC_APPSTARTING, IDC_HELP,   IDC_SIZEALL,
};

}  // namespace

HCURSOR StockPointer(int pointer) {
    if (pointer < 1 || pointer > static_cast<int>(kStockCursors.size())) {
        return nullptr;
    }
    return LoadCursorW(nullptr, kStockCursors[static_cast<std::size_t>(pointer) - 1]);
}

}  // namespace toolkit

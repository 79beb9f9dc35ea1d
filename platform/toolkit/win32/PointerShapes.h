#pragma once

#include <windows.h>

namespace toolkit {

// The system cursor of one of the runtime's stock mouse pointers (1 arrow ... 15 size-all);
// nullptr for 0 (the default), 99 (custom) and values that are no pointer.
HCURSOR StockPointer(int pointer);
// Whether the value is a mouse pointer setting at all: 0, a stock pointer or 99.
bool IsMousePointerValue(int pointer);

}  // namespace toolkit

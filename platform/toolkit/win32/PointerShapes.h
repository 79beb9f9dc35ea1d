#pragma once

#include <windows.h>

#include "platform/toolkit/MousePointers.h"

namespace toolkit {

// The system cursor of one of the runtime's stock mouse pointers (1 arrow ... 15 size-all);
// nullptr for 0 (the default), 99 (custom) and values that are no pointer.
HCURSOR StockPointer(int pointer);
}  // namespace toolkit

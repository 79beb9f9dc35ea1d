#pragma once

#include <Qt>
#include <optional>

#include "platform/toolkit/MousePointers.h"

namespace toolkit {

// The Qt cursor of one of the runtime's stock mouse pointers (1 arrow ... 15 size-all); nothing for
// 0 (the default), 99 (custom) and values that are no pointer.
std::optional<Qt::CursorShape> StockPointerShape(int pointer);

}  // namespace toolkit

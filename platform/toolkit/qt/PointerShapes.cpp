#include "platform/toolkit/qt/PointerShapes.h"

#include <array>

#include "platform/toolkit/Screen.h"

namespace toolkit {

namespace {

// Pointers 1 to 15, in order.
constexpr std::array<Qt::CursorShape, kStockPointerCount> kStockShapes = {
    Qt::ArrowCursor,      // 1 arrow
    Qt::CrossCursor,      // 2 cross
    Qt::IBeamCursor,      // 3 I-beam
    Qt::ArrowCursor,      // 4 icon
    Qt::SizeAllCursor,    // 5 size
    Qt::SizeBDiagCursor,  // 6 size NE-SW
    Qt::SizeVerCursor,    // 7 size N-S
    Qt::SizeFDiagCursor,  // 8 size NW-SE
    Qt::SizeHorCursor,    // 9 size W-E
    Qt::UpArrowCursor,    // 10 up arrow
    Qt::WaitCursor,       // 11 hourglass
    Qt::ForbiddenCursor,  // 12 no drop
    Qt::BusyCursor,       // 13 arrow and hourglass
    Qt::WhatsThisCursor,  // 14 arrow and question mark
    Qt::SizeAllCursor,    // 15 size all
};

}  // namespace

std::optional<Qt::CursorShape> StockPointerShape(int pointer) {
    if (pointer < 1 || pointer > static_cast<int>(kStockShapes.size())) {
        return std::nullopt;
    }
    return kStockShapes[static_cast<std::size_t>(pointer) - 1];
}

}  // namespace toolkit

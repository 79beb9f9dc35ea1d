#pragma once

namespace toolkit {

// The mouse pointer values of the screen and of the controls.
constexpr int vbDefault = 0;
constexpr int vbHourglass = 11;
constexpr int vbCustom = 99;
// The stock pointers are 1 to this.
constexpr int kStockPointerCount = 15;

// Whether a value names a pointer: the default, a stock one or the custom one.
constexpr bool IsMousePointerValue(int pointer) {
    return pointer == vbDefault || pointer == vbCustom ||
           (pointer >= 1 && pointer <= kStockPointerCount);
}

}  // namespace toolkit

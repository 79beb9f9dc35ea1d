#pragma once

namespace toolkit {

// The mouse pointer values of the screen and of the controls.
constexpr int vbDefault = 0;
constexpr int vbHourglass = 11;
constexpr int vbCustom = 99;

}  // namespace toolkit

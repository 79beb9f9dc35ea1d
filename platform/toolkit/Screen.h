#pragma once

namespace toolkit {

constexpr int vbDefault = 0;
constexpr int vbHourglass = 11;
constexpr int vbCustom = 99;

// The screen's mouse pointer over the whole application: 11 shows the hourglass, 0 the default.
class ScreenObject {
public:
    int MousePointer() const { return mousePointer_; }
    void SetMousePointer(int pointer);

private:
    int mousePointer_ = vbDefault;
};

extern ScreenObject Screen;

}  // namespace toolkit

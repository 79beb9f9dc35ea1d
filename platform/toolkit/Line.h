#pragma once

#include "platform/toolkit/Control.h"

namespace toolkit {

// A straight line, one pixel wide, solid, in the default line colour, between two points given in
// twips. Only horizontal and vertical lines are needed.
class Line : public Control {
public:
    explicit Line(Form& owner);

    void SetEndpoints(int x1Twips, int y1Twips, int x2Twips, int y2Twips);

    bool CanTakeFocus() const override { return false; }
};

}  // namespace toolkit

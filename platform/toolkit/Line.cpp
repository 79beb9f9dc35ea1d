#include "platform/toolkit/Line.h"

#include "platform/toolkit/LineWidget.h"
#include "platform/toolkit/Twips.h"

namespace toolkit {

Line::Line(Form& owner) : Control(owner, new LineWidget) {}

void Line::SetEndpoints(int x1Twips, int y1Twips, int x2Twips, int y2Twips) {
    static_cast<LineWidget&>(*Widget()).SetEndpoints(
        {TwipsToPixels(x1Twips), TwipsToPixels(y1Twips)},
        {TwipsToPixels(x2Twips), TwipsToPixels(y2Twips)});
}

}  // namespace toolkit

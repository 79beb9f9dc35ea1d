#include "platform/toolkit/Line.h"

#include "platform/toolkit/Twips.h"
#include "platform/toolkit/qt/LineWidget.h"
#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

Line::Line(Form& owner) : Control(owner, std::make_unique<ControlPeer>(new LineWidget)) {}

void Line::SetEndpoints(int x1Twips, int y1Twips, int x2Twips, int y2Twips) {
    static_cast<LineWidget&>(*qt::WidgetOf(*this))
        .SetEndpoints({TwipsToPixels(x1Twips), TwipsToPixels(y1Twips)},
                      {TwipsToPixels(x2Twips), TwipsToPixels(y2Twips)});
}

}  // namespace toolkit

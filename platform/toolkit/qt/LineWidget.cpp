#include "platform/toolkit/qt/LineWidget.h"

#include <QPainter>
#include <algorithm>

namespace toolkit {

namespace {

const QColor kLineColour = Qt::black;

}  // namespace

LineWidget::LineWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineWidget::SetEndpoints(QPoint from, QPoint to) {
    const QRect covered(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                        QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y())));
    setGeometry(covered);
    from_ = from - covered.topLeft();
    to_ = to - covered.topLeft();
    update();
}

void LineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (width() == 1 || height() == 1) {
        painter.fillRect(rect(), kLineColour);
        return;
    }
    painter.setPen(QPen(kLineColour, 0));
    painter.drawLine(from_, to_);
}

}  // namespace toolkit

#pragma once

#include <QPoint>
#include <QWidget>

namespace toolkit {

// A one-pixel solid line between two points of its own rectangle, in the default line colour.
class LineWidget : public QWidget {
public:
    explicit LineWidget(QWidget* parent = nullptr);

    // Places the widget over the line between two points of the parent, both ends included.
    void SetEndpoints(QPoint from, QPoint to);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPoint from_;  // in the widget's coordinates
    QPoint to_;
};

}  // namespace toolkit

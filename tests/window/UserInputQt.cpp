#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <QWidget>
#include <stdexcept>

#include "platform/toolkit/qt/Peers.h"
#include "tests/window/UserInput.h"

namespace user_input {

namespace {

QListWidget* ListWidgetOf(toolkit::Control& control) {
    auto* list = qobject_cast<QListWidget*>(toolkit::qt::WidgetOf(control));
    if (list == nullptr) {
        throw std::logic_error("the control is not a list");
    }
    return list;
}

}  // namespace

void ClickEntry(toolkit::ListBox& list, int index, bool doubleClick) {
    QListWidget* widget = ListWidgetOf(list);
    widget->scrollToItem(widget->item(index));
    const QPoint center = widget->visualItemRect(widget->item(index)).center();
    QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, center);
    if (doubleClick) {
        QTest::mouseDClick(widget->viewport(), Qt::LeftButton, {}, center);
    }
}

void ClickButton(toolkit::CommandButton& button) {
    QTest::mouseClick(toolkit::qt::WidgetOf(button), Qt::LeftButton);
}

void PressTab(toolkit::Form& form) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus != nullptr ? focus : toolkit::qt::SurfaceOf(form), Qt::Key_Tab);
}

void PressEnter(toolkit::Form&, toolkit::Control& control) {
    QWidget* widget = toolkit::qt::WidgetOf(control);
    widget->setFocus();
    QTest::keyClick(widget, Qt::Key_Return);
}

}  // namespace user_input

#include "platform/toolkit/qt/EntryListWidget.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/toolkit/qt/Peers.h"

namespace toolkit {

namespace {

void Notify(const std::function<void()>& hook) {
    if (hook) {
        hook();
    }
}

}  // namespace

EntryListWidget& EntryListOf(const Control& list) {
    return static_cast<EntryListWidget&>(*qt::WidgetOf(list));
}

EntryListWidget::EntryListWidget(QWidget* parent) : QListWidget(parent) {
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setDragEnabled(false);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setFocusPolicy(Qt::StrongFocus);
}

int EntryListWidget::SelectedRow() const {
    const QModelIndexList rows = selectionModel()->selectedIndexes();
    return rows.isEmpty() ? -1 : rows.front().row();
}

void EntryListWidget::SelectRow(int row) {
    if (row < 0) {
        clearSelection();
        setCurrentItem(nullptr);
        return;
    }
    setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    scrollToItem(item(row));
}

int EntryListWidget::RowUnderLeftButton(const QMouseEvent* event) const {
    if (event->button() != Qt::LeftButton) {
        return -1;
    }
    const QListWidgetItem* entry = itemAt(event->position().toPoint());
    return entry == nullptr ? -1 : row(entry);
}

void EntryListWidget::mousePressEvent(QMouseEvent* event) {
    event->accept();
    const int pressed = RowUnderLeftButton(event);
    if (pressed < 0) {
        return;
    }
    SelectRow(pressed);
    Notify(entryPressed);
}

void EntryListWidget::mouseMoveEvent(QMouseEvent* event) {
    // Dragging with a button held does not move the selection.
    if (event->buttons() != Qt::NoButton) {
        event->accept();
        return;
    }
    QListWidget::mouseMoveEvent(event);
}

void EntryListWidget::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
}

void EntryListWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    const int clicked = RowUnderLeftButton(event);
    if (clicked < 0) {
        return;
    }
    // The first press of the double-click selected the entry already; the second only selects
    // when the entry under it is another one.
    if (clicked != SelectedRow()) {
        SelectRow(clicked);
        Notify(entryPressed);
    }
    Notify(entryDoubleClicked);
}

void EntryListWidget::keyPressEvent(QKeyEvent* event) {
    const bool isEnter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (isEnter && enterPressed) {
        event->accept();
        enterPressed();
        return;
    }
    const int before = SelectedRow();
    QListWidget::keyPressEvent(event);
    if (SelectedRow() != before) {
        Notify(selectionMovedByKey);
    }
}

void EntryListWidget::showEvent(QShowEvent* event) {
    QListWidget::showEvent(event);
    Notify(shown);
}

}  // namespace toolkit

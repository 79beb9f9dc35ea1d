#pragma once

#include <QListWidget>
#include <functional>

#include "platform/toolkit/Control.h"

namespace toolkit {

// The list widget under the list controls: single selection, no sorting, no editing, no drag.
// It selects on a mouse press (not on drag) and tells its control what the user did; a press or a
// double-click on the empty space below the entries does nothing.
class EntryListWidget : public QListWidget {
public:
    explicit EntryListWidget(QWidget* parent = nullptr);

    // The selected row, -1 when none.
    int SelectedRow() const;
    // Selects that row and makes it current (-1 selects none).
    void SelectRow(int row);

    std::function<void()> entryPressed;         // a left press on an entry, after selecting it
    std::function<void()> entryDoubleClicked;   // a double-click on an entry, after entryPressed
                                                // when it changed the selection
    std::function<void()> selectionMovedByKey;  // a key that changed the selection
    std::function<void()> enterPressed;         // Enter or Return (unset: the list handles them)
    std::function<void()> shown;                // the widget has just been shown

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The row under a left-button event, -1 for other buttons or empty space.
    int RowUnderLeftButton(const QMouseEvent* event) const;
};

// The list widget of a list control (ListBox, FileListBox, DirListBox).
EntryListWidget& EntryListOf(const Control& list);

}  // namespace toolkit

#pragma once

#include <QStyledItemDelegate>

namespace toolkit {

// Draws each entry of a list indented by its level (an int under kLevelRole), as the directory
// list shows its hierarchy.
class IndentedItemDelegate : public QStyledItemDelegate {
public:
    static constexpr int kLevelRole = Qt::UserRole + 1;
    static constexpr int kIndentPixels = 8;

    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    static int IndentOf(const QModelIndex& index);
};

}  // namespace toolkit

#include "platform/toolkit/qt/IndentedItemDelegate.h"

namespace toolkit {

int IndentedItemDelegate::IndentOf(const QModelIndex& index) {
    return index.data(kLevelRole).toInt() * kIndentPixels;
}

void IndentedItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                 const QModelIndex& index) const {
    QStyleOptionViewItem indented(option);
    indented.rect.adjust(IndentOf(index), 0, 0, 0);
    QStyledItemDelegate::paint(painter, indented, index);
}

QSize IndentedItemDelegate::sizeHint(const QStyleOptionViewItem& option,
                                     const QModelIndex& index) const {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(IndentOf(index), 0);
}

}  // namespace toolkit

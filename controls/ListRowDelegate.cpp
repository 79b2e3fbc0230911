#include "controls/ListRowDelegate.h"

CListRowDelegate::CListRowDelegate(QObject* parent) : QStyledItemDelegate(parent) {}

void CListRowDelegate::initStyleOption(QStyleOptionViewItem* option,
                                       const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_HasFocus;
    // A row number wider than its column keeps its last digits instead of becoming "...".
    if (option->displayAlignment & Qt::AlignRight) {
        option->textElideMode = Qt::ElideNone;
    }
}

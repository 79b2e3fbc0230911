#pragma once

#include <QStyledItemDelegate>

// Paints a list row in the list's own colours, without the style's focus frame, so a
// selected row shows exactly the skin's selection colours.
class CListRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    explicit CListRowDelegate(QObject* parent = nullptr);

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

#pragma once

#include <QAccessibleWidget>

class CLabel;

// A skinned label on the accessibility bus: static text named by the text it shows.
class CAccessibleLabel : public QAccessibleWidget {
public:
    explicit CAccessibleLabel(CLabel* label);

    QString text(QAccessible::Text t) const override;

    // Tells the bus that the text of `label` changed.
    static void TextChanged(CLabel* label);
};

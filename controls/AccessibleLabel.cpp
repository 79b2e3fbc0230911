#include "controls/AccessibleLabel.h"

#include "controls/Label.h"

CAccessibleLabel::CAccessibleLabel(CLabel* label)
    : QAccessibleWidget(label, QAccessible::StaticText) {}

QString CAccessibleLabel::text(QAccessible::Text t) const {
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return static_cast<const CLabel*>(widget())->Text();
    }
    return QAccessibleWidget::text(t);
}

void CAccessibleLabel::TextChanged(CLabel* label) {
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

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

// Every label gets its text while a skin loads: without a listener the event would only make
// and keep an interface for each.
void CAccessibleLabel::TextChanged(CLabel* label) {
    if (!QAccessible::isActive()) {
        return;
    }
    QAccessibleEvent event(label, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&event);
}

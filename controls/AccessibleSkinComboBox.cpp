#include "controls/AccessibleSkinComboBox.h"

#include "controls/AccessibleNames.h"
#include "controls/SkinComboBox.h"

CAccessibleSkinComboBox::CAccessibleSkinComboBox(CSkinComboBox* combo)
    : QAccessibleWidget(combo, QAccessible::ComboBox) {}

CSkinComboBox* CAccessibleSkinComboBox::Combo() const {
    return static_cast<CSkinComboBox*>(widget());
}

QString CAccessibleSkinComboBox::text(QAccessible::Text t) const {
    if (t == QAccessible::Value) {
        return Combo()->EditPart() ? Combo()->EditPart()->text() : QString();
    }
    if (t == QAccessible::Name && widget()->accessibleName().isEmpty()) {
        return CAccessibleNames::Readable(Combo()->name);
    }
    return QAccessibleWidget::text(t);
}

QAccessible::State CAccessibleSkinComboBox::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    state.expandable = true;
    state.expanded = !Combo()->IsClosed();
    state.collapsed = Combo()->IsClosed();
    return state;
}

QStringList CAccessibleSkinComboBox::actionNames() const {
    return QStringList(showMenuAction()) + QAccessibleWidget::actionNames();
}

void CAccessibleSkinComboBox::doAction(const QString& actionName) {
    if (actionName == showMenuAction()) {
        Combo()->ToggleList();
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

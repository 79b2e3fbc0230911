#include "controls/AccessibleSkinButton.h"

#include "controls/AccessibleNames.h"
#include "controls/ComboButton.h"
#include "controls/SkinCheck.h"
#include "controls/SkinOption.h"

namespace {

QAccessible::Role RoleOf(const CSkinButton* button) {
    if (qobject_cast<const CSkinCheck*>(button) != nullptr) {
        return QAccessible::CheckBox;
    }
    if (qobject_cast<const CSkinOption*>(button) != nullptr) {
        return QAccessible::RadioButton;
    }
    if (qobject_cast<const CComboButton*>(button) != nullptr) {
        return QAccessible::ButtonDropDown;
    }
    return QAccessible::PushButton;
}

} // namespace

CAccessibleSkinButton::CAccessibleSkinButton(CSkinButton* button)
    : QAccessibleWidget(button, RoleOf(button)) {}

CSkinButton* CAccessibleSkinButton::Button() const {
    return static_cast<CSkinButton*>(widget());
}

bool CAccessibleSkinButton::Checkable() const {
    return role() == QAccessible::CheckBox || role() == QAccessible::RadioButton;
}

QString CAccessibleSkinButton::text(QAccessible::Text t) const {
    if (!widget()->accessibleName().isEmpty() && t == QAccessible::Name) {
        return widget()->accessibleName();
    }
    switch (t) {
    case QAccessible::Name:
        return CAccessibleNames::ButtonName(*Button());
    case QAccessible::Description:
        return CAccessibleNames::ButtonDescription(*Button());
    default:
        return QAccessibleWidget::text(t);
    }
}

QAccessible::State CAccessibleSkinButton::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    if (Checkable()) {
        state.checkable = true;
        state.checked = Button()->Latched() != 0;
    }
    return state;
}

QStringList CAccessibleSkinButton::actionNames() const {
    const QString own = Checkable() ? toggleAction() : pressAction();
    return QStringList(own) + QAccessibleWidget::actionNames();
}

void CAccessibleSkinButton::doAction(const QString& actionName) {
    if (actionName == pressAction() || actionName == toggleAction()) {
        if (widget()->isEnabled()) {
            Button()->Click();
        }
        return;
    }
    QAccessibleWidget::doAction(actionName);
}

void CAccessibleSkinButton::LatchChanged(CSkinButton* button) {
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent event(button, changed);
    QAccessible::updateAccessibility(&event);
}

#include "controls/ControlAccessibility.h"

#include "controls/AccessibleLabel.h"
#include "controls/AccessibleSkinButton.h"
#include "controls/AccessibleSkinComboBox.h"
#include "controls/AccessibleSkinSlider.h"
#include "controls/Label.h"
#include "controls/SkinButton.h"
#include "controls/SkinComboBox.h"
#include "controls/SkinSlider.h"

void CControlAccessibility::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(&CControlAccessibility::Make);
        return true;
    }();
    (void)installed;
}

// Asked once per class of the object's ancestry, most derived first: the button family is
// served when Qt asks for CSkinButton.
QAccessibleInterface* CControlAccessibility::Make(const QString& className, QObject* object) {
    if (className == QLatin1String("CSkinButton")) {
        return new CAccessibleSkinButton(static_cast<CSkinButton*>(object));
    }
    if (className == QLatin1String("CSkinSlider")) {
        return new CAccessibleSkinSlider(static_cast<CSkinSlider*>(object));
    }
    if (className == QLatin1String("CLabel")) {
        return new CAccessibleLabel(static_cast<CLabel*>(object));
    }
    if (className == QLatin1String("CSkinComboBox")) {
        return new CAccessibleSkinComboBox(static_cast<CSkinComboBox*>(object));
    }
    return nullptr;
}

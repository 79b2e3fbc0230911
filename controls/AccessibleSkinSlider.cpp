#include "controls/AccessibleSkinSlider.h"

#include "controls/AccessibleNames.h"
#include "controls/SkinSlider.h"

CAccessibleSkinSlider::CAccessibleSkinSlider(CSkinSlider* slider)
    : QAccessibleWidget(slider, QAccessible::Slider) {}

CSkinSlider* CAccessibleSkinSlider::Slider() const {
    return static_cast<CSkinSlider*>(widget());
}

void* CAccessibleSkinSlider::interface_cast(QAccessible::InterfaceType t) {
    if (t == QAccessible::ValueInterface) {
        return static_cast<QAccessibleValueInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(t);
}

QString CAccessibleSkinSlider::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty()) {
        return QAccessibleWidget::text(t);
    }
    const QString tooltip = Slider()->TooltipText().trimmed();
    return tooltip.isEmpty() ? CAccessibleNames::Readable(Slider()->name) : tooltip;
}

QVariant CAccessibleSkinSlider::currentValue() const {
    return Slider()->GetPos();
}

void CAccessibleSkinSlider::setCurrentValue(const QVariant& value) {
    if (Slider()->IsEnabled()) {
        Slider()->SetPos(value.toInt());
    }
}

QVariant CAccessibleSkinSlider::maximumValue() const {
    return Slider()->GetRangeMax();
}

QVariant CAccessibleSkinSlider::minimumValue() const {
    return Slider()->GetRangeMin();
}

QVariant CAccessibleSkinSlider::minimumStepSize() const {
    return 1;
}

void CAccessibleSkinSlider::ValueChanged(CSkinSlider* slider) {
    QAccessibleValueChangeEvent event(slider, slider->GetPos());
    QAccessible::updateAccessibility(&event);
}

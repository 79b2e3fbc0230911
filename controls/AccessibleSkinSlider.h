#pragma once

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>

class CSkinSlider;

// A skinned slider on the accessibility bus: its tooltip or readable record name, and its
// position as the value.
class CAccessibleSkinSlider : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit CAccessibleSkinSlider(CSkinSlider* slider);

    void* interface_cast(QAccessible::InterfaceType t) override;
    QString text(QAccessible::Text t) const override;

    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // Tells the bus that the position of `slider` changed.
    static void ValueChanged(CSkinSlider* slider);

private:
    CSkinSlider* Slider() const;
};

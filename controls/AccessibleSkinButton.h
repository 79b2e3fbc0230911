#pragma once

#include <QAccessibleWidget>

class CSkinButton;

// A skinned button on the accessibility bus: a push button, or a check box or option button
// with its checked state, pressed through the same path as a click.
class CAccessibleSkinButton : public QAccessibleWidget {
public:
    explicit CAccessibleSkinButton(CSkinButton* button);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

    // Tells the bus that the checked state of `button` changed.
    static void LatchChanged(CSkinButton* button);

private:
    CSkinButton* Button() const;
    bool Checkable() const;
};

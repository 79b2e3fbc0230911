#pragma once

#include <QAccessibleWidget>

class CSkinComboBox;

// The combo box on the accessibility bus: a combo box whose value is the chosen text, open or
// closed, with an action that opens and closes the list.
class CAccessibleSkinComboBox : public QAccessibleWidget {
public:
    explicit CAccessibleSkinComboBox(CSkinComboBox* combo);

    QString text(QAccessible::Text t) const override;
    QAccessible::State state() const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;

private:
    CSkinComboBox* Combo() const;
};

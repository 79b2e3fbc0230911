#pragma once

#include "controls/SkinListBox.h"

#include <QPointer>

class CSkinComboBox;

// The drop-down list of a combo box: one column of unnumbered texts; a click on a row puts
// its text into the combo box's edit part and closes the list; a click below the rows empties
// the edit part.
class CComboList : public CSkinListBox {
    Q_OBJECT

public:
    explicit CComboList(QWidget* parent = nullptr);

    void SetCombo(CSkinComboBox* combo);

protected:
    QStringList RowTexts(int row, const QString& text) const override;
    int TextColumn() const override { return 0; }
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void RowClicked();

    QPointer<CSkinComboBox> m_combo;
};

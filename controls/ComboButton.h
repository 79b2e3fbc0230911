#pragma once

#include "controls/SkinButton.h"

#include <QPointer>

class CSkinComboBox;

// The drop-down button of a combo box: a skin button whose click opens or closes the list
// of its own combo box and reports nothing to the window.
class CComboButton : public CSkinButton {
    Q_OBJECT

public:
    explicit CComboButton(QWidget* parent = nullptr);

    void SetCombo(CSkinComboBox* combo);

protected:
    void Clicked() override;

private:
    QPointer<CSkinComboBox> m_combo;
};

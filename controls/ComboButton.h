#pragma once

#include "controls/SkinButton.h"

class CSkinComboBox;

// The drop-down button of a combo box: a skin button whose click opens or closes the list
// of its own combo box and reports nothing to the window.
class CComboButton : public CSkinButton {
    Q_OBJECT

public:
    explicit CComboButton(QWidget* parent = nullptr);

    void SetCombo(CSkinComboBox* combo) { m_combo = combo; }

protected:
    void Clicked() override;

private:
    CSkinComboBox* m_combo = nullptr;
};

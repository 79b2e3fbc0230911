#include "controls/ComboButton.h"

#include "controls/SkinComboBox.h"

CComboButton::CComboButton(QWidget* parent) : CSkinButton(parent) {}

void CComboButton::SetCombo(CSkinComboBox* combo) {
    m_combo = combo;
}

void CComboButton::Clicked() {
    if (m_combo) {
        m_combo->ToggleList();
    }
}

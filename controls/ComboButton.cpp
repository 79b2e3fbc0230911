#include "controls/ComboButton.h"

#include "controls/SkinComboBox.h"

CComboButton::CComboButton(QWidget* parent) : CSkinButton(parent) {}

void CComboButton::Clicked() {
    if (m_combo != nullptr) {
        m_combo->ToggleList();
    }
}

#include "controls/ComboKeys.h"

#include "controls/SkinComboBox.h"

#include <QKeyEvent>

namespace {

bool IsOpenKey(int key, Qt::KeyboardModifiers modifiers) {
    return key == Qt::Key_F4 ||
           ((key == Qt::Key_Down || key == Qt::Key_Up) && modifiers == Qt::AltModifier);
}

} // namespace

CComboKeys::CComboKeys(CSkinComboBox* combo) : QObject(combo), m_combo(combo) {}

bool CComboKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    if (watched == m_combo->ListPart()) {
        return OnList(key->key(), key->modifiers());
    }
    return OnEditOrButton(key->key(), key->modifiers());
}

bool CComboKeys::OnEditOrButton(int key, Qt::KeyboardModifiers modifiers) {
    if (!IsOpenKey(key, modifiers)) {
        return false;
    }
    if (m_combo->IsClosed()) {
        Open();
    } else {
        Close();
    }
    return true;
}

bool CComboKeys::OnList(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space) {
        ChooseCurrent();
        return true;
    }
    if (key == Qt::Key_Escape || IsOpenKey(key, modifiers)) {
        Close();
        return true;
    }
    return false;
}

void CComboKeys::Open() {
    CComboList* list = m_combo->ListPart();
    if (list == nullptr) {
        return;
    }
    m_combo->ToggleList();
    if (!list->currentIndex().isValid() && list->ItemCount() > 0) {
        list->setCurrentIndex(list->model()->index(0, 0));
    }
    list->setFocus(Qt::OtherFocusReason);
}

void CComboKeys::Close() {
    if (!m_combo->IsClosed()) {
        m_combo->ToggleList();
    }
    FocusEdit();
}

// As a click on the row: its text goes into the edit part and the list closes.
void CComboKeys::ChooseCurrent() {
    const CComboList* list = m_combo->ListPart();
    const int row = list ? list->currentIndex().row() : -1;
    m_combo->SelectString(row >= 0 ? list->ItemText(row, 0) : QString());
    FocusEdit();
}

void CComboKeys::FocusEdit() {
    if (CComboEdit* edit = m_combo->EditPart()) {
        edit->setFocus(Qt::OtherFocusReason);
    }
}

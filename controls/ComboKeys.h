#pragma once

#include <QObject>

class CSkinComboBox;

// The combo box's keys, watched on its parts: Alt+Down (or F4) on the edit or button part opens
// the list and puts the focus in it; there the arrows move, Return or Space chooses the row
// and Escape closes the list, and the focus goes back to the edit part.
class CComboKeys : public QObject {
    Q_OBJECT

public:
    explicit CComboKeys(CSkinComboBox* combo);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OnEditOrButton(int key, Qt::KeyboardModifiers modifiers);
    bool OnList(int key, Qt::KeyboardModifiers modifiers);
    void Open();
    void Close();
    void ChooseCurrent();
    void FocusEdit();

    CSkinComboBox* m_combo;
};

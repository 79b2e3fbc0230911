#include "controls/ComboEdit.h"

CComboEdit::CComboEdit(QWidget* parent) : CSkinEdit(parent) {
    SetBkColour(0);
    SetTextColour(0);
    SetFrameColour(0);
}

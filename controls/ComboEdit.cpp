#include "controls/ComboEdit.h"

CComboEdit::CComboEdit(QWidget* parent) : CSkinEdit(parent) {
    SetColours(0, 0);
    SetFrameColour(0);
}

#pragma once

#include "controls/SkinEdit.h"

// The text field of a combo box: an edit box whose colours all start black.
class CComboEdit : public CSkinEdit {
    Q_OBJECT

public:
    explicit CComboEdit(QWidget* parent = nullptr);
};

#pragma once

#include "skin/SkinRecords.h"

#include <QFont>

class CLabel;
class CSkinButton;
class CSkinCheck;
class CSkinComboBox;
class CSkinEdit;
class CSkinListBox;
class CSkinOption;
class CSkinSlider;
class QWidget;

// Makes one skinned control from its record, as a visible child of `parent` at the record's
// rectangle, with every property the record gives. The caller owns the control.
class CSkinControlBuilder {
public:
    static constexpr int kListFontHeight = 18;
    static constexpr int kListFontWidth = 10;

    // Lists and the lists of combo boxes are given `listFont`, made by ListFont().
    CSkinControlBuilder(COLORREF transparentColour, const QFont& listFont);

    // Costly to make, the same for every skin: made once by the window.
    static QFont ListFont();

    CSkinButton* Button(QWidget* parent, const ButtonRecord& record) const;
    CSkinSlider* Slider(QWidget* parent, const SliderRecord& record) const;
    CSkinOption* Option(QWidget* parent, const LatchRecord& record) const;
    CSkinCheck* Check(QWidget* parent, const LatchRecord& record) const;
    // A label without name or index: the caption.
    CLabel* Caption(QWidget* parent, const LabelRecord& record) const;
    CLabel* Label(QWidget* parent, const LabelRecord& record) const;
    CSkinEdit* Edit(QWidget* parent, const EditRecord& record) const;
    CSkinListBox* ListBox(QWidget* parent, const ListBoxRecord& record) const;
    // The combo box frame with its button, edit and list parts, all children of `parent`.
    CSkinComboBox* ComboBox(QWidget* parent, const ComboBoxRecord& record) const;

private:
    void SetUpButton(CSkinButton& button, const std::string& bitmap, const Rect& rect, int index,
                     const std::string& name, const std::string& tooltip, bool latchOnly) const;
    void SetUpLatch(CSkinButton& button, const LatchRecord& record) const;

    void SetListFont(CSkinListBox& list) const;

    COLORREF m_transparentColour;
    QFont m_listFont;
};

#include "skin/SkinControlBuilder.h"

#include "controls/Label.h"
#include "controls/ListFont.h"
#include "controls/SkinButton.h"
#include "controls/SkinCheck.h"
#include "controls/SkinComboBox.h"
#include "controls/SkinEdit.h"
#include "controls/SkinListBox.h"
#include "controls/SkinOption.h"
#include "controls/SkinSlider.h"
#include "platform/QtConvert.h"

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

template <typename Control> Control* Place(Control* control, const Rect& rect) {
    control->setGeometry(ToQRect(rect));
    control->show();
    return control;
}

void SetListColours(CSkinListBox& list, const ListColours& colours) {
    list.SetColours(colours.normalBackground, colours.normalText, colours.selectedBackground,
                    colours.selectedText);
}

void SetLabelText(CLabel& label, const LabelRecord& record) {
    label.SetText(Text(record.text));
    label.SetFontName(Text(record.fontFace));
    label.SetFontSize(record.fontSize);
    label.SetTextColour(record.textColour);
    label.update();
}

} // namespace

CSkinControlBuilder::CSkinControlBuilder(COLORREF transparentColour, const QFont& listFont)
    : m_transparentColour(transparentColour), m_listFont(listFont) {}

QFont CSkinControlBuilder::ListFont() {
    return CListFont::Make(QStringLiteral("Arial"), kListFontHeight, kListFontWidth);
}

void CSkinControlBuilder::SetListFont(CSkinListBox& list) const {
    list.setFont(m_listFont);
}

void CSkinControlBuilder::SetUpButton(CSkinButton& button, const std::string& bitmap,
                                      const Rect& rect, int index, const std::string& name,
                                      const std::string& tooltip, bool latchOnly) const {
    button.SetTransparentColour(m_transparentColour);
    button.LoadSkinBitmap(bitmap, rect.left, rect.top, rect.right, rect.bottom);
    button.index = index;
    button.name = Text(name);
    button.SetTooltipText(Text(tooltip), true);
    button.latchOnly = latchOnly ? 1 : 0;
}

void CSkinControlBuilder::SetUpLatch(CSkinButton& button, const LatchRecord& record) const {
    SetUpButton(button, record.bitmap, record.rect, record.index, record.name, record.tooltip,
                record.latchOnly);
    button.SetLatched(record.latched ? 1 : 0);
}

CSkinButton* CSkinControlBuilder::Button(QWidget* parent, const ButtonRecord& record) const {
    auto* button = Place(new CSkinButton(parent), record.rect);
    SetUpButton(*button, record.bitmap, record.rect, record.index, record.name, record.tooltip,
                record.latchOnly);
    return button;
}

CSkinSlider* CSkinControlBuilder::Slider(QWidget* parent, const SliderRecord& record) const {
    auto* slider = Place(new CSkinSlider(parent), record.rect);
    slider->SetTransparentColour(m_transparentColour);
    slider->SetChannelBitmap(record.channelBitmap);
    slider->SetThumbBitmaps(record.thumbBitmap, record.thumbActiveBitmap, true);
    slider->SetDrawFocusRect(false, false);
    slider->index = record.index;
    slider->name = Text(record.name);
    slider->SetTooltipText(Text(record.tooltip), true);
    slider->SetRange(0, SliderRecord::kMaxPosition, false);
    slider->SetPageSize(SliderRecord::kMaxPosition / 10); // Page keys move a tenth of the range
    slider->SetPos(record.position);
    if (record.vertical) {
        slider->SetVertical(true);
    }
    return slider;
}

CSkinOption* CSkinControlBuilder::Option(QWidget* parent, const LatchRecord& record) const {
    auto* option = Place(new CSkinOption(parent), record.rect);
    SetUpLatch(*option, record);
    return option;
}

CSkinCheck* CSkinControlBuilder::Check(QWidget* parent, const LatchRecord& record) const {
    auto* check = Place(new CSkinCheck(parent), record.rect);
    SetUpLatch(*check, record);
    return check;
}

CLabel* CSkinControlBuilder::Caption(QWidget* parent, const LabelRecord& record) const {
    auto* caption = Place(new CLabel(parent), record.rect);
    SetLabelText(*caption, record);
    return caption;
}

CLabel* CSkinControlBuilder::Label(QWidget* parent, const LabelRecord& record) const {
    auto* label = Place(new CLabel(parent), record.rect);
    label->index = record.index;
    label->name = Text(record.name);
    SetLabelText(*label, record);
    return label;
}

CSkinEdit* CSkinControlBuilder::Edit(QWidget* parent, const EditRecord& record) const {
    auto* edit = Place(new CSkinEdit(parent), record.rect);
    edit->index = record.index;
    edit->name = Text(record.name);
    edit->SetColours(record.backgroundColour, record.textColour);
    edit->SetFrameColour(record.borderColour);
    edit->setEnabled(record.enabled);
    return edit;
}

CSkinListBox* CSkinControlBuilder::ListBox(QWidget* parent, const ListBoxRecord& record) const {
    auto* list = Place(new CSkinListBox(parent), record.rect);
    SetListColours(*list, record.colours);
    list->index = record.index;
    list->name = Text(record.name);
    SetListFont(*list);
    list->SetScrollBarImages(record.scrollBitmaps);
    list->InsertColumn(Qt::AlignRight, CSkinListBox::kNumberColumnWidth);
    list->InsertColumn(Qt::AlignLeft, list->viewport()->width() - list->ScrollBar()->width() -
                                          CSkinListBox::kTextColumnMargin);
    return list;
}

CSkinComboBox* CSkinControlBuilder::ComboBox(QWidget* parent, const ComboBoxRecord& record) const {
    const Rect& r = record.rect;
    auto* combo = Place(new CSkinComboBox(parent), r);
    combo->index = record.index;
    combo->name = Text(record.name);
    combo->LoadButtonMetrics(record.bitmap);
    combo->SetRects(r.left, r.top, r.right, r.bottom);

    const Rect& b = combo->ButtonRect();
    auto* button = Place(new CComboButton(parent), b);
    combo->SetButtonPart(button);
    button->LoadSkinBitmap(record.bitmap, b.left, b.top, b.right, b.bottom);
    button->latchOnly = 0;
    button->name = QStringLiteral("COMBO_BTN");

    auto* edit = Place(new CComboEdit(parent), combo->EditRect());
    combo->SetEditPart(edit);
    edit->name = QStringLiteral("COMBO_EDIT");
    edit->SetColours(record.editBackground, record.editText);
    edit->SetFrameColour(record.editBorder);
    edit->setEnabled(true);

    auto* list = Place(new CComboList(parent), combo->ListRect());
    combo->SetListPart(list);
    list->name = QStringLiteral("COMBO_LIST");
    SetListColours(*list, record.listColours);
    SetListFont(*list);
    list->SetScrollBarImages(record.scrollBitmaps);
    list->InsertColumn(Qt::AlignLeft, list->viewport()->width());
    list->ScrollBar()->hide();
    list->hide();
    return combo;
}

#include "controls/SkinComboBox.h"

#include "controls/ComboButton.h"
#include "controls/ComboEdit.h"
#include "controls/ComboKeys.h"
#include "controls/ComboList.h"
#include "controls/EditFrame.h"
#include "controls/SkinScrollBar.h"
#include "platform/QtConvert.h"
#include "platform/SkinImage.h"

CSkinComboBox::CSkinComboBox(QWidget* parent) : QWidget(parent), m_keys(new CComboKeys(this)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    if (parent != nullptr) {
        m_listFrame = new CEditFrame(parent);
        m_listFrame->hide();
    }
}

CSkinComboBox::~CSkinComboBox() {
    delete m_listFrame;
}

void CSkinComboBox::LoadButtonMetrics(const std::string& path) {
    if (path.empty()) {
        return;
    }
    const CSkinImage strip = CSkinImage::FromFile(path);
    m_frameWidth = strip.Width() / 4;
    m_frameHeight = strip.Height();
}

// The list is at least kMinListHeight pixels high, whatever the skin rectangle says.
void CSkinComboBox::SetRects(int left, int top, int right, int bottom) {
    const int fw = m_frameWidth;
    const int fh = m_frameHeight;
    m_editRect = Rect{left, top, right - fw, top + fh};
    m_buttonRect = Rect{right - fw, top - 1, right, top + fh + 1};
    const int listTop = top + fh + 2;
    const int listBottom = bottom - listTop < kMinListHeight ? listTop + kMinListHeight : bottom;
    m_listRect = Rect{left, listTop, right - 1, listBottom};
    m_wholeRect = Rect{left, top, right, listBottom};
}

void CSkinComboBox::SetButtonPart(CComboButton* button) {
    m_button = button;
    if (m_button) {
        m_button->installEventFilter(m_keys);
        m_button->SetCombo(this);
    }
}

void CSkinComboBox::SetEditPart(CComboEdit* edit) {
    m_edit = edit;
    if (m_edit) {
        m_edit->installEventFilter(m_keys);
    }
}

void CSkinComboBox::SetListPart(CComboList* list) {
    m_list = list;
    if (m_list) {
        m_list->installEventFilter(m_keys);
        m_list->SetCombo(this);
    }
}

void CSkinComboBox::ToggleList() {
    if (m_list) {
        const bool open = m_closed;
        if (CSkinScrollBar* bar = m_list->ScrollBar()) {
            bar->setVisible(open);
            bar->raise();
        }
        m_list->setVisible(open);
        m_list->raise();
        ShowListFrame(open);
    }
    m_closed = !m_closed;
}

// Around the open list and its bar, in the edit part's frame colour. Hiding it, and the
// list, leaves the window to repaint what lay beneath: background, options and labels.
void CSkinComboBox::ShowListFrame(bool shown) {
    if (!m_listFrame) {
        return;
    }
    if (shown) {
        m_listFrame->SetColour(m_edit ? m_edit->FrameColour() : 0);
        m_listFrame->Surround(ToQRect(m_listRect));
        m_listFrame->raise();
    }
    m_listFrame->setVisible(shown);
}

void CSkinComboBox::AddString(const QString& text) {
    if (m_list) {
        m_list->AddItem(text);
    }
}

void CSkinComboBox::SelectString(const QString& text) {
    m_closed = false;
    if (m_edit) {
        m_edit->setText(text);
    }
    ToggleList();
}

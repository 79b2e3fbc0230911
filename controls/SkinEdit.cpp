#include "controls/SkinEdit.h"

#include "controls/EditFrame.h"
#include "controls/FontSize.h"
#include "platform/QtConvert.h"

#include <QPalette>

CSkinEdit::CSkinEdit(QWidget* parent) : QLineEdit(parent) {
    setFrame(false);
    if (parent != nullptr) {
        m_frame = new CEditFrame(parent);
        m_frame->SetColour(m_frameColour);
        PlaceFrame();
    }
    ApplyColours();
}

CSkinEdit::~CSkinEdit() {
    delete m_frame;
}

void CSkinEdit::SetBkColour(COLORREF colour) {
    m_bkColour = colour;
    ApplyColours();
}

void CSkinEdit::SetTextColour(COLORREF colour) {
    m_textColour = colour;
    ApplyColours();
}

void CSkinEdit::SetColours(COLORREF background, COLORREF text) {
    m_textColour = text;
    SetBkColour(background);
}

void CSkinEdit::SetFrameColour(COLORREF colour) {
    m_frameColour = colour;
    if (m_frame) {
        m_frame->SetColour(colour);
    }
}

void CSkinEdit::SetFontSize(int size) {
    m_fontSize = qBound(0, size, kMaxFontSize);
    BuildFont();
}

void CSkinEdit::SetFontStyle(int italic, int bold, int underline) {
    m_italic = italic;
    m_bold = bold;
    m_underline = underline;
    BuildFont();
}

void CSkinEdit::SetFontName(const QString& face) {
    m_faceName = face.left(kMaxFaceLength);
    BuildFont();
}

// The disabled state asks for the same colours as the editable one.
void CSkinEdit::ApplyColours() {
    QPalette colours = palette();
    for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, ToQColor(m_bkColour));
        colours.setColor(group, QPalette::Text, ToQColor(m_textColour));
    }
    setPalette(colours);
}

void CSkinEdit::BuildFont() {
    QFont built(m_faceName);
    const int height = CFontSize::PixelHeight(m_fontSize, logicalDpiY());
    if (height > 0) {
        built.setPixelSize(height);
    }
    built.setWeight(m_bold ? QFont::Bold : QFont::Normal);
    built.setItalic(m_italic != 0);
    built.setUnderline(m_underline != 0);
    setFont(built);
}

// The frame is drawn again whenever the box paints, as the box asks for its colours then.
void CSkinEdit::paintEvent(QPaintEvent* event) {
    QLineEdit::paintEvent(event);
    if (m_frame) {
        m_frame->update();
    }
}

void CSkinEdit::PlaceFrame() {
    if (m_frame) {
        m_frame->Surround(geometry());
        m_frame->stackUnder(this);
    }
}

void CSkinEdit::moveEvent(QMoveEvent* event) {
    QLineEdit::moveEvent(event);
    PlaceFrame();
}

void CSkinEdit::resizeEvent(QResizeEvent* event) {
    QLineEdit::resizeEvent(event);
    PlaceFrame();
}

void CSkinEdit::setVisible(bool visible) {
    QLineEdit::setVisible(visible);
    if (m_frame) {
        m_frame->setVisible(visible);
    }
}

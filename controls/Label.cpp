#include "controls/Label.h"

#include "controls/AccessibleLabel.h"
#include "controls/FontSize.h"
#include "controls/SkinHost.h"
#include "platform/QtConvert.h"

#include <QPainter>
#include <QtGlobal>

CLabel::CLabel(QWidget* parent) : QWidget(parent), m_font(font()) {}

void CLabel::SetText(const QString& text) {
    m_text = text;
    CAccessibleLabel::TextChanged(this);
}

void CLabel::SetTextColour(COLORREF colour) {
    m_textColour = colour;
}

void CLabel::SetFontName(const QString& face) {
    m_font.setFamily(face.left(kMaxFaceLength));
}

// A size that gives no height keeps the current one.
void CLabel::SetFontSize(int points) {
    const int tenths = qBound(0, points, kMaxPoints) * 10;
    const int height = CFontSize::PixelHeight(tenths, logicalDpiY());
    if (height > 0) {
        m_font.setPixelSize(height);
    }
}

void CLabel::SetFontBold(bool bold) {
    m_font.setWeight(bold ? QFont::Bold : QFont::Normal);
}

void CLabel::SetFontItalic(bool italic) {
    m_font.setItalic(italic);
}

void CLabel::SetFontUnderline(bool underline) {
    m_font.setUnderline(underline);
}

void CLabel::SetBkColour(COLORREF colour) {
    m_bkColour = colour;
}

void CLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (HasBackdrop()) {
        painter.drawImage(0, 0, m_backdrop);
    } else {
        TakeBackdrop();
    }
    DrawText(painter);
}

// Until then the parent's own painting shows under the label; afterwards the label covers
// itself, so a text change repaints only its own rectangle.
void CLabel::TakeBackdrop() {
    m_backdrop = CSkinHost::BackdropUnder(this);
    if (HasBackdrop()) {
        setAttribute(Qt::WA_OpaquePaintEvent);
    }
}

void CLabel::DrawText(QPainter& painter) const {
    QString text = m_text;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    painter.setFont(m_font);
    painter.setPen(ToQColor(m_textColour));
    painter.drawText(rect(), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, text);
}

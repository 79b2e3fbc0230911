#pragma once

#include "platform/WinTypes.h"

#include <QFont>
#include <QImage>
#include <QString>
#include <QWidget>

// Text in a chosen font and colour over the skin background, with no background of its
// own. The backdrop under the label is copied from the host's background at the first paint;
// later paints restore it first, so a changed text never shows the old one through.
class CLabel : public QWidget {
    Q_OBJECT

public:
    static constexpr int kMaxFaceLength = 31;
    static constexpr int kMaxPoints = 1000;

    explicit CLabel(QWidget* parent = nullptr);

    QString name;
    int index = 0;

    // No repaint: callers update() afterwards.
    void SetText(const QString& text);
    void SetTextColour(COLORREF colour);
    void SetFontName(const QString& face);
    void SetFontSize(int points);
    void SetFontBold(bool bold);
    void SetFontItalic(bool italic);
    void SetFontUnderline(bool underline);
    void SetBkColour(COLORREF colour);

    const QString& Text() const { return m_text; }
    COLORREF TextColour() const { return m_textColour; }
    // Kept for callers; the label never paints a background of its own.
    COLORREF BkColour() const { return m_bkColour; }
    const QFont& LabelFont() const { return m_font; }
    bool HasBackdrop() const { return !m_backdrop.isNull(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void TakeBackdrop();
    void DrawText(QPainter& painter) const;

    QImage m_backdrop;
    QString m_text;
    QFont m_font;
    COLORREF m_textColour = 0xFFFFFF;
    COLORREF m_bkColour = kNoColour;
};

#pragma once

#include "platform/WinTypes.h"

#include <QLineEdit>
#include <QPointer>
#include <QString>

class CEditFrame;

// Single-line edit box in skin colours with a one-pixel frame around it. It keeps the
// control's default font until one of the font operations is called.
class CSkinEdit : public QLineEdit {
    Q_OBJECT

public:
    static constexpr int kMaxFaceLength = 31;
    static constexpr int kMaxFontSize = 10000;

    explicit CSkinEdit(QWidget* parent = nullptr);
    ~CSkinEdit() override;

    QString name;
    int index = 0;

    void SetBkColour(COLORREF colour);
    void SetTextColour(COLORREF colour);
    // Both at once, with one palette change.
    void SetColours(COLORREF background, COLORREF text);
    void SetFrameColour(COLORREF colour);
    // Tenths of a point.
    void SetFontSize(int size);
    void SetFontStyle(int italic, int bold, int underline);
    void SetFontName(const QString& face);

    COLORREF BkColour() const { return m_bkColour; }
    COLORREF TextColour() const { return m_textColour; }
    COLORREF FrameColour() const { return m_frameColour; }
    // The frame is shown and hidden with the box.
    void setVisible(bool visible) override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ApplyColours();
    void BuildFont();
    void PlaceFrame();

    int m_fontSize = 200;
    COLORREF m_textColour = 0;
    COLORREF m_bkColour = 0xE7E498;
    COLORREF m_frameColour = 0xFFFFFF;
    int m_italic = 0;
    int m_bold = 0;
    int m_underline = 0;
    QString m_faceName = QStringLiteral("Arial");
    QPointer<CEditFrame> m_frame;
};

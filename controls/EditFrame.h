#pragma once

#include "platform/WinTypes.h"

#include <QWidget>

// The one-pixel outline just outside an edit box, on the parent's surface around it. It is
// a ring-shaped sibling beneath the edit box, so it never covers the box nor takes clicks.
class CEditFrame : public QWidget {
    Q_OBJECT

public:
    explicit CEditFrame(QWidget* parent);

    void SetColour(COLORREF colour) { m_colour = colour; }
    // Puts the ring around `box`, in the parent's coordinates.
    void Surround(const QRect& box);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COLORREF m_colour = 0xFFFFFF;
};

#pragma once

#include "menus/MenuColours.h"
#include "menus/MenuPlatform.h"

#include <QImage>
#include <QMargins>
#include <QPoint>
#include <QRect>
#include <QSize>

class CMenuWindowState;
class QPainter;
class QWidget;

// Everything the frame of family B is painted from, in window coordinates.
struct MenuFramePaint {
    QSize size;           // W, H: the whole window
    QRect client;         // where the menu draws its items
    int shadowMargin = 4; // m: 4 without platform shadows, 0 with them
    bool highContrast = false;
    int screenColours = 64000;
    MenuFrameColours colours;
    COLORREF buttonText = 0;   // COLOR_BTNTEXT (high-contrast outline)
    COLORREF buttonShadow = 0; // COLOR_BTNSHADOW (flat shadow)
    // B, the screen under the window, its (0, 0) at the window's top-left; pixels it does not
    // hold (null image, or a window grown past the capture) are `fallback`.
    QImage background;
    COLORREF fallback = 0;
};

// A menu drawing style (`CMenuDrawStyle`). Ten are created; only style 2 (family B,
// border flag 1) is ever selected, and only family B has drawing code.
class CMenuDrawStyle {
public:
    enum class Family { A, B };

    CMenuDrawStyle(int id, Family family, int borderFlag, const MenuPlatform& platform);
    virtual ~CMenuDrawStyle();

    int Id() const { return m_id; }
    Family DrawFamily() const { return m_family; }
    int BorderFlag() const { return m_borderFlag; }
    // The first inset: (2, 2) at left and top.
    QPoint FirstInset() const { return m_firstInset; }
    // The second inset at right and bottom: (2, 2) with platform shadows, else (5, 6).
    QPoint SecondInset() const { return m_secondInset; }
    // m: the band at right and bottom that holds the shadow.
    int ShadowMargin() const { return m_platform.dropShadows ? 0 : 4; }
    const MenuPlatform& Platform() const { return m_platform; }

    // The virtual operations, in their slot order.

    // Puts the frame's margins around the menu's contents (the equivalent of taking the
    // platform frame off and shrinking the client area) when `drawFlag` is set and the style
    // is active; answers whether it did.
    virtual bool RemoveFrameStyles(QWidget* window, const QMargins& saved, bool drawFlag) const;
    // Puts the saved margins back.
    virtual void RestoreFrameStyles(QWidget* window, const QMargins& saved) const;
    // Border flag bit 0.
    virtual bool IsActive() const { return (m_borderFlag & 1) != 0; }
    // Paints the frame (and the shadow) over the menu; nothing unless the style is active,
    // of family B, and the window has a state.
    virtual void DrawFrame(QWidget* window, const CMenuWindowState* state, QPainter& painter,
                           bool linesOnly) const;
    // Fills the client area (2 wider to the left, 1 narrower at the right when active) with
    // the menu colour.
    virtual void EraseBackground(QWidget* window, QPainter& painter) const;
    // The margins the frame adds around the contents: first inset at left and top, second
    // inset at right and bottom (zero when the style is not active).
    virtual QMargins AdjustNonClientSize() const;
    // Where the window goes instead of `position`: 1 higher when the style is active.
    virtual QPoint AdjustWindowPosition(const QPoint& position) const;
    // The window rectangle with 2 added at left and top and 7 (3 with platform shadows)
    // taken at right and bottom.
    virtual QRect FrameInterior(const QSize& windowSize) const;

    // The client area of a window of this size.
    QRect ClientRect(const QSize& windowSize) const;

    // Family B's frame: the light ring (unless `linesOnly`), then either the light outline,
    // the bar line, the dark outline and (for m > 0) the shadow, or in high contrast the one
    // button-text outline.
    static void PaintFrame(QPainter& painter, const MenuFramePaint& frame, bool linesOnly);
    // The soft shadow (more than 256 colours) or the flat one, in the band of width m = 4.
    static void PaintShadow(QPainter& painter, const MenuFramePaint& frame);

private:
    int m_id;
    Family m_family;
    int m_borderFlag;
    MenuPlatform m_platform;
    QPoint m_firstInset{2, 2};
    QPoint m_secondInset;
};

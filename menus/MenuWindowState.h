#pragma once

#include <QImage>
#include <QMargins>
#include <QPoint>

// What the hook keeps about one open popup menu (`CMenuWindowState`): created when
// the menu shows, deleted when it hides or is destroyed, so every opening starts afresh.
class CMenuWindowState {
public:
    // State bits.
    static constexpr unsigned kFromMenuSize = 1;       // never set here (no menu-size message)
    static constexpr unsigned kFrameStylesRemoved = 2; // the frame margins are in place
    static constexpr unsigned kClosedWithEscape = 4;   // Escape was pressed in the menu
    static constexpr unsigned kPrinting = 8;           // never set here (no WM_PRINT)

    // The menu's contents margins before the frame's were added (the window style and
    // extended style at subclassing time).
    QMargins savedMargins;
    // Last known position of the window, global; (0, 0) until recorded.
    QPoint position;
    unsigned bits = 0;
    // The frame has been painted once.
    bool framePainted = false;
    // The screen under the window captured before it showed: (width + 10) × (height + 10),
    // the window's top-left corner at (0, 0). Null once discarded (the window moved).
    QImage background;
    // Draw the frame: the hook's drawAllMenus switch (there are no owner-drawn menus here).
    bool drawFlag = true;
    // Cursor position at the last key press in the menu (the message position).
    QPoint lastKeyPosition;

    bool ClosedWithEscape() const { return (bits & kClosedWithEscape) != 0; }
};

#pragma once

#include "platform/WinTypes.h"

class QWidget;

// The colour rules of the menu frame, on 0x00BBGGRR colours.

// number × numerator / denominator rounded half away from zero, as the platform's MulDiv:
// -1 when the denominator is 0 or the result does not fit.
int MulDiv(int number, int numerator, int denominator);

// Each of red, green and blue multiplied by (255 − k) / 255.
COLORREF Darken(int k, COLORREF c);

// Each channel 86/100 of a plus 14/100 of b, each product rounded on its own.
COLORREF Blend(COLORREF a, COLORREF b);

// The colour a screen of this depth shows for c: itself from 24 bits up, 5-6-5 (16 bits) or
// 5-5-5 (15 bits) quantisation, and on palette screens (8 bits or fewer) the nearest of the
// twenty static colours of the default palette.
COLORREF NearestDeviceColour(COLORREF c, int depth);

// The system colours the frame is drawn with.
struct MenuSystemColours {
    COLORREF menu = 0;         // M: the menu colour rule
    COLORREF window = 0;       // COLOR_WINDOW
    COLORREF buttonFace = 0;   // COLOR_BTNFACE
    COLORREF buttonShadow = 0; // COLOR_BTNSHADOW
    COLORREF buttonText = 0;   // COLOR_BTNTEXT
};

struct MenuFrameColours {
    COLORREF light = 0;
    COLORREF dark = 0;
    COLORREF bar = 0;
};

// light = blend(window, menu); dark = darken(128, menu); bar = button face on screens of at
// most 256 colours, else blend(menu, window); when light and bar show as the same device
// colour, light := window and bar := menu.
MenuFrameColours ComputeFrameColours(const MenuSystemColours& system, int screenColours,
                                     int screenDepth);

// The menu colour: the menu's own background brush when it has one (a palette set on the
// menu itself that sets its background role), otherwise the platform's menu colour (the
// Button role of the application's palette for menus, where Qt's platform themes put the
// system menu colour).
COLORREF MenuColourOf(const QWidget* menu);

// The menu colour and the system colours, read from the menu's palette: COLOR_WINDOW is
// Base, COLOR_BTNFACE Button, COLOR_BTNSHADOW Dark, COLOR_BTNTEXT ButtonText (the mapping of
// Qt's own Windows theme).
MenuSystemColours SystemColoursOf(const QWidget* menu);

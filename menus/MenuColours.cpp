#include "menus/MenuColours.h"

#include "platform/QtConvert.h"

#include <QApplication>
#include <QPalette>
#include <QWidget>
#include <array>
#include <climits>
#include <cstdint>

int MulDiv(int number, int numerator, int denominator) {
    if (denominator == 0) {
        return -1;
    }
    std::int64_t a = number;
    std::int64_t d = denominator;
    if (d < 0) {
        a = -a;
        d = -d;
    }
    const std::int64_t product = a * numerator;
    // Round half away from zero: add half the divisor to a positive result, take it off a
    // negative one (C++ division truncates toward zero).
    const std::int64_t result = product >= 0 ? (product + d / 2) / d : (product - d / 2) / d;
    if (result > INT_MAX || result < -INT_MAX) {
        return -1;
    }
    return static_cast<int>(result);
}

COLORREF Darken(int k, COLORREF c) {
    const auto channel = [k](int v) { return static_cast<std::uint8_t>(MulDiv(v, 255 - k, 255)); };
    return Rgb(channel(RedOf(c)), channel(GreenOf(c)), channel(BlueOf(c)));
}

COLORREF Blend(COLORREF a, COLORREF b) {
    const auto channel = [](int x, int y) {
        return static_cast<std::uint8_t>(MulDiv(x, 86, 100) + MulDiv(y, 14, 100));
    };
    return Rgb(channel(RedOf(a), RedOf(b)), channel(GreenOf(a), GreenOf(b)),
               channel(BlueOf(a), BlueOf(b)));
}

namespace {

// The twenty static colours of the platform's default palette.
constexpr std::array<COLORREF, 20> kStaticColours = {
    Rgb(0, 0, 0),       Rgb(128, 0, 0),     Rgb(0, 128, 0),     Rgb(128, 128, 0),
    Rgb(0, 0, 128),     Rgb(128, 0, 128),   Rgb(0, 128, 128),   Rgb(192, 192, 192),
    Rgb(192, 220, 192), Rgb(166, 202, 240), Rgb(255, 251, 240), Rgb(160, 160, 164),
    Rgb(128, 128, 128), Rgb(255, 0, 0),     Rgb(0, 255, 0),     Rgb(255, 255, 0),
    Rgb(0, 0, 255),     Rgb(255, 0, 255),   Rgb(0, 255, 255),   Rgb(255, 255, 255),
};

std::uint8_t Quantise(std::uint8_t v, int bits) {
    const int kept = v >> (8 - bits);
    // Expand back by repeating the high bits, as a display does.
    return static_cast<std::uint8_t>(kept << (8 - bits) | kept >> (2 * bits - 8));
}

} // namespace

COLORREF NearestDeviceColour(COLORREF c, int depth) {
    if (depth >= 24) {
        return c & 0x00FFFFFF;
    }
    if (depth > 8) {
        const int green = depth >= 16 ? 6 : 5;
        return Rgb(Quantise(RedOf(c), 5), Quantise(GreenOf(c), green), Quantise(BlueOf(c), 5));
    }
    COLORREF best = kStaticColours[0];
    long bestDistance = LONG_MAX;
    for (COLORREF s : kStaticColours) {
        const long dr = long(RedOf(c)) - RedOf(s);
        const long dg = long(GreenOf(c)) - GreenOf(s);
        const long db = long(BlueOf(c)) - BlueOf(s);
        const long distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = s;
        }
    }
    return best;
}

MenuFrameColours ComputeFrameColours(const MenuSystemColours& system, int screenColours,
                                     int screenDepth) {
    MenuFrameColours colours;
    colours.light = Blend(system.window, system.menu);
    colours.dark = Darken(128, system.menu);
    colours.bar = screenColours <= 256 ? system.buttonFace : Blend(system.menu, system.window);
    if (NearestDeviceColour(colours.light, screenDepth) ==
        NearestDeviceColour(colours.bar, screenDepth)) {
        colours.light = system.window;
        colours.bar = system.menu;
    }
    return colours;
}

COLORREF MenuColourOf(const QWidget* menu) {
    const QPalette::ColorRole background = menu->backgroundRole();
    if (menu->testAttribute(Qt::WA_SetPalette) &&
        menu->palette().isBrushSet(QPalette::Active, background)) {
        return ToColorRef(menu->palette().color(QPalette::Active, background));
    }
    return ToColorRef(QApplication::palette(menu).color(QPalette::Active, QPalette::Button));
}

MenuSystemColours SystemColoursOf(const QWidget* menu) {
    const QPalette& palette = menu->palette();
    MenuSystemColours colours;
    colours.menu = MenuColourOf(menu);
    colours.window = ToColorRef(palette.color(QPalette::Active, QPalette::Base));
    colours.buttonFace = ToColorRef(palette.color(QPalette::Active, QPalette::Button));
    colours.buttonShadow = ToColorRef(palette.color(QPalette::Active, QPalette::Dark));
    colours.buttonText = ToColorRef(palette.color(QPalette::Active, QPalette::ButtonText));
    return colours;
}

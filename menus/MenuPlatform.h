#pragma once

// What the platform offers that the menu frame depends on, found once at start-up. Tests
// build one with chosen values.
struct MenuPlatform {
    // The platform draws drop shadows under popup menus itself (SPI_GETDROPSHADOW). Never so
    // on X11; on Windows the system setting, on macOS always.
    bool dropShadows = false;
    // High contrast is on: from the platform's accessibility setting where Qt offers one
    // (Qt 6.10 and later), else off.
    bool highContrast = false;
    // Bits per pixel of the primary screen.
    int screenDepth = 24;

    // The screen's colour count as the frame rules count it: 2^depth on palette screens, 64000 for
    // anything deeper (the platform answers −1 there).
    int ScreenColours() const { return screenDepth <= 8 ? 1 << screenDepth : 64000; }

    // Reads the running application's platform; needs a QGuiApplication.
    static MenuPlatform Detect();
};

#include "menus/MenuPlatform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyleHints>
#include <QtGlobal>

#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
#include <QAccessibilityHints>
#endif

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

bool PlatformDrawsMenuShadows() {
    const QString platform = QGuiApplication::platformName();
#ifdef Q_OS_WIN
    if (platform == QLatin1String("windows")) {
        BOOL shadows = FALSE;
        return SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &shadows, 0) && shadows;
    }
#endif
    // The macOS window server shadows every popup; X11 (with or without a compositing
    // manager), Wayland and the offscreen platform draw none for a Qt menu.
    return platform == QLatin1String("cocoa");
}

bool HighContrastOn() {
#if QT_VERSION >= QT_VERSION_CHECK(6, 10, 0)
    return QGuiApplication::styleHints()->accessibility()->contrastPreference() ==
           Qt::ContrastPreference::HighContrast;
#else
    return false; // Qt offers no accessibility setting for it before 6.10
#endif
}

} // namespace

MenuPlatform MenuPlatform::Detect() {
    MenuPlatform platform;
    platform.dropShadows = PlatformDrawsMenuShadows();
    platform.highContrast = HighContrastOn();
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        platform.screenDepth = screen->depth();
    }
    return platform;
}

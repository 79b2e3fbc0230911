#include "platform/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

QtScreen::QtScreen(const QWidget* window) : m_window(window) {}

QScreen* QtScreen::Current() const {
    if (m_window) {
        if (QScreen* screen = m_window->screen()) {
            return screen;
        }
    }
    return QGuiApplication::primaryScreen();
}

QRect QtScreen::Geometry() const {
    const QScreen* screen = Current();
    return screen ? screen->geometry() : QRect();
}

QRect QtScreen::WorkArea() const {
    const QScreen* screen = Current();
    return screen ? screen->availableGeometry() : QRect();
}

#pragma once

#include "platform/Screen.h"

#include <QPointer>
#include <QWidget>

class QScreen;

// The screen that `window` is on, or the primary screen when there is no window (or it is
// gone). Asked afresh on every call, so a window moved to another screen is followed.
class QtScreen : public Screen {
public:
    explicit QtScreen(const QWidget* window);

    QRect Geometry() const override;
    QRect WorkArea() const override;

private:
    QScreen* Current() const;

    QPointer<const QWidget> m_window;
};

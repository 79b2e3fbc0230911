#pragma once

#include "platform/WinTypes.h"

#include <QColor>
#include <QRect>

// The one place where skin values become Qt values.

inline QRect ToQRect(const Rect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}

inline Rect ToRect(const QRect& r) {
    return Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

inline QColor ToQColor(COLORREF c) {
    return QColor(RedOf(c), GreenOf(c), BlueOf(c));
}

inline COLORREF ToColorRef(const QColor& c) {
    return Rgb(c.red(), c.green(), c.blue());
}

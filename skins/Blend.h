#pragma once

#include <QColor>
#include <cmath>

// `from` moved the fraction `t` of the way towards `to`.
inline QColor Blend(const QColor& from, const QColor& to, double t) {
    auto channel = [t](int a, int b) { return int(std::lround(a + (b - a) * t)); };
    return QColor(channel(from.red(), to.red()), channel(from.green(), to.green()),
                  channel(from.blue(), to.blue()));
}

inline QColor Greyed(const QColor& c) {
    const int g = qGray(c.rgb());
    return QColor(g, g, g);
}

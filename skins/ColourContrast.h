#pragma once

#include <QColor>

// Legibility of text colours by the relative-luminance contrast ratio (1 to 21).
class CColourContrast {
public:
    static double Luminance(const QColor& c);
    static double Ratio(const QColor& a, const QColor& b);
    // `text`, moved towards black or white until it stands out from both backdrops by at
    // least `minimum`; unchanged when it already does.
    static QColor Legible(const QColor& text, const QColor& backA, const QColor& backB,
                          double minimum);
};

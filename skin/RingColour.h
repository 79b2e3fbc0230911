#pragma once

#include <QColor>
#include <QImage>
#include <QRegion>

// The colour of the focus ring, chosen against the skin background it is drawn over.
class CRingColour {
public:
    // The least contrast a ring must have with every background pixel it borders.
    static constexpr double kMinContrast = 3.0;

    // The contrast ratio of two colours, from 1 (equal) to 21 (black and white).
    static double Contrast(QRgb a, QRgb b);
    // The lowest contrast of `colour` against the pixels of `background` inside `area`; 21
    // when the area holds none of them.
    static double WorstContrast(const QColor& colour, const QImage& background,
                                const QRegion& area);
    // The lowest contrast between the pixels of `picture`, placed at `at`, and the background
    // pixels they cover inside `area`.
    static double WorstContrast(const QImage& picture, const QPoint& at, const QImage& background,
                                const QRegion& area);
    // The first of amber, blue, white and black that reaches kMinContrast against every pixel
    // of `background` inside `area`; when none does, the one that comes closest.
    static QColor Against(const QImage& background, const QRegion& area);
    // The ring `area` (in background coordinates) painted for the place `outer`: in the colour
    // Against chooses when it reaches kMinContrast, else pixel by pixel in black or white,
    // whichever stands out more from the pixel behind (at least 4.5:1 either way).
    static QImage Paint(const QImage& background, const QRect& outer, const QRegion& area);

private:
    static QRgb Extreme(QRgb behind);
    static double Luminance(QRgb colour);
};

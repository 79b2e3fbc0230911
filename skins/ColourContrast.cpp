#include "skins/ColourContrast.h"

#include "skins/Blend.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double WorstRatio(const QColor& text, const QColor& a, const QColor& b) {
    return std::min(CColourContrast::Ratio(text, a), CColourContrast::Ratio(text, b));
}

} // namespace

double CColourContrast::Luminance(const QColor& c) {
    return 0.2126 * Linear(c.red()) + 0.7152 * Linear(c.green()) + 0.0722 * Linear(c.blue());
}

double CColourContrast::Ratio(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor CColourContrast::Legible(const QColor& text, const QColor& backA, const QColor& backB,
                                double minimum) {
    if (WorstRatio(text, backA, backB) >= minimum) {
        return text;
    }
    // Prefer the direction away from the backdrop; fall back to the other one.
    const double backLuminance = (Luminance(backA) + Luminance(backB)) / 2;
    const QColor away = backLuminance > 0.18 ? QColor(0, 0, 0) : QColor(255, 255, 255);
    const QColor other = backLuminance > 0.18 ? QColor(255, 255, 255) : QColor(0, 0, 0);
    for (const QColor& target : {away, other}) {
        for (int step = 1; step <= 20; ++step) {
            const QColor candidate = Blend(text, target, step / 20.0);
            if (WorstRatio(candidate, backA, backB) >= minimum) {
                return candidate;
            }
        }
    }
    return WorstRatio(away, backA, backB) >= WorstRatio(other, backA, backB) ? away : other;
}

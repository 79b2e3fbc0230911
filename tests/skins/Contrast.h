#pragma once

#include <QColor>
#include <algorithm>
#include <cmath>

namespace tipin::test {

// The WCAG contrast ratio of two colours, measured independently of the generator's own.
inline double RelativeLuminance(QRgb c) {
    auto linear = [](int v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

inline double ContrastRatio(QRgb a, QRgb b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

inline constexpr double kMinimumContrast = 4.5;

} // namespace tipin::test

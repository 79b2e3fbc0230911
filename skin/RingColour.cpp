#include "skin/RingColour.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

constexpr double kMaxContrast = 21.0;

double Linear(int channel) {
    const double c = channel / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double CRingColour::Luminance(QRgb colour) {
    return 0.2126 * Linear(qRed(colour)) + 0.7152 * Linear(qGreen(colour)) +
           0.0722 * Linear(qBlue(colour));
}

double CRingColour::Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

double CRingColour::WorstContrast(const QColor& colour, const QImage& background,
                                  const QRegion& area) {
    double worst = kMaxContrast;
    for (const QRect& rect : area.intersected(background.rect())) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                worst = std::min(worst, Contrast(colour.rgb(), background.pixel(x, y)));
            }
        }
    }
    return worst;
}

QColor CRingColour::Against(const QImage& background, const QRegion& area) {
    static const std::array<QColor, 4> kChoices{QColor(0xFF, 0xB0, 0x00), QColor(0x1E, 0x50, 0xDC),
                                                QColor(Qt::white), QColor(Qt::black)};
    QColor best = kChoices.back();
    double bestContrast = 0;
    for (const QColor& choice : kChoices) {
        const double contrast = WorstContrast(choice, background, area);
        if (contrast >= kMinContrast) {
            return choice;
        }
        if (contrast > bestContrast) {
            best = choice;
            bestContrast = contrast;
        }
    }
    return best;
}

double CRingColour::WorstContrast(const QImage& picture, const QPoint& at, const QImage& background,
                                  const QRegion& area) {
    double worst = kMaxContrast;
    for (const QRect& rect : area.intersected(background.rect())) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                const QRgb ring = picture.pixel(x - at.x(), y - at.y());
                worst = std::min(worst, Contrast(ring, background.pixel(x, y)));
            }
        }
    }
    return worst;
}

QRgb CRingColour::Extreme(QRgb behind) {
    const QRgb white = qRgb(255, 255, 255);
    const QRgb black = qRgb(0, 0, 0);
    return Contrast(white, behind) >= Contrast(black, behind) ? white : black;
}

QImage CRingColour::Paint(const QImage& background, const QRect& outer, const QRegion& area) {
    QImage picture(outer.size(), QImage::Format_ARGB32);
    const QColor colour = Against(background, area);
    picture.fill(colour);
    if (WorstContrast(colour, background, area) >= kMinContrast) {
        return picture;
    }
    for (const QRect& rect : area.intersected(background.rect())) {
        for (int y = rect.top(); y <= rect.bottom(); ++y) {
            for (int x = rect.left(); x <= rect.right(); ++x) {
                picture.setPixel(x - outer.left(), y - outer.top(),
                                 Extreme(background.pixel(x, y)));
            }
        }
    }
    return picture;
}

#include "skin/CutPixelCount.h"

namespace {

bool IsCut(const QImage& image, int x, int y, bool cutting, QRgb cut) {
    if (x >= image.width() || y >= image.height()) {
        return true;
    }
    return cutting && (image.pixel(x, y) | 0xFF000000u) == cut;
}

} // namespace

CCutPixelCount::CCutPixelCount(const QImage& background, COLORREF cut, int width, int height)
    : m_width(width + 1), m_sums(std::size_t(width + 1) * std::size_t(height + 1), 0) {
    const bool cutting = cut != kNoColour;
    const QRgb cutPixel = qRgb(RedOf(cut), GreenOf(cut), BlueOf(cut));
    for (int y = 0; y < height; ++y) {
        std::int64_t row = 0;
        for (int x = 0; x < width; ++x) {
            row += IsCut(background, x, y, cutting, cutPixel) ? 1 : 0;
            m_sums[std::size_t(y + 1) * m_width + std::size_t(x + 1)] = At(x + 1, y) + row;
        }
    }
}

std::int64_t CCutPixelCount::At(int x, int y) const {
    return m_sums[std::size_t(y) * std::size_t(m_width) + std::size_t(x)];
}

std::int64_t CCutPixelCount::CountIn(const Rect& r) const {
    if (m_sums.empty()) {
        return 0;
    }
    return At(r.right, r.bottom) - At(r.left, r.bottom) - At(r.right, r.top) + At(r.left, r.top);
}

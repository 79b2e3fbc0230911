#pragma once

#include "platform/WinTypes.h"

#include <QImage>
#include <cstdint>
#include <vector>

// How many pixels of a rectangle are cut from a background (its transparent colour, or
// beyond its edge), answered in constant time from sums over the window's area, so checking
// many controls costs no pass over their pixels.
class CCutPixelCount {
public:
    CCutPixelCount() = default;
    CCutPixelCount(const QImage& background, COLORREF cut, int width, int height);

    // `rect` must lie within the area given at construction.
    std::int64_t CountIn(const Rect& rect) const;

private:
    std::int64_t At(int x, int y) const;

    int m_width = 0;
    std::vector<std::int64_t> m_sums;
};

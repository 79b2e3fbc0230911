#pragma once

#include "platform/WinTypes.h"

#include <QImage>
#include <QRegion>

// The outline of a bitmap: the area of its pixels whose colour differs from a cut colour,
// as a window mask. Built from horizontal runs of kept pixels, rows with the same runs
// merged, so it costs one pass over the pixels whatever the shape.
class CImageOutline {
public:
    // An outline needing more rectangles than this is not built: the window server would get
    // a shape request of megabytes.
    static constexpr std::size_t kMaxRects = 65536;

    // Pixels of `cut` are outside; kNoColour cuts nothing. Only the first `width` columns
    // count (all of them when `width` is negative or wider than the image). `anyCut`, when
    // given, tells whether at least one pixel was cut. An outline of more than kMaxRects
    // rectangles gives an empty region, and `tooComplex`, when given, tells so.
    static QRegion Of(const QImage& image, COLORREF cut, int width = -1, bool* anyCut = nullptr,
                      bool* tooComplex = nullptr);

private:
    static QRegion Trace(const QImage& image, COLORREF cut, int width, bool* anyCut,
                         bool* tooComplex);
};

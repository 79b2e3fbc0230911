#pragma once

#include "platform/WinTypes.h"

#include <QImage>
#include <QRegion>

// The outline of a bitmap: the area of its pixels whose colour differs from a cut colour,
// as a window mask. Built from horizontal runs of kept pixels, rows with the same runs
// merged, so it costs one pass over the pixels whatever the shape.
class CImageOutline {
public:
    // Pixels of `cut` are outside; kNoColour cuts nothing. Only the first `width` columns
    // count (all of them when `width` is negative or wider than the image). `anyCut`, when
    // given, tells whether at least one pixel was cut.
    static QRegion Of(const QImage& image, COLORREF cut, int width = -1, bool* anyCut = nullptr);
};

#pragma once

#include <QImage>
#include <QRegion>
#include <optional>

// The window outline of the popup's bitmap: the rectangle of the bitmap with every pixel of
// one colour taken out. Only the first columns up to a multiple of 4 count (a 203-pixel-wide
// bitmap gives a 200-pixel-wide outline), as the 24-bit rows of the original were read.
//
// Built from horizontal runs of kept pixels, identical neighbouring rows merged into one
// band: one pass over the pixels, never one 1x1 region per pixel.
class CBitmapOutline {
public:
    // Pixels whose red, green and blue equal the arguments are outside; a value outside
    // 0..255 matches no pixel. No outline at all (nullopt) when no row can be read, that is
    // when the width used is 0 or the bitmap is empty.
    static std::optional<QRegion> Of(const QImage& bitmap, int red, int green, int blue);

    // The width the outline covers: the bitmap's width cut down to a multiple of 4.
    static int UsedWidth(int bitmapWidth) { return bitmapWidth - bitmapWidth % 4; }
};

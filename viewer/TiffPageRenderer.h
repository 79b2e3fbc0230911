#pragma once

#include "viewer/TiffResults.h"

#include <string>

struct tiff;

// Draws one page of a file fitted into a box, keeping its aspect ratio on paper (pixels that
// the resolution tags say are not square are drawn as they would print). The page is decoded
// piece by piece (a tile of at most kMaxTileBytes, or a band of rows of at most kBandBytes) through
// libtiff's RGBA conversion, so every photometric and compression libtiff decodes is shown and the
// memory used does not grow with the page.
class TiffPageRenderer {
public:
    // Small enough to stay in cache and to spare page faults on a fresh buffer; a strip
    // taller than a band is decoded again from its start for each band, which is cheap.
    static constexpr std::size_t kBandBytes = 4u << 20;
    static constexpr std::size_t kMaxTileBytes = 32u << 20;

    // `page` counts from 1; the result is at most `boxWidth` x `boxHeight`.
    static RenderResult Render(const std::string& path, int page, int boxWidth, int boxHeight,
                               bool enlarge);
    // The page `tif` is on, for callers that checked the file already; throws TiffError.
    static RgbaImage RenderDirectory(tiff* tif, int boxWidth, int boxHeight, bool enlarge);
};

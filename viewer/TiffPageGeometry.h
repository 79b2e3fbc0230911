#pragma once

#include "viewer/TiffIfd.h"
#include "viewer/TiffSourceFile.h"

#include <cstdint>

// The layout a page's tags promise, checked for consistency before its data is trusted:
// nonzero size, one BitsPerSample per sample, and exactly as many strips or tiles as the
// size, RowsPerStrip or tile size and planar configuration require.
class TiffPageGeometry {
public:
    // Throws TiffError when the page's tags contradict each other.
    static void Check(const TiffSourceFile& file, const TiffIfd& ifd);
    static bool HasImage(const TiffIfd& ifd);

private:
    static std::uint64_t ExpectedStriles(const TiffSourceFile& file, const TiffIfd& ifd,
                                         std::uint64_t width, std::uint64_t height,
                                         std::uint64_t samples);
};

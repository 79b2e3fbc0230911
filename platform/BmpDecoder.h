#pragma once

#include "platform/BmpHeader.h"

#include <cstddef>
#include <cstdint>

// Decodes the kind of BMP file skins are drawn in (uncompressed, 24 or 32 bits a pixel,
// 40-byte header) straight into opaque 32-bit pixels, row by row as they are read. It needs
// no image reader and no plugins, so it runs on any thread, even before the application
// object exists. Other kinds are left to the toolkit's image reader.
class BmpDecoder {
public:
    static bool Handles(const BmpHeader& header);

    // The bytes of one stored row, padding included.
    static std::size_t RowBytes(const BmpHeader& header);
    // The image row (0 at the top) that stored row `stored` holds.
    static int ImageRow(const BmpHeader& header, int stored);
    // Converts the stored row at `row` into header.width pixels 0xFFRRGGBB.
    static void ConvertRow(const BmpHeader& header, const unsigned char* row,
                           std::uint32_t* pixels);
};

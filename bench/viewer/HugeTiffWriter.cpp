// Writes one 30 000 x 30 000 page (or SIDE x SIDE) for the rendering and turning memory checks,
// piece by piece so that the writer itself stays small: a ruled pattern compresses to a few
// megabytes.
// Usage: tipin-huge-tiff OUT.tif tiled|strips [SIDE]
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <tiffio.h>
#include <vector>

namespace {

std::uint32_t g_side = 30000;
constexpr std::uint32_t kTile = 512;
constexpr std::uint32_t kRowsPerStrip = 64;

// Grey paper with dark lines every 100 pixels, both ways.
std::uint8_t Shade(std::uint32_t x, std::uint32_t y) {
    return (x % 100 < 2 || y % 100 < 2) ? 20 : 230;
}

void FillPiece(std::vector<std::uint8_t>& piece, std::uint32_t left, std::uint32_t top,
               std::uint32_t width, std::uint32_t height) {
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            piece[std::size_t(y) * width + x] = Shade(left + x, top + y);
        }
    }
}

bool WriteTiles(TIFF* tif) {
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, kTile);
    TIFFSetField(tif, TIFFTAG_TILELENGTH, kTile);
    std::vector<std::uint8_t> piece(std::size_t(kTile) * kTile);
    for (std::uint32_t top = 0; top < g_side; top += kTile) {
        for (std::uint32_t left = 0; left < g_side; left += kTile) {
            FillPiece(piece, left, top, kTile, kTile);
            const std::uint32_t tile = TIFFComputeTile(tif, left, top, 0, 0);
            if (TIFFWriteEncodedTile(tif, tile, piece.data(), tmsize_t(piece.size())) < 0) {
                return false;
            }
        }
    }
    return true;
}

bool WriteStrips(TIFF* tif) {
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, kRowsPerStrip);
    std::vector<std::uint8_t> piece(std::size_t(g_side) * kRowsPerStrip);
    for (std::uint32_t top = 0, strip = 0; top < g_side; top += kRowsPerStrip, ++strip) {
        const std::uint32_t rows = top + kRowsPerStrip <= g_side ? kRowsPerStrip : g_side - top;
        FillPiece(piece, 0, top, g_side, rows);
        if (TIFFWriteEncodedStrip(tif, strip, piece.data(), tmsize_t(g_side) * rows) < 0) {
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 4 ||
        (std::strcmp(argv[2], "tiled") != 0 && std::strcmp(argv[2], "strips") != 0)) {
        std::fprintf(stderr, "usage: tipin-huge-tiff OUT.tif tiled|strips [SIDE]\n");
        return 2;
    }
    if (argc == 4) {
        g_side = static_cast<std::uint32_t>(std::strtoul(argv[3], nullptr, 10));
    }
    TIFF* tif = TIFFOpen(argv[1], "w");
    if (!tif) {
        return 1;
    }
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, g_side);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, g_side);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, COMPRESSION_ADOBE_DEFLATE);
    TIFFSetField(tif, TIFFTAG_ZIPQUALITY, 1);
    const bool written = std::strcmp(argv[2], "tiled") == 0 ? WriteTiles(tif) : WriteStrips(tif);
    TIFFClose(tif);
    return written ? 0 : 1;
}

#include "viewer/TiffDataChecker.h"

#include "viewer/TiffError.h"

namespace {

// Strips decoded at once up to this size; larger ones are decoded row by row.
constexpr tmsize_t kMaxStripBytes = 4 << 20;
constexpr tmsize_t kMaxPieceBytes = 16 << 20;
// Old-style JPEG pages are decoded and stored again by the copier, which checks them then.
constexpr std::uint16_t kOldStyleJpeg = COMPRESSION_OJPEG;

} // namespace

TiffDataChecker::TiffDataChecker(TIFF* tif, const TiffMessageLog& log) : m_tif(tif), m_log(log) {}

void TiffDataChecker::Check(int pageNumber, std::vector<std::string>& warnings) {
    m_pageNumber = pageNumber;
    std::uint16_t compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(m_tif, TIFFTAG_COMPRESSION, &compression);
    if (compression == kOldStyleJpeg) {
        return;
    }
    if (!TIFFIsCODECConfigured(compression)) {
        warnings.push_back("Page " + std::to_string(m_pageNumber) + " uses compression " +
                           std::to_string(compression) +
                           ", which cannot be decoded here; it is copied unchecked");
        return;
    }
    if (TIFFIsTiled(m_tif)) {
        CheckTiles();
    } else if (TIFFStripSize(m_tif) <= kMaxStripBytes) {
        CheckStrips();
    } else {
        CheckScanlines();
    }
    if (m_log.HasErrors()) {
        Refuse();
    }
}

void TiffDataChecker::CheckTiles() {
    const tmsize_t size = TIFFTileSize(m_tif);
    if (size <= 0 || size > kMaxPieceBytes) {
        throw TiffError("Page " + std::to_string(m_pageNumber) + " has tiles too large to check");
    }
    std::uint8_t* buffer = Buffer(size);
    const std::uint32_t tiles = TIFFNumberOfTiles(m_tif);
    for (std::uint32_t tile = 0; tile < tiles; ++tile) {
        if (TIFFReadEncodedTile(m_tif, tile, buffer, size) < 0) {
            Refuse();
        }
    }
}

void TiffDataChecker::CheckStrips() {
    const tmsize_t size = TIFFStripSize(m_tif);
    if (size <= 0) {
        Refuse();
    }
    std::uint8_t* buffer = Buffer(size);
    const std::uint32_t strips = TIFFNumberOfStrips(m_tif);
    for (std::uint32_t strip = 0; strip < strips; ++strip) {
        if (TIFFReadEncodedStrip(m_tif, strip, buffer, size) < 0) {
            Refuse();
        }
    }
}

void TiffDataChecker::CheckScanlines() {
    const tmsize_t size = TIFFScanlineSize(m_tif);
    if (size <= 0 || size > kMaxPieceBytes) {
        throw TiffError("Page " + std::to_string(m_pageNumber) + " has rows too long to check");
    }
    std::uint8_t* buffer = Buffer(size);
    std::uint32_t height = 0;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    std::uint16_t samples = 1;
    TIFFGetField(m_tif, TIFFTAG_IMAGELENGTH, &height);
    TIFFGetFieldDefaulted(m_tif, TIFFTAG_PLANARCONFIG, &planar);
    TIFFGetFieldDefaulted(m_tif, TIFFTAG_SAMPLESPERPIXEL, &samples);
    const std::uint16_t planes = planar == PLANARCONFIG_SEPARATE ? samples : 1;
    for (std::uint16_t plane = 0; plane < planes; ++plane) {
        for (std::uint32_t row = 0; row < height; ++row) {
            if (TIFFReadScanline(m_tif, buffer, row, plane) < 0) {
                Refuse();
            }
        }
    }
}

std::uint8_t* TiffDataChecker::Buffer(tmsize_t size) {
    const auto wanted = static_cast<std::size_t>(size);
    if (wanted > m_capacity) {
        m_buffer = std::make_unique_for_overwrite<std::uint8_t[]>(wanted);
        m_capacity = wanted;
    }
    return m_buffer.get();
}

void TiffDataChecker::Refuse() const {
    // A decoder that gives up may only have warned; its last warning says why.
    const std::string fallback =
        m_log.Warnings().empty() ? "libtiff cannot decode it" : m_log.Warnings().back();
    throw TiffError("Damaged image data on page " + std::to_string(m_pageNumber) + ": " +
                    m_log.FirstError(fallback));
}

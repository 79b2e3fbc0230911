#include "viewer/TiffPageRotator.h"

#include "viewer/TiffError.h"
#include "viewer/TiffIfd.h"
#include "viewer/TiffMessageLog.h"
#include "viewer/TiffPixelTurner.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <tiffio.h>
#include <unistd.h>
#include <vector>

namespace {

struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

// A strip of the turned page holds about this much when the page had one strip.
constexpr std::uint64_t kWholeStripBytes = 2u << 20;

struct Layout {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bits = 1;
    std::uint16_t samples = 1;
    std::uint16_t compression = 1;
    std::uint16_t photometric = 0;
    std::uint16_t planar = PLANARCONFIG_CONTIG;
    std::uint16_t fillOrder = FILLORDER_MSB2LSB;
    std::uint16_t predictor = 1;
    std::uint16_t sampleFormat = SAMPLEFORMAT_UINT;
    std::uint32_t faxOptions = 0;
    bool tiled = false;
    std::uint32_t tileWidth = 0;
    std::uint32_t tileLength = 0;
    std::uint32_t rowsPerStrip = 0;
    std::uint32_t striles = 0;

    bool Separate() const { return planar == PLANARCONFIG_SEPARATE && samples > 1; }
    // Bits of one pixel of one plane.
    unsigned PixelBits() const { return Separate() ? bits : unsigned(bits) * samples; }
    std::uint16_t Planes() const { return Separate() ? samples : 1; }
};

std::string PageText(std::size_t page) {
    return "page " + std::to_string(page);
}

Layout ReadLayout(TIFF* tif) {
    Layout layout;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &layout.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &layout.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &layout.bits);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &layout.samples);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &layout.compression);
    TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &layout.photometric);
    TIFFGetFieldDefaulted(tif, TIFFTAG_PLANARCONFIG, &layout.planar);
    TIFFGetFieldDefaulted(tif, TIFFTAG_FILLORDER, &layout.fillOrder);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLEFORMAT, &layout.sampleFormat);
    if (layout.compression == COMPRESSION_CCITTFAX3) {
        TIFFGetField(tif, TIFFTAG_GROUP3OPTIONS, &layout.faxOptions);
    } else if (layout.compression == COMPRESSION_CCITTFAX4) {
        TIFFGetField(tif, TIFFTAG_GROUP4OPTIONS, &layout.faxOptions);
    } else if (layout.compression != COMPRESSION_NONE &&
               layout.compression != COMPRESSION_PACKBITS) {
        TIFFGetFieldDefaulted(tif, TIFFTAG_PREDICTOR, &layout.predictor);
    }
    layout.tiled = TIFFIsTiled(tif);
    TIFFGetField(tif, TIFFTAG_TILEWIDTH, &layout.tileWidth);
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &layout.tileLength);
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &layout.rowsPerStrip);
    layout.striles = layout.tiled ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
    return layout;
}

void Refuse(std::size_t page, const std::string& why) {
    throw TiffError("Cannot turn " + PageText(page) + ": " + why);
}

void CheckLayout(TIFF* tif, const Layout& layout, std::size_t page) {
    if (layout.width == 0 || layout.height == 0) {
        Refuse(page, "it has no width or height");
    }
    if (layout.photometric == PHOTOMETRIC_YCBCR) {
        std::uint16_t across = 1;
        std::uint16_t down = 1;
        TIFFGetFieldDefaulted(tif, TIFFTAG_YCBCRSUBSAMPLING, &across, &down);
        if (across != 1 || down != 1) {
            Refuse(page, "its colours are subsampled");
        }
    }
    if (layout.bits == 0 || layout.PixelBits() > 256) {
        Refuse(page, "it has " + std::to_string(layout.bits) + " bits per sample");
    }
    const std::uint64_t piece =
        layout.tiled ? std::uint64_t(TIFFTileSize64(tif)) : std::uint64_t(TIFFScanlineSize64(tif));
    if (piece == 0 || piece > TiffPageRotator::kMaxPieceBytes) {
        Refuse(page, "its rows or tiles are larger than the memory bound of the turn");
    }
    for (std::uint32_t i = 0; i < layout.striles; ++i) {
        if (TIFFGetStrileByteCount(tif, i) > TiffPageRotator::kMaxStoredPieceBytes) {
            Refuse(page, "a stored strip or tile is larger than the memory bound of the turn");
        }
    }
}

int AnonymousFile() {
    const char* folder = std::getenv("TMPDIR");
    const std::string where = folder && *folder ? folder : "/tmp";
#ifdef O_TMPFILE
    const int fd = ::open(where.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0) {
        return fd;
    }
#endif
    std::string pattern = where + "/.tipin-turn-XXXXXX";
    const int named = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (named < 0) {
        throw TiffError(std::string("Cannot create a temporary file: ") + std::strerror(errno));
    }
    ::unlink(pattern.c_str());
    return named;
}

struct FileCloser {
    int fd;
    ~FileCloser() { ::close(fd); }
};

std::uint32_t TurnedRowsPerStrip(const Layout& layout, const TiffPixelTurner& turner) {
    const std::uint64_t rowBytes = std::max<std::uint64_t>(1, turner.TurnedRowBytes());
    const std::uint64_t sourceRowBytes = (std::uint64_t(layout.width) * layout.PixelBits() + 7) / 8;
    const std::uint64_t stripBytes =
        layout.striles == 1
            ? kWholeStripBytes
            : std::min<std::uint64_t>(kWholeStripBytes,
                                      std::uint64_t(layout.rowsPerStrip) * sourceRowBytes);
    return static_cast<std::uint32_t>(
        std::clamp<std::uint64_t>(stripBytes / rowBytes, 1, turner.TurnedHeight()));
}

void SetTurnedTags(TIFF* source, TIFF* turned, const Layout& layout,
                   const TiffPixelTurner& turner) {
    TIFFSetField(turned, TIFFTAG_IMAGEWIDTH, turner.TurnedWidth());
    TIFFSetField(turned, TIFFTAG_IMAGELENGTH, turner.TurnedHeight());
    TIFFSetField(turned, TIFFTAG_BITSPERSAMPLE, layout.bits);
    TIFFSetField(turned, TIFFTAG_SAMPLESPERPIXEL, layout.samples);
    TIFFSetField(turned, TIFFTAG_PLANARCONFIG, layout.planar);
    TIFFSetField(turned, TIFFTAG_PHOTOMETRIC, layout.photometric);
    TIFFSetField(turned, TIFFTAG_FILLORDER, layout.fillOrder);
    TIFFSetField(turned, TIFFTAG_SAMPLEFORMAT, layout.sampleFormat);
    std::uint16_t extraCount = 0;
    std::uint16_t* extra = nullptr;
    if (TIFFGetField(source, TIFFTAG_EXTRASAMPLES, &extraCount, &extra) && extraCount > 0) {
        TIFFSetField(turned, TIFFTAG_EXTRASAMPLES, extraCount, extra);
    }
    std::uint16_t* red = nullptr;
    std::uint16_t* green = nullptr;
    std::uint16_t* blue = nullptr;
    if (TIFFGetField(source, TIFFTAG_COLORMAP, &red, &green, &blue)) {
        TIFFSetField(turned, TIFFTAG_COLORMAP, red, green, blue);
    }
    if (layout.photometric == PHOTOMETRIC_YCBCR) {
        TIFFSetField(turned, TIFFTAG_YCBCRSUBSAMPLING, 1, 1);
    }
    TIFFSetField(turned, TIFFTAG_COMPRESSION, layout.compression);
    if (layout.compression == COMPRESSION_CCITTFAX3) {
        TIFFSetField(turned, TIFFTAG_GROUP3OPTIONS, layout.faxOptions);
    } else if (layout.compression == COMPRESSION_CCITTFAX4) {
        TIFFSetField(turned, TIFFTAG_GROUP4OPTIONS, layout.faxOptions);
    } else if (layout.predictor != 1) {
        TIFFSetField(turned, TIFFTAG_PREDICTOR, layout.predictor);
    }
    if (layout.tiled) {
        TIFFSetField(turned, TIFFTAG_TILEWIDTH, layout.tileWidth);
        TIFFSetField(turned, TIFFTAG_TILELENGTH, layout.tileLength);
    } else {
        TIFFSetField(turned, TIFFTAG_ROWSPERSTRIP, TurnedRowsPerStrip(layout, turner));
    }
}

// Hands `use` the decoded pieces of rows [rows.top, rows.bottom) that the band needs.
void ReadPieces(TIFF* tif, const Layout& layout, TiffPixelTurner::Rows rows,
                TiffPixelTurner::Columns columns, std::uint16_t plane,
                const std::function<void(const TiffPixelTurner::Piece&)>& use) {
    if (!layout.tiled) {
        // Most codecs cannot start inside a strip: its rows before the band are decoded too.
        std::vector<std::uint8_t> line(static_cast<std::size_t>(TIFFScanlineSize64(tif)));
        const std::uint32_t rowsPerStrip = std::max<std::uint32_t>(1, layout.rowsPerStrip);
        for (std::uint32_t y = rows.top - rows.top % rowsPerStrip; y < rows.bottom; ++y) {
            if (TIFFReadScanline(tif, line.data(), y, plane) < 0) {
                throw TiffError("a row cannot be decoded");
            }
            if (y >= rows.top) {
                use({0, y, layout.width, 1, line.size(), line.data()});
            }
        }
        return;
    }
    std::vector<std::uint8_t> tile(static_cast<std::size_t>(TIFFTileSize64(tif)));
    const std::size_t stride = static_cast<std::size_t>(TIFFTileRowSize64(tif));
    const std::uint32_t firstRow = rows.top - rows.top % layout.tileLength;
    for (std::uint32_t y = firstRow; y < rows.bottom; y += layout.tileLength) {
        const std::uint32_t firstColumn = columns.left - columns.left % layout.tileWidth;
        for (std::uint32_t x = firstColumn; x < columns.right; x += layout.tileWidth) {
            if (TIFFReadTile(tif, tile.data(), x, y, 0, plane) < 0) {
                throw TiffError("a tile cannot be decoded");
            }
            use({x, y, layout.tileWidth, layout.tileLength, stride, tile.data()});
        }
    }
}

void WriteBand(TIFF* turned, const Layout& layout, const TiffPixelTurner& turner,
               const std::uint8_t* band, std::uint32_t first, std::uint32_t count,
               std::uint16_t plane) {
    const std::size_t stride = turner.TurnedRowBytes();
    if (!layout.tiled) {
        for (std::uint32_t row = 0; row < count; ++row) {
            if (TIFFWriteScanline(turned, const_cast<std::uint8_t*>(band + row * stride),
                                  first + row, plane) < 0) {
                throw TiffError("a row cannot be encoded");
            }
        }
        return;
    }
    std::vector<std::uint8_t> tile(static_cast<std::size_t>(TIFFTileSize64(turned)));
    const std::size_t tileStride = static_cast<std::size_t>(TIFFTileRowSize64(turned));
    const unsigned pixelBits = layout.PixelBits();
    for (std::uint32_t top = 0; top < count; top += layout.tileLength) {
        for (std::uint32_t x = 0; x < turner.TurnedWidth(); x += layout.tileWidth) {
            std::fill(tile.begin(), tile.end(), 0);
            const std::uint32_t columns = std::min(layout.tileWidth, turner.TurnedWidth() - x);
            const std::size_t bytes = (std::size_t(columns) * pixelBits + 7) / 8;
            for (std::uint32_t row = 0; row < layout.tileLength && top + row < count; ++row) {
                std::memcpy(tile.data() + row * tileStride,
                            band + (top + row) * stride + std::size_t(x) * pixelBits / 8, bytes);
            }
            if (TIFFWriteTile(turned, tile.data(), x, first + top, 0, plane) < 0) {
                throw TiffError("a tile cannot be encoded");
            }
        }
    }
}

std::uint32_t BandRows(const Layout& layout, const TiffPixelTurner& turner, std::size_t page) {
    const std::uint64_t rowBytes = std::max<std::uint64_t>(1, turner.TurnedRowBytes());
    std::uint64_t rows = TiffPageRotator::kBandBytes / rowBytes;
    if (layout.tiled) {
        // Whole rows of tiles; one row of tiles may take twice the band.
        rows -= rows % layout.tileLength;
        if (rows == 0 &&
            std::uint64_t(layout.tileLength) * rowBytes <= 2 * TiffPageRotator::kBandBytes) {
            rows = layout.tileLength;
        }
    }
    if (rows == 0) {
        Refuse(page, "its turned rows are larger than the memory bound of the turn");
    }
    const std::uint64_t passes = (turner.TurnedHeight() + rows - 1) / rows * layout.Planes();
    if (passes > TiffPageRotator::kMaxPasses) {
        Refuse(page, "it is too large to turn within the memory bound");
    }
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(rows, turner.TurnedHeight()));
}

// Band by band of the turned page, plane by plane when the samples are stored apart.
void TurnPixels(TIFF* source, TIFF* turned, const Layout& layout, const TiffPixelTurner& turner,
                std::uint32_t bandRows) {
    std::vector<std::uint8_t> band(std::size_t(bandRows) * turner.TurnedRowBytes());
    for (std::uint16_t plane = 0; plane < layout.Planes(); ++plane) {
        for (std::uint32_t first = 0; first < turner.TurnedHeight(); first += bandRows) {
            const std::uint32_t count = std::min(bandRows, turner.TurnedHeight() - first);
            std::fill(band.begin(), band.end(), 0);
            ReadPieces(source, layout, turner.SourceRows(first, count),
                       turner.SourceColumns(first, count), plane,
                       [&](const TiffPixelTurner::Piece& piece) {
                           turner.Scatter(piece, first, count, band.data());
                       });
            WriteBand(turned, layout, turner, band.data(), first, count, plane);
        }
    }
}

// The page is shown through its Orientation. A mirroring one reverses the sense of a turn,
// so the stored pixels turn the other way for the page to turn clockwise as shown.
int StoredTurns(TIFF* tif, int quarterTurns) {
    std::uint16_t orientation = ORIENTATION_TOPLEFT;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
    const bool mirrored = orientation == ORIENTATION_TOPRIGHT ||
                          orientation == ORIENTATION_BOTLEFT ||
                          orientation == ORIENTATION_LEFTTOP || orientation == ORIENTATION_RIGHTBOT;
    return mirrored ? 4 - quarterTurns : quarterTurns;
}

} // namespace

void TiffPageRotator::CheckCompression(std::uint64_t compression, std::size_t pageNumber) {
    switch (compression) {
    case COMPRESSION_NONE:
    case COMPRESSION_CCITTFAX3:
    case COMPRESSION_CCITTFAX4:
    case COMPRESSION_LZW:
    case COMPRESSION_ADOBE_DEFLATE:
    case COMPRESSION_DEFLATE:
    case COMPRESSION_PACKBITS:
        return;
    case COMPRESSION_OJPEG:
    case COMPRESSION_JPEG:
        Refuse(pageNumber, "it is JPEG-compressed, and turning it would lose quality");
        break;
    default:
        Refuse(pageNumber, "its compression (" + std::to_string(compression) +
                               ") is not one that can be turned without loss");
    }
}

const std::set<std::uint16_t>& TiffPageRotator::Replaced() {
    static const std::set<std::uint16_t> replaced = {256, 257, 273, 278, 279, 324, 325};
    return replaced;
}

TiffOutputEntries TiffPageRotator::Rotate(const std::string& path, std::uint64_t ifdOffset,
                                          int quarterTurns, std::size_t pageNumber) {
    TiffMessageLog log;
    // "h": the header only; the page is read at its offset, so no other page's directory can
    // fail its turn. "m": no memory mapping.
    TiffHandle source(TIFFOpenExt(path.c_str(), "rmh", log.Options()));
    if (!source || !TIFFSetSubDirectory(source.get(), ifdOffset)) {
        Refuse(pageNumber, log.FirstError("its directory cannot be read"));
    }
    const Layout layout = ReadLayout(source.get());
    CheckCompression(layout.compression, pageNumber);
    CheckLayout(source.get(), layout, pageNumber);
    const TiffPixelTurner turner(layout.width, layout.height, layout.PixelBits(),
                                 StoredTurns(source.get(), quarterTurns));
    const std::uint32_t bandRows = BandRows(layout, turner, pageNumber);
    const FileCloser file{AnonymousFile()};
    TiffHandle turned(
        TIFFFdOpenExt(::dup(file.fd), "turned", m_out.IsBigEndian() ? "wb" : "wl", log.Options()));
    if (!turned) {
        Refuse(pageNumber, log.FirstError("no temporary file"));
    }
    SetTurnedTags(source.get(), turned.get(), layout, turner);
    try {
        TurnPixels(source.get(), turned.get(), layout, turner, bandRows);
    } catch (const TiffError& error) {
        Refuse(pageNumber, log.FirstError(error.what()));
    }
    if (!TIFFFlushData(turned.get()) || log.HasErrors()) {
        Refuse(pageNumber, log.FirstError("its data cannot be stored again"));
    }
    TiffOutputEntries entries = CopyTurnedData(file.fd, turned.get());
    entries[256] = m_writer.Numbers(tifftype::kLong, {turner.TurnedWidth()});
    entries[257] = m_writer.Numbers(tifftype::kLong, {turner.TurnedHeight()});
    if (!layout.tiled) {
        std::uint32_t rowsPerStrip = 0;
        TIFFGetField(turned.get(), TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
        entries[278] = m_writer.Numbers(tifftype::kLong, {rowsPerStrip});
    }
    return entries;
}

TiffOutputEntries TiffPageRotator::CopyTurnedData(int fd, TIFF* turned) {
    const bool tiled = TIFFIsTiled(turned);
    const std::uint32_t count = tiled ? TIFFNumberOfTiles(turned) : TIFFNumberOfStrips(turned);
    std::vector<std::uint64_t> offsets;
    std::vector<std::uint64_t> lengths;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint64_t from = TIFFGetStrileOffset(turned, i);
        std::uint64_t length = TIFFGetStrileByteCount(turned, i);
        m_out.AlignToWord();
        offsets.push_back(m_out.Position());
        lengths.push_back(length);
        while (length > 0) {
            const std::size_t chunk = static_cast<std::size_t>(
                std::min<std::uint64_t>(length, TiffOutputFile::kMaxExtend));
            std::uint8_t* room = m_out.Extend(chunk);
            if (::pread(fd, room, chunk, static_cast<off_t>(from)) != static_cast<ssize_t>(chunk)) {
                throw TiffError("Cannot read back a turned page");
            }
            from += chunk;
            length -= chunk;
        }
    }
    TiffOutputEntries entries;
    entries[tiled ? 324 : 273] = m_writer.Offsets(offsets);
    entries[tiled ? 325 : 279] =
        m_writer.Numbers(m_out.IsBigTiff() ? tifftype::kLong8 : tifftype::kLong, lengths);
    return entries;
}

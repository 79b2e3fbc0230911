#include "viewer/TiffPageRestorer.h"

#include "viewer/TiffError.h"
#include "viewer/TiffIfd.h"
#include "viewer/TiffMessageLog.h"

#include <algorithm>
#include <memory>
#include <tiffio.h>
#include <vector>
#include <zlib.h>

namespace {

constexpr std::uint16_t kAdobeDeflate = 8;
constexpr std::size_t kRgbStripBytes = 1 << 20;
// A strip decoded at once; beyond this a page is refused rather than exhausting memory.
constexpr std::uint64_t kMaxDecodedBytes = 64u << 20;

struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using TiffHandle = std::unique_ptr<TIFF, TiffCloser>;

void SwapSamples(std::uint8_t* data, std::size_t size, unsigned bitsPerSample) {
    const unsigned width = bitsPerSample / 8;
    for (std::size_t i = 0; i + width <= size; i += width) {
        for (unsigned a = 0, b = width - 1; a < b; ++a, --b) {
            std::swap(data[i + a], data[i + b]);
        }
    }
}

bool HostIsBigEndian() {
    const std::uint16_t probe = 1;
    return *reinterpret_cast<const std::uint8_t*>(&probe) == 0;
}

} // namespace

const std::set<std::uint16_t>& TiffPageRestorer::Replaced(Kind kind) {
    // Storage, codec and colour-model tags that the new data no longer matches.
    static const std::set<std::uint16_t> rgb = {
        258, 259, 262, 273, 277, 278, 279, 284, 290, 291, 317, 320, 322, 323, 324, 325, 338,
        339, 340, 341, 347, 512, 513, 514, 515, 517, 518, 519, 520, 521, 529, 530, 531, 532};
    static const std::set<std::uint16_t> samples = {259, 273, 279, 317, 324, 325, 347, 512,
                                                    513, 514, 515, 517, 518, 519, 520, 521};
    return kind == Kind::Rgb ? rgb : samples;
}

TiffOutputEntries TiffPageRestorer::Restore(const std::string& path, std::uint64_t ifdOffset,
                                            Kind kind) {
    TiffMessageLog log;
    // "c": strips as stored, so the new strips keep the old layout. "h": only this page's
    // directory is read.
    TiffHandle tif(TIFFOpenExt(path.c_str(), "rmch", log.Options()));
    if (!tif || !TIFFSetSubDirectory(tif.get(), ifdOffset)) {
        throw TiffError("Cannot decode a page to store it again: " +
                        log.FirstError("unreadable directory"));
    }
    TiffOutputEntries entries =
        kind == Kind::Rgb ? RestoreRgb(tif.get()) : RestoreSamples(tif.get());
    if (log.HasErrors()) {
        throw TiffError("Cannot decode a page to store it again: " + log.FirstError(""));
    }
    return entries;
}

std::uint64_t TiffPageRestorer::AppendDeflated(const std::uint8_t* data, std::size_t size,
                                               std::uint64_t& compressedSize) {
    uLongf length = compressBound(static_cast<uLong>(size));
    std::vector<std::uint8_t> packed(length);
    if (compress2(packed.data(), &length, data, static_cast<uLong>(size), 6) != Z_OK) {
        throw TiffError("Cannot compress a page to store it again");
    }
    m_out.AlignToWord();
    const std::uint64_t offset = m_out.Position();
    m_out.Append(packed.data(), length);
    compressedSize = length;
    return offset;
}

TiffOutputEntries TiffPageRestorer::RestoreRgb(TIFF* tif) {
    char reason[1024] = {};
    TIFFRGBAImage image{};
    if (!TIFFRGBAImageOK(tif, reason) || !TIFFRGBAImageBegin(&image, tif, 0, reason)) {
        throw TiffError(std::string("Cannot decode a page to store it again: ") + reason);
    }
    std::unique_ptr<TIFFRGBAImage, void (*)(TIFFRGBAImage*)> guard(&image, TIFFRGBAImageEnd);
    image.req_orientation = image.orientation; // keep rows as stored; Orientation still applies
    const std::uint32_t width = image.width;
    const std::uint32_t height = image.height;
    const unsigned channels = image.alpha ? 4 : 3;
    // Whole stored strips per band: old-style JPEG cannot start decoding inside one.
    std::uint32_t storedRows = height;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &storedRows);
    storedRows = std::clamp<std::uint32_t>(storedRows, 1, height);
    const std::uint32_t wanted =
        std::max<std::uint32_t>(1, kRgbStripBytes / (std::uint64_t(width) * 4));
    const std::uint32_t rowsPerStrip = std::max(storedRows, wanted - wanted % storedRows);
    if (std::uint64_t(width) * rowsPerStrip * 4 > kMaxDecodedBytes) {
        throw TiffError("A page is too large to store again");
    }
    std::vector<std::uint32_t> raster(std::uint64_t(width) * rowsPerStrip);
    std::vector<std::uint8_t> packed(std::uint64_t(width) * rowsPerStrip * channels);
    std::vector<std::uint64_t> offsets, counts;
    for (std::uint32_t row = 0; row < height; row += rowsPerStrip) {
        const std::uint32_t rows = std::min(rowsPerStrip, height - row);
        image.row_offset = static_cast<int>(row);
        image.col_offset = 0;
        if (!TIFFRGBAImageGet(&image, raster.data(), width, rows)) {
            throw TiffError("Cannot decode a page to store it again");
        }
        const std::size_t pixels = std::size_t(width) * rows;
        for (std::size_t i = 0; i < pixels; ++i) {
            const std::uint32_t abgr = raster[i];
            std::uint8_t* out = packed.data() + i * channels;
            out[0] = static_cast<std::uint8_t>(TIFFGetR(abgr));
            out[1] = static_cast<std::uint8_t>(TIFFGetG(abgr));
            out[2] = static_cast<std::uint8_t>(TIFFGetB(abgr));
            if (channels == 4) {
                out[3] = static_cast<std::uint8_t>(TIFFGetA(abgr));
            }
        }
        std::uint64_t length = 0;
        offsets.push_back(AppendDeflated(packed.data(), pixels * channels, length));
        counts.push_back(length);
    }
    TiffOutputEntries entries;
    entries[258] = m_writer.Numbers(tifftype::kShort, std::vector<std::uint64_t>(channels, 8));
    entries[259] = m_writer.Numbers(tifftype::kShort, {kAdobeDeflate});
    entries[262] = m_writer.Numbers(tifftype::kShort, {PHOTOMETRIC_RGB});
    entries[273] = m_writer.Offsets(offsets);
    entries[277] = m_writer.Numbers(tifftype::kShort, {channels});
    entries[278] = m_writer.Numbers(tifftype::kLong, {rowsPerStrip});
    entries[279] = m_writer.Numbers(tifftype::kLong, counts);
    entries[284] = m_writer.Numbers(tifftype::kShort, {PLANARCONFIG_CONTIG});
    if (channels == 4) {
        entries[338] = m_writer.Numbers(tifftype::kShort, {EXTRASAMPLE_ASSOCALPHA});
    }
    return entries;
}

TiffOutputEntries TiffPageRestorer::RestoreSamples(TIFF* tif) {
    std::uint16_t bitsPerSample = 1;
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &bitsPerSample);
    const bool tiled = TIFFIsTiled(tif);
    const std::uint32_t count = tiled ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
    const tmsize_t size = tiled ? TIFFTileSize(tif) : TIFFStripSize(tif);
    if (size <= 0 || std::uint64_t(size) > kMaxDecodedBytes) {
        throw TiffError("Cannot decode a page to store it again");
    }
    std::vector<std::uint8_t> buffer(static_cast<std::size_t>(size));
    const bool swap = m_out.IsBigEndian() != HostIsBigEndian();
    std::vector<std::uint64_t> offsets, counts;
    for (std::uint32_t i = 0; i < count; ++i) {
        const tmsize_t got = tiled ? TIFFReadEncodedTile(tif, i, buffer.data(), size)
                                   : TIFFReadEncodedStrip(tif, i, buffer.data(), size);
        if (got < 0) {
            throw TiffError("Cannot decode a page to store it again");
        }
        if (swap) {
            SwapSamples(buffer.data(), static_cast<std::size_t>(got), bitsPerSample);
        }
        std::uint64_t length = 0;
        offsets.push_back(AppendDeflated(buffer.data(), static_cast<std::size_t>(got), length));
        counts.push_back(length);
    }
    TiffOutputEntries entries;
    entries[259] = m_writer.Numbers(tifftype::kShort, {kAdobeDeflate});
    entries[tiled ? 324 : 273] = m_writer.Offsets(offsets);
    entries[tiled ? 325 : 279] =
        m_writer.Numbers(m_out.IsBigTiff() ? tifftype::kLong8 : tifftype::kLong, counts);
    return entries;
}

#pragma once

#include "viewer/TiffIfdWriter.h"
#include "viewer/TiffOutputFile.h"

#include <cstdint>
#include <set>
#include <string>

// Pages that cannot travel as raw bytes are decoded by libtiff and stored again, without
// loss, with Deflate:
// - Rgb: old-style JPEG, whose data points at offsets of its old file; stored as 8-bit RGB.
// - Samples: samples wider than a byte whose byte order differs from the new file's; the
//   samples keep their layout and are written in the new file's order.
class TiffPageRestorer {
public:
    enum class Kind { Rgb, Samples };

    TiffPageRestorer(TiffOutputFile& out, TiffIfdWriter& writer) : m_out(out), m_writer(writer) {}

    // Writes the new image data of the directory at `ifdOffset` of `path` and returns the
    // entries that describe it; `Replaced(kind)` lists the old entries they supersede.
    TiffOutputEntries Restore(const std::string& path, std::uint64_t ifdOffset, Kind kind);
    static const std::set<std::uint16_t>& Replaced(Kind kind);

private:
    TiffOutputEntries RestoreRgb(struct tiff* tif);
    TiffOutputEntries RestoreSamples(struct tiff* tif);
    std::uint64_t AppendDeflated(const std::uint8_t* data, std::size_t size,
                                 std::uint64_t& compressedSize);

    TiffOutputFile& m_out;
    TiffIfdWriter& m_writer;
};

#pragma once

#include "viewer/TiffOutputEntry.h"
#include "viewer/TiffOutputFile.h"

#include <cstdint>
#include <vector>

// Writes directories and builds entries in the new file's format and byte order.
class TiffIfdWriter {
public:
    explicit TiffIfdWriter(TiffOutputFile& out) : m_out(out) {}

    struct Written {
        std::uint64_t offset = 0;
        std::uint64_t nextField = 0; // where the next-directory pointer sits
    };
    // Out-of-line values first, then the directory with a zero next pointer.
    Written Write(const TiffOutputEntries& entries);

    TiffOutputEntry Numbers(std::uint16_t type, const std::vector<std::uint64_t>& values) const;
    // Offsets into the new file: LONG in classic TIFF, LONG8 in BigTIFF.
    TiffOutputEntry Offsets(const std::vector<std::uint64_t>& values) const;
    TiffOutputEntry IfdPointers(std::uint16_t sourceType,
                                const std::vector<std::uint64_t>& values) const;

private:
    TiffOutputFile& m_out;
};

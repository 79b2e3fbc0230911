#pragma once

#include <cstdint>
#include <vector>

// TIFF field types by number, and the tags the page copier treats specially.
namespace tifftag {
inline constexpr std::uint16_t kImageWidth = 256;
inline constexpr std::uint16_t kImageLength = 257;
inline constexpr std::uint16_t kBitsPerSample = 258;
inline constexpr std::uint16_t kCompression = 259;
inline constexpr std::uint16_t kStripOffsets = 273;
inline constexpr std::uint16_t kStripByteCounts = 279;
inline constexpr std::uint16_t kFreeOffsets = 288;
inline constexpr std::uint16_t kFreeByteCounts = 289;
inline constexpr std::uint16_t kPageNumber = 297;
inline constexpr std::uint16_t kTileOffsets = 324;
inline constexpr std::uint16_t kTileByteCounts = 325;
inline constexpr std::uint16_t kSubIfds = 330;
inline constexpr std::uint16_t kExifIfd = 34665;
inline constexpr std::uint16_t kGpsIfd = 34853;
inline constexpr std::uint16_t kInteropIfd = 40965;
} // namespace tifftag

namespace tifftype {
inline constexpr std::uint16_t kByte = 1;
inline constexpr std::uint16_t kShort = 3;
inline constexpr std::uint16_t kLong = 4;
inline constexpr std::uint16_t kIfd = 13;
inline constexpr std::uint16_t kLong8 = 16;
inline constexpr std::uint16_t kIfd8 = 18;
} // namespace tifftype

// Bytes per value of a field type; 0 for types this reader does not know.
unsigned TiffTypeSize(std::uint16_t type);
// The unit that byte-order conversion swaps: a rational is two 32-bit numbers.
unsigned TiffSwapUnit(std::uint16_t type);

// One directory entry with its value bytes, in the byte order of the file it came from.
struct TiffEntry {
    std::uint16_t tag = 0;
    std::uint16_t type = 0;
    std::uint64_t count = 0;
    std::vector<std::uint8_t> value;
};

struct TiffIfd {
    std::uint64_t offset = 0;
    std::vector<TiffEntry> entries;
    std::uint64_t next = 0;

    const TiffEntry* Find(std::uint16_t tag) const;
};

#include "viewer/TiffPageGeometry.h"

#include "viewer/TiffError.h"

#include <set>

namespace {

constexpr std::uint16_t kSamplesPerPixel = 277;
constexpr std::uint16_t kRowsPerStrip = 278;
constexpr std::uint16_t kPlanarConfig = 284;
constexpr std::uint16_t kTileWidth = 322;
constexpr std::uint16_t kTileLength = 323;

std::uint64_t Value(const TiffSourceFile& file, const TiffIfd& ifd, std::uint16_t tag,
                    std::uint64_t fallback) {
    const TiffEntry* entry = ifd.Find(tag);
    return entry && entry->count > 0 ? file.UnsignedValue(*entry, 0) : fallback;
}

std::uint64_t Across(std::uint64_t length, std::uint64_t piece) {
    return (length + piece - 1) / piece;
}

[[noreturn]] void Refuse(const TiffSourceFile& file, const std::string& what) {
    throw TiffError("Damaged TIFF file: " + what + " in " + file.Path());
}

} // namespace

bool TiffPageGeometry::HasImage(const TiffIfd& ifd) {
    return ifd.Find(tifftag::kStripOffsets) || ifd.Find(tifftag::kTileOffsets);
}

void TiffPageGeometry::Check(const TiffSourceFile& file, const TiffIfd& ifd) {
    std::set<std::uint16_t> tags;
    for (const TiffEntry& entry : ifd.entries) {
        // Entries of unknown type are left out of copies, so their tags cannot clash.
        if (TiffTypeSize(entry.type) != 0 && !tags.insert(entry.tag).second) {
            Refuse(file, "tag " + std::to_string(entry.tag) + " appears twice");
        }
    }
    if (!HasImage(ifd)) {
        return;
    }
    const std::uint64_t width = Value(file, ifd, tifftag::kImageWidth, 0);
    const std::uint64_t height = Value(file, ifd, tifftag::kImageLength, 0);
    if (width == 0 || height == 0) {
        Refuse(file, "a page has no width or height");
    }
    const std::uint64_t samples = Value(file, ifd, kSamplesPerPixel, 1);
    const TiffEntry* bits = ifd.Find(tifftag::kBitsPerSample);
    if (samples == 0 || (bits && bits->count != 1 && bits->count != samples)) {
        Refuse(file, "BitsPerSample does not match SamplesPerPixel");
    }
    const TiffEntry* offsets = ifd.Find(tifftag::kTileOffsets);
    if (!offsets) {
        offsets = ifd.Find(tifftag::kStripOffsets);
    }
    if (offsets->count != ExpectedStriles(file, ifd, width, height, samples)) {
        Refuse(file, "the number of strips or tiles does not match the page size");
    }
}

std::uint64_t TiffPageGeometry::ExpectedStriles(const TiffSourceFile& file, const TiffIfd& ifd,
                                                std::uint64_t width, std::uint64_t height,
                                                std::uint64_t samples) {
    const std::uint64_t planes = Value(file, ifd, kPlanarConfig, 1) == 2 ? samples : 1;
    if (ifd.Find(kTileWidth)) {
        const std::uint64_t tileWidth = Value(file, ifd, kTileWidth, 0);
        const std::uint64_t tileLength = Value(file, ifd, kTileLength, 0);
        if (tileWidth == 0 || tileLength == 0) {
            Refuse(file, "a tile has no width or height");
        }
        return Across(width, tileWidth) * Across(height, tileLength) * planes;
    }
    const std::uint64_t rows = Value(file, ifd, kRowsPerStrip, height);
    return Across(height, rows == 0 || rows > height ? height : rows) * planes;
}

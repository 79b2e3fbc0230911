#pragma once

#include "viewer/TiffIfdWriter.h"
#include "viewer/TiffOutputFile.h"

#include <cstdint>
#include <set>
#include <string>

struct tiff;

// Turns a page clockwise, pixel for pixel: libtiff decodes it piece by piece and encodes the
// turned pixels again with the page's own codec and settings (fill order, predictor, fax
// options, sample format, colour map). Only lossless codecs are turned; any other page is
// refused with its reason, never stored with less quality. Memory stays bounded: the turned
// page is built band by band, and a page that would need too many passes over its data is
// refused rather than taking minutes.
class TiffPageRotator {
public:
    // Decoded bytes of the turned page held at once.
    static constexpr std::size_t kBandBytes = 4u << 20;
    // Bytes of one decoded tile or row, and of one stored strip or tile, read at once.
    static constexpr std::size_t kMaxPieceBytes = 4u << 20;
    static constexpr std::uint64_t kMaxStoredPieceBytes = 8u << 20;
    // A turn by 90 or 270 degrees reads the page once per band.
    static constexpr std::uint64_t kMaxPasses = 32;

    TiffPageRotator(TiffOutputFile& out, TiffIfdWriter& writer) : m_out(out), m_writer(writer) {}

    // Throws TiffError when page `pageNumber` (from 1) cannot be turned without loss: the
    // reason names the page and the cause.
    static void CheckCompression(std::uint64_t compression, std::size_t pageNumber);
    // Writes the turned image data of the directory at `ifdOffset` of `path` and returns the
    // entries that describe it; `Replaced()` lists the old entries they supersede.
    TiffOutputEntries Rotate(const std::string& path, std::uint64_t ifdOffset, int quarterTurns,
                             std::size_t pageNumber);
    static const std::set<std::uint16_t>& Replaced();

private:
    TiffOutputEntries CopyTurnedData(int fd, tiff* turned);

    TiffOutputFile& m_out;
    TiffIfdWriter& m_writer;
};

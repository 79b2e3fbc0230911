#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

// The size a BMP file claims, checked before anything is decoded: a small file must not make
// the decoder allocate a huge image it then cannot fill.
struct BmpHeader {
    static constexpr int kMaxSide = 8192;
    // Parse needs at most this many bytes from the file's start.
    static constexpr std::size_t kHeaderBytes = 54;

    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::uint32_t compression = 0;
    std::uint32_t infoSize = 0;
    // Where the pixels start, from the file's start.
    std::uint64_t dataOffset = 0;
    // Rows stored from the top down (a negative height in the file).
    bool topDown = false;

    std::int64_t Pixels() const { return std::int64_t(width) * height; }

    // The header in the first `size` bytes of a file of `fileSize` bytes, when its sides are
    // within kMaxSide and the file is long enough for the pixels it claims; nothing otherwise.
    static std::optional<BmpHeader> Parse(const unsigned char* bytes, std::size_t size,
                                          std::uint64_t fileSize);
};

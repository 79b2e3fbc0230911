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

    std::int64_t Pixels() const { return std::int64_t(width) * height; }

    // The header in the first `size` bytes of a file of `fileSize` bytes, when its sides are
    // within kMaxSide and the file is long enough for the pixels it claims; nothing otherwise.
    static std::optional<BmpHeader> Parse(const unsigned char* bytes, std::size_t size,
                                          std::uint64_t fileSize);
};

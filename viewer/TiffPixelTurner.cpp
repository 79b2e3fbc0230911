#include "viewer/TiffPixelTurner.h"

#include <algorithm>
#include <cstring>

TiffPixelTurner::TiffPixelTurner(std::uint32_t width, std::uint32_t height, unsigned pixelBits,
                                 int quarterTurns)
    : m_width(width), m_height(height), m_pixelBits(pixelBits), m_turns(quarterTurns & 3) {}

std::size_t TiffPixelTurner::TurnedRowBytes() const {
    return static_cast<std::size_t>((std::uint64_t(TurnedWidth()) * m_pixelBits + 7) / 8);
}

TiffPixelTurner::Rows TiffPixelTurner::SourceRows(std::uint32_t first, std::uint32_t count) const {
    switch (m_turns) {
    case 0:
        return {first, first + count};
    case 2:
        return {m_height - first - count, m_height - first};
    default:
        return {0, m_height}; // a turned row is a column of the page
    }
}

TiffPixelTurner::Columns TiffPixelTurner::SourceColumns(std::uint32_t first,
                                                        std::uint32_t count) const {
    switch (m_turns) {
    case 1:
        return {first, first + count};
    case 3:
        return {m_width - first - count, m_width - first};
    default:
        return {0, m_width};
    }
}

TiffPixelTurner::Spot TiffPixelTurner::Turned(std::uint32_t x, std::uint32_t y) const {
    switch (m_turns) {
    case 1:
        return {m_height - 1 - y, x};
    case 2:
        return {m_width - 1 - x, m_height - 1 - y};
    case 3:
        return {y, m_width - 1 - x};
    default:
        return {x, y};
    }
}

void TiffPixelTurner::CopyPixel(const std::uint8_t* from, std::uint64_t fromBit, std::uint8_t* to,
                                std::uint64_t toBit) const {
    if (m_pixelBits % 8 == 0) {
        std::memcpy(to + toBit / 8, from + fromBit / 8, m_pixelBits / 8);
        return;
    }
    for (unsigned bit = 0; bit < m_pixelBits; ++bit) {
        const std::uint64_t source = fromBit + bit;
        if (from[source / 8] & (0x80u >> (source % 8))) {
            const std::uint64_t target = toBit + bit;
            to[target / 8] |= static_cast<std::uint8_t>(0x80u >> (target % 8));
        }
    }
}

void TiffPixelTurner::Scatter(const Piece& piece, std::uint32_t first, std::uint32_t count,
                              std::uint8_t* band) const {
    const Rows rows = SourceRows(first, count);
    const Columns columns = SourceColumns(first, count);
    const std::uint32_t top = std::max(rows.top, piece.top);
    const std::uint32_t bottom = std::min({rows.bottom, piece.top + piece.height, m_height});
    const std::uint32_t from = std::max(columns.left, piece.left);
    const std::uint32_t to = std::min({columns.right, piece.left + piece.width, m_width});
    const std::size_t bandStride = TurnedRowBytes();
    for (std::uint32_t y = top; y < bottom; ++y) {
        const std::uint8_t* row = piece.data + std::size_t(y - piece.top) * piece.stride;
        for (std::uint32_t x = from; x < to; ++x) {
            const Spot spot = Turned(x, y);
            CopyPixel(row, std::uint64_t(x - piece.left) * m_pixelBits,
                      band + std::size_t(spot.y - first) * bandStride,
                      std::uint64_t(spot.x) * m_pixelBits);
        }
    }
}

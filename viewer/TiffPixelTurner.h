#pragma once

#include <cstddef>
#include <cstdint>

// Where the pixels of a page go when it is turned clockwise by quarter turns. The turned page
// is built band by band (a run of its rows), from decoded pieces of the page (rows or tiles),
// so that neither page is ever whole in memory. Pixels are `pixelBits` wide, packed from the
// high bit of each byte, rows starting on a byte.
class TiffPixelTurner {
public:
    // A decoded rectangle of the page; rows `stride` bytes apart.
    struct Piece {
        std::uint32_t left = 0;
        std::uint32_t top = 0;
        std::uint32_t width = 0;
        std::uint32_t height = 0;
        std::size_t stride = 0;
        const std::uint8_t* data = nullptr;
    };
    // Rows [top, bottom) of the page.
    struct Rows {
        std::uint32_t top = 0;
        std::uint32_t bottom = 0;
    };
    // Columns [left, right) of the page.
    struct Columns {
        std::uint32_t left = 0;
        std::uint32_t right = 0;
    };

    TiffPixelTurner(std::uint32_t width, std::uint32_t height, unsigned pixelBits,
                    int quarterTurns);

    std::uint32_t TurnedWidth() const { return m_turns % 2 ? m_height : m_width; }
    std::uint32_t TurnedHeight() const { return m_turns % 2 ? m_width : m_height; }
    std::size_t TurnedRowBytes() const;
    // The rows of the page that turned rows [first, first + count) are made of.
    Rows SourceRows(std::uint32_t first, std::uint32_t count) const;
    Columns SourceColumns(std::uint32_t first, std::uint32_t count) const;
    // Puts the pixels of `piece` that belong to turned rows [first, first + count) into
    // `band`, which holds those rows and starts zeroed.
    void Scatter(const Piece& piece, std::uint32_t first, std::uint32_t count,
                 std::uint8_t* band) const;

private:
    struct Spot {
        std::uint32_t x;
        std::uint32_t y;
    };
    Spot Turned(std::uint32_t x, std::uint32_t y) const;
    void CopyPixel(const std::uint8_t* from, std::uint64_t fromBit, std::uint8_t* to,
                   std::uint64_t toBit) const;

    std::uint32_t m_width;
    std::uint32_t m_height;
    unsigned m_pixelBits;
    int m_turns;
};

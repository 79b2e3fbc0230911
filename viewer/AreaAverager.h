#pragma once

#include "viewer/TiffResults.h"

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

// Shrinks a page into a smaller image by averaging every stored pixel into the result pixel
// it falls on, so that thin lines of fax pages darken their pixel instead of vanishing. It
// takes the page in pieces (strips or tiles, in stored row order) and applies the TIFF
// orientation on the way.
class AreaAverager {
public:
    // The page is `width` x `height` as stored; the result is `outWidth` x `outHeight` in
    // display orientation, no larger than the displayed page.
    AreaAverager(std::uint32_t width, std::uint32_t height, int orientation, int outWidth,
                 int outHeight);

    struct Freer {
        void operator()(std::uint32_t* memory) const { std::free(memory); }
    };

    // Displayed size of a stored page with this orientation (5 to 8 swap the axes).
    static bool SwapsAxes(int orientation) { return orientation >= 5 && orientation <= 8; }

    // `pixels` are libtiff's packed ABGR values of the stored rectangle at (column, row).
    void Add(const std::uint32_t* pixels, std::uint32_t column, std::uint32_t row,
             std::uint32_t width, std::uint32_t height);
    // Once the whole page has been added.
    RgbaImage Result() const;

private:
    struct PartSamples {
        std::uint32_t part;
        std::uint32_t count; // sampled stored lines that land on `part`
    };

    void BuildMaps();
    void BuildRuns();
    std::vector<PartSamples> Samples(const std::vector<std::uint32_t>& parts) const;
    // Adds the sampled stored columns [firstColumn, endColumn) of a line that starts at
    // `lineColumn` to the column sums.
    void GatherLine(const std::uint32_t* line, std::uint32_t lineColumn, std::uint32_t firstColumn,
                    std::uint32_t endColumn);
    // Moves the column sums of the gathered lines into their result pixels.
    void SpreadColumns(std::uint32_t rowPart, std::uint32_t firstColumn, std::uint32_t endColumn);

    std::uint32_t m_width;
    std::uint32_t m_height;
    int m_orientation;
    int m_outWidth;
    int m_outHeight;
    std::uint32_t m_step = 1; // sampling step, so that the sums cannot overflow
    std::vector<std::uint32_t> m_columnPart;
    std::vector<std::uint32_t> m_runEnd; // first column after the run a column starts
    std::vector<std::uint32_t> m_rowPart;
    std::vector<std::uint32_t> m_evenChannels; // packed column sums of gathered lines
    std::vector<std::uint32_t> m_oddChannels;
    std::unique_ptr<std::uint32_t[], Freer> m_sums;
};

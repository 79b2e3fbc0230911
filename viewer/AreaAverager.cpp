#include "viewer/AreaAverager.h"

#include <algorithm>
#include <cmath>

namespace {

// 255 times this many samples still fits a 32-bit sum.
constexpr std::uint64_t kMaxSamplesPerPixel = 1u << 24;

std::uint32_t Scaled(std::uint64_t position, std::uint64_t from, std::uint64_t to) {
    return static_cast<std::uint32_t>(position * to / from);
}

} // namespace

AreaAverager::AreaAverager(std::uint32_t width, std::uint32_t height, int orientation, int outWidth,
                           int outHeight)
    : m_width(width), m_height(height),
      m_orientation(orientation >= 1 && orientation <= 8 ? orientation : 1), m_outWidth(outWidth),
      m_outHeight(outHeight), m_sums(std::size_t(outWidth) * outHeight * 4),
      m_counts(std::size_t(outWidth) * outHeight) {
    const std::uint64_t perPixel =
        (std::uint64_t(width) / outWidth + 1) * (std::uint64_t(height) / outHeight + 1);
    while (perPixel / (std::uint64_t(m_step) * m_step) > kMaxSamplesPerPixel) {
        ++m_step;
    }
    BuildMaps();
}

void AreaAverager::BuildMaps() {
    // A stored pixel (r, c) lands on result pixel rowPart[r] + columnPart[c].
    const bool swap = SwapsAxes(m_orientation);
    const std::uint32_t displayWidth = swap ? m_height : m_width;
    const std::uint32_t displayHeight = swap ? m_width : m_height;
    const auto x = [&](std::uint64_t visual) { return Scaled(visual, displayWidth, m_outWidth); };
    const auto y = [&](std::uint64_t visual) {
        return Scaled(visual, displayHeight, m_outHeight) * std::uint32_t(m_outWidth);
    };
    const bool flipColumns =
        m_orientation == 2 || m_orientation == 3 || m_orientation == 7 || m_orientation == 8;
    const bool flipRows =
        m_orientation == 3 || m_orientation == 4 || m_orientation == 6 || m_orientation == 7;
    m_columnPart.resize(m_width);
    for (std::uint32_t c = 0; c < m_width; ++c) {
        const std::uint32_t along = flipColumns ? m_width - 1 - c : c;
        m_columnPart[c] = swap ? y(along) : x(along);
    }
    m_rowPart.resize(m_height);
    for (std::uint32_t r = 0; r < m_height; ++r) {
        const std::uint32_t along = flipRows ? m_height - 1 - r : r;
        m_rowPart[r] = swap ? x(along) : y(along);
    }
}

void AreaAverager::Add(const std::uint32_t* pixels, std::uint32_t column, std::uint32_t row,
                       std::uint32_t width, std::uint32_t height) {
    for (std::uint32_t r = 0; r < height; ++r) {
        const std::uint32_t storedRow = row + r;
        if (storedRow % m_step != 0) {
            continue;
        }
        const std::uint32_t rowPart = m_rowPart[storedRow];
        const std::uint32_t* line = pixels + std::size_t(r) * width;
        for (std::uint32_t c = 0; c < width; c += 1) {
            const std::uint32_t storedColumn = column + c;
            if (m_step > 1 && storedColumn % m_step != 0) {
                continue;
            }
            const std::uint32_t target = rowPart + m_columnPart[storedColumn];
            const std::uint32_t abgr = line[c];
            std::uint32_t* sum = &m_sums[std::size_t(target) * 4];
            sum[0] += abgr & 0xFF;
            sum[1] += (abgr >> 8) & 0xFF;
            sum[2] += (abgr >> 16) & 0xFF;
            sum[3] += abgr >> 24;
            ++m_counts[target];
        }
    }
}

RgbaImage AreaAverager::Result() const {
    RgbaImage image;
    image.width = m_outWidth;
    image.height = m_outHeight;
    image.stride = m_outWidth * 4;
    image.pixels.resize(m_counts.size());
    for (std::size_t i = 0; i < m_counts.size(); ++i) {
        const std::uint32_t count = m_counts[i];
        if (count == 0) {
            continue;
        }
        const std::uint32_t* sum = &m_sums[i * 4];
        const auto mean = [&](int channel) { return (sum[channel] + count / 2) / count; };
        image.pixels[i] = mean(3) << 24 | mean(0) << 16 | mean(1) << 8 | mean(2);
    }
    return image;
}

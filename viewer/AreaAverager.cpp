#include "viewer/AreaAverager.h"

#include <algorithm>
#include <cmath>

namespace {

// 255 times this many samples still fits a 32-bit sum.
constexpr std::uint64_t kMaxSamplesPerPixel = 1u << 24;
// 255 times this many samples still fits a 16-bit half of a packed run sum.
constexpr std::uint32_t kMaxRun = 257;

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
    BuildRuns();
    m_rowPart.resize(m_height);
    for (std::uint32_t r = 0; r < m_height; ++r) {
        const std::uint32_t along = flipRows ? m_height - 1 - r : r;
        m_rowPart[r] = swap ? x(along) : y(along);
    }
}

void AreaAverager::BuildRuns() {
    // A run ends where the result pixel changes, or before its packed sums could overflow.
    m_runEnd.resize(m_width);
    std::uint32_t end = m_width;
    for (std::uint32_t c = m_width; c-- > 0;) {
        if (c + 1 < m_width && m_columnPart[c] != m_columnPart[c + 1]) {
            end = c + 1;
        }
        m_runEnd[c] = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(end, std::uint64_t(c) + kMaxRun * m_step));
    }
}

void AreaAverager::Add(const std::uint32_t* pixels, std::uint32_t column, std::uint32_t row,
                       std::uint32_t width, std::uint32_t height) {
    const std::uint32_t firstColumn = (column + m_step - 1) / m_step * m_step;
    for (std::uint32_t r = 0; r < height; ++r) {
        const std::uint32_t storedRow = row + r;
        if (storedRow % m_step == 0) {
            AddLine(pixels + std::size_t(r) * width, column, m_rowPart[storedRow], firstColumn,
                    column + width);
        }
    }
}

void AreaAverager::AddLine(const std::uint32_t* line, std::uint32_t lineColumn,
                           std::uint32_t rowPart, std::uint32_t firstColumn,
                           std::uint32_t endColumn) {
    // Neighbouring columns mostly share a result pixel: sum each run in two packed halves
    // (channels 0 and 2, channels 1 and 3) and store it once.
    std::uint32_t c = firstColumn;
    while (c < endColumn) {
        const std::uint32_t target = rowPart + m_columnPart[c];
        const std::uint32_t runEnd = std::min(m_runEnd[c], endColumn);
        const std::uint32_t samples = (runEnd - c + m_step - 1) / m_step;
        std::uint32_t evenChannels = 0;
        std::uint32_t oddChannels = 0;
        for (; c < runEnd; c += m_step) {
            const std::uint32_t abgr = line[c - lineColumn];
            evenChannels += abgr & 0x00FF00FF;
            oddChannels += (abgr >> 8) & 0x00FF00FF;
        }
        std::uint32_t* sum = &m_sums[std::size_t(target) * 4];
        sum[0] += evenChannels & 0xFFFF;
        sum[1] += oddChannels & 0xFFFF;
        sum[2] += evenChannels >> 16;
        sum[3] += oddChannels >> 16;
        m_counts[target] += samples;
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

#include "viewer/AreaAverager.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>

namespace {

// 255 times this many samples still fits a 32-bit sum.
constexpr std::uint64_t kMaxSamplesPerPixel = 1u << 24;
// 255 times this many samples still fits a 16-bit half of a packed column sum.
constexpr std::uint32_t kMaxGatheredLines = 257;

std::uint32_t Scaled(std::uint64_t position, std::uint64_t from, std::uint64_t to) {
    return static_cast<std::uint32_t>(position * to / from);
}

// n / d rounded down, by multiplying: one division per pixel instead of one per channel.
std::uint32_t Quotient(std::uint64_t n, std::uint32_t d, double reciprocal) {
    auto quotient = static_cast<std::uint64_t>(double(n) * reciprocal);
    if (quotient * d > n) {
        --quotient; // the product may come out a hair too large or too small
    } else if ((quotient + 1) * d <= n) {
        ++quotient;
    }
    return static_cast<std::uint32_t>(quotient);
}

constexpr std::size_t kHugePageBytes = 2u << 20;

// The sums are large and touched once each: huge pages spare most of their page faults.
std::unique_ptr<std::uint32_t[], AreaAverager::Freer> ZeroedSums(std::size_t count) {
    const std::size_t bytes =
        (count * sizeof(std::uint32_t) + kHugePageBytes - 1) / kHugePageBytes * kHugePageBytes;
    void* memory = std::aligned_alloc(kHugePageBytes, bytes);
    if (memory == nullptr) {
        throw std::bad_alloc();
    }
#ifdef MADV_HUGEPAGE
    madvise(memory, bytes, MADV_HUGEPAGE);
#endif
    std::memset(memory, 0, bytes);
    return std::unique_ptr<std::uint32_t[], AreaAverager::Freer>(
        static_cast<std::uint32_t*>(memory));
}

} // namespace

AreaAverager::AreaAverager(std::uint32_t width, std::uint32_t height, int orientation, int outWidth,
                           int outHeight)
    : m_width(width), m_height(height),
      m_orientation(orientation >= 1 && orientation <= 8 ? orientation : 1), m_outWidth(outWidth),
      m_outHeight(outHeight), m_sums(ZeroedSums(std::size_t(outWidth) * outHeight * 4)) {
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
    m_evenChannels.assign(m_width, 0);
    m_oddChannels.assign(m_width, 0);
    m_rowPart.resize(m_height);
    for (std::uint32_t r = 0; r < m_height; ++r) {
        const std::uint32_t along = flipRows ? m_height - 1 - r : r;
        m_rowPart[r] = swap ? x(along) : y(along);
    }
}

void AreaAverager::BuildRuns() {
    // A run ends where the result pixel changes.
    m_runEnd.resize(m_width);
    std::uint32_t end = m_width;
    for (std::uint32_t c = m_width; c-- > 0;) {
        if (c + 1 < m_width && m_columnPart[c] != m_columnPart[c + 1]) {
            end = c + 1;
        }
        m_runEnd[c] = end;
    }
}

void AreaAverager::Add(const std::uint32_t* pixels, std::uint32_t column, std::uint32_t row,
                       std::uint32_t width, std::uint32_t height) {
    const std::uint32_t firstColumn = (column + m_step - 1) / m_step * m_step;
    std::uint32_t r = (row + m_step - 1) / m_step * m_step - row;
    while (r < height) {
        // Neighbouring stored rows mostly share result pixels: gather them column by column
        // first, then spread the columns over their result pixels once.
        const std::uint32_t rowPart = m_rowPart[row + r];
        std::uint32_t rows = 0;
        do {
            GatherLine(pixels + std::size_t(r) * width, column, firstColumn, column + width);
            ++rows;
            r += m_step;
        } while (r < height && m_rowPart[row + r] == rowPart && rows < kMaxGatheredLines);
        SpreadColumns(rowPart, firstColumn, column + width);
    }
}

void AreaAverager::GatherLine(const std::uint32_t* line, std::uint32_t lineColumn,
                              std::uint32_t firstColumn, std::uint32_t endColumn) {
    // Two packed halves per column: channels 0 and 2, channels 1 and 3.
    std::uint32_t* even = m_evenChannels.data();
    std::uint32_t* odd = m_oddChannels.data();
    if (m_step == 1) {
        for (std::uint32_t c = firstColumn; c < endColumn; ++c) {
            const std::uint32_t abgr = line[c - lineColumn];
            even[c] += abgr & 0x00FF00FF;
            odd[c] += (abgr >> 8) & 0x00FF00FF;
        }
        return;
    }
    for (std::uint32_t c = firstColumn; c < endColumn; c += m_step) {
        const std::uint32_t abgr = line[c - lineColumn];
        even[c] += abgr & 0x00FF00FF;
        odd[c] += (abgr >> 8) & 0x00FF00FF;
    }
}

void AreaAverager::SpreadColumns(std::uint32_t rowPart, std::uint32_t firstColumn,
                                 std::uint32_t endColumn) {
    std::uint32_t c = firstColumn;
    while (c < endColumn) {
        const std::uint32_t target = rowPart + m_columnPart[c];
        const std::uint32_t runEnd = std::min(m_runEnd[c], endColumn);
        std::uint32_t* sum = &m_sums[std::size_t(target) * 4];
        for (; c < runEnd; c += m_step) {
            sum[0] += m_evenChannels[c] & 0xFFFF;
            sum[1] += m_oddChannels[c] & 0xFFFF;
            sum[2] += m_evenChannels[c] >> 16;
            sum[3] += m_oddChannels[c] >> 16;
            m_evenChannels[c] = 0;
            m_oddChannels[c] = 0;
        }
    }
}

std::vector<AreaAverager::PartSamples>
AreaAverager::Samples(const std::vector<std::uint32_t>& parts) const {
    // The maps are monotonic, so the stored lines of one result line are neighbours.
    std::vector<PartSamples> samples;
    for (std::size_t i = 0; i < parts.size(); i += m_step) {
        if (samples.empty() || samples.back().part != parts[i]) {
            samples.push_back({parts[i], 0});
        }
        ++samples.back().count;
    }
    return samples;
}

RgbaImage AreaAverager::Result() const {
    RgbaImage image;
    image.width = m_outWidth;
    image.height = m_outHeight;
    image.stride = m_outWidth * 4;
    image.pixels.resize(std::size_t(m_outWidth) * m_outHeight);
    const std::vector<PartSamples> columns = Samples(m_columnPart);
    for (const PartSamples& rows : Samples(m_rowPart)) {
        for (const PartSamples& column : columns) {
            const std::uint32_t target = rows.part + column.part;
            const std::uint32_t count = rows.count * column.count;
            const std::uint32_t* sum = &m_sums[std::size_t(target) * 4];
            const double reciprocal = 1.0 / count;
            const auto mean = [&](int channel) {
                return Quotient(std::uint64_t(sum[channel]) + count / 2, count, reciprocal);
            };
            image.pixels[target] = mean(3) << 24 | mean(0) << 16 | mean(1) << 8 | mean(2);
        }
    }
    return image;
}

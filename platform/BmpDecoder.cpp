#include "platform/BmpDecoder.h"

namespace {

constexpr std::uint32_t kUncompressed = 0;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint64_t kHeadersSize = 14 + kInfoHeaderSize;
constexpr std::uint32_t kOpaque = 0xFF000000u;

// Blue, green and red, in that order; a fourth byte, when there is one, is unused.
template <int kBytesPerPixel>
void Convert(const unsigned char* from, std::uint32_t* to, int width) {
    for (int x = 0; x < width; ++x, from += kBytesPerPixel) {
        to[x] = kOpaque | std::uint32_t(from[2]) << 16 | std::uint32_t(from[1]) << 8 | from[0];
    }
}

} // namespace

// Pixels said to start inside the headers are left to the image reader's own judgement.
bool BmpDecoder::Handles(const BmpHeader& header) {
    return header.infoSize == kInfoHeaderSize && header.compression == kUncompressed &&
           (header.bitsPerPixel == 24 || header.bitsPerPixel == 32) &&
           header.dataOffset >= kHeadersSize;
}

std::size_t BmpDecoder::RowBytes(const BmpHeader& header) {
    return (std::size_t(header.width) * std::size_t(header.bitsPerPixel) + 31) / 32 * 4;
}

int BmpDecoder::ImageRow(const BmpHeader& header, int stored) {
    return header.topDown ? stored : header.height - 1 - stored;
}

void BmpDecoder::ConvertRow(const BmpHeader& header, const unsigned char* row,
                            std::uint32_t* pixels) {
    if (header.bitsPerPixel == 24) {
        Convert<3>(row, pixels, header.width);
    } else {
        Convert<4>(row, pixels, header.width);
    }
}

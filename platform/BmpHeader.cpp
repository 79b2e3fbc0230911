#include "platform/BmpHeader.h"

#include <cstdlib>

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kReadSize = BmpHeader::kHeaderBytes;
static_assert(kReadSize == kFileHeaderSize + kInfoHeaderSize);
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
// A run-length code of two bytes paints at most 255 pixels; allow the best ratio and a little.
constexpr std::int64_t kMaxRlePixelsPerByte = 128;

std::uint32_t U32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

std::uint16_t U16(const unsigned char* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

struct Fields {
    std::int64_t width;
    std::int64_t height;
    std::uint32_t bitsPerPixel;
    std::uint32_t compression;
    std::uint32_t infoSize;
    bool topDown;
};

std::optional<Fields> ReadFields(const unsigned char* bytes, std::size_t size) {
    if (size < kFileHeaderSize + kCoreHeaderSize || bytes[0] != 'B' || bytes[1] != 'M') {
        return std::nullopt;
    }
    const unsigned char* info = bytes + kFileHeaderSize;
    const std::uint32_t infoSize = U32(info);
    if (infoSize == kCoreHeaderSize) {
        return Fields{U16(info + 4), U16(info + 6), U16(info + 10), 0, infoSize, false};
    }
    if (infoSize < kInfoHeaderSize || size < kReadSize) {
        return std::nullopt;
    }
    const auto width = static_cast<std::int32_t>(U32(info + 4));
    const auto height = static_cast<std::int32_t>(U32(info + 8));
    return Fields{width, std::llabs(height), U16(info + 14), U32(info + 16), infoSize, height < 0};
}

} // namespace

std::optional<BmpHeader> BmpHeader::Parse(const unsigned char* bytes, std::size_t size,
                                          std::uint64_t fileSize) {
    const std::optional<Fields> f = ReadFields(bytes, size);
    if (!f || f->width <= 0 || f->height <= 0 || f->width > kMaxSide || f->height > kMaxSide ||
        f->bitsPerPixel == 0 || f->bitsPerPixel > 32) {
        return std::nullopt;
    }
    const std::uint64_t offset = U32(bytes + 10);
    const std::int64_t data = fileSize > offset ? std::int64_t(fileSize - offset) : 0;
    const std::int64_t pixels = f->width * f->height;
    const bool runLength = f->compression == kRle8 || f->compression == kRle4;
    const std::int64_t rowBytes = (f->width * f->bitsPerPixel + 31) / 32 * 4;
    const bool holdsPixels =
        runLength ? data * kMaxRlePixelsPerByte >= pixels : data >= rowBytes * f->height;
    if (!holdsPixels) {
        return std::nullopt;
    }
    return BmpHeader{int(f->width),  int(f->height), int(f->bitsPerPixel),
                     f->compression, f->infoSize,    offset,
                     f->topDown};
}

#include "platform/BmpHeader.h"

#include <cstdint>
#include <gtest/gtest.h>
#include <vector>

namespace {

// A file header and an info header of a 24-bit image; `fileSize` is what the file holds.
std::vector<unsigned char> Header(std::int32_t width, std::int32_t height) {
    std::vector<unsigned char> bytes(54, 0);
    const auto put = [&bytes](std::size_t at, std::uint32_t value) {
        for (int i = 0; i < 4; ++i) {
            bytes[at + std::size_t(i)] = static_cast<unsigned char>(value >> (8 * i));
        }
    };
    bytes[0] = 'B';
    bytes[1] = 'M';
    put(10, 54);
    put(14, 40);
    put(18, static_cast<std::uint32_t>(width));
    put(22, static_cast<std::uint32_t>(height));
    bytes[26] = 1;
    bytes[28] = 24;
    return bytes;
}

TEST(BmpHeader, DecodesOnlyWhatTheFileHoldsWithinTheSideLimit) {
    struct Case {
        std::int32_t width, height;
        std::uint64_t fileSize;
        bool accepted;
    };
    const Case cases[] = {
        {10, 10, 54 + 32 * 10, true},
        {10, -10, 54 + 32 * 10, true},
        {10, 10, 54 + 32 * 10 - 1, false},
        {8192, 8192, 54 + 24576ULL * 8192, true},
        {8193, 1, 54 + 24580, false},
        {1, 8193, 54 + 4 * 8193, false},
        {0, 10, 1000, false},
    };
    for (const Case& c : cases) {
        const std::vector<unsigned char> bytes = Header(c.width, c.height);
        EXPECT_EQ(BmpHeader::Parse(bytes.data(), bytes.size(), c.fileSize).has_value(), c.accepted)
            << c.width << "x" << c.height << " in " << c.fileSize;
    }
}

} // namespace

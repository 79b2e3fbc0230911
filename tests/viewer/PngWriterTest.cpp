#include "tools/tipin-pages/PngWriter.h"

#include "tests/support/TempDir.h"

#include <QImage>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <vector>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

// A premultiplied pixel and the straight colour a PNG reader must see.
struct Sample {
    std::uint32_t premultiplied;
    QRgb straight;
};

const std::vector<Sample> kSamples = {
    {0x00000000, qRgba(0x00, 0x00, 0x00, 0x00)}, // transparent
    {0xFF123456, qRgba(0x12, 0x34, 0x56, 0xFF)}, // opaque
    {0x80804101, qRgba(0xFF, 0x81, 0x02, 0x80)}, // half transparent, rounded up and down
    {0x55552A01, qRgba(0xFF, 0x7E, 0x03, 0x55)}, {0x01010000, qRgba(0xFF, 0x00, 0x00, 0x01)},
};

constexpr std::uint32_t kPadding = 0xDEADBEEF;

// Rows padded past their pixels, so a writer that ignores the stride reads padding.
RgbaImage SampleImage(int width, int height, int paddingPixels) {
    RgbaImage image{width, height, (width + paddingPixels) * 4, {}};
    image.pixels.assign(static_cast<std::size_t>(width + paddingPixels) * height, kPadding);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.pixels[y * (width + paddingPixels) + x] =
                kSamples[(x + y) % kSamples.size()].premultiplied;
        }
    }
    return image;
}

QImage ReadBack(const fs::path& path) {
    return QImage(QString::fromStdString(path.string())).convertToFormat(QImage::Format_ARGB32);
}

class PngWriterTest : public ::testing::Test {
protected:
    TempDir dir;
    fs::path png = dir.path() / "page.png";
};

TEST_F(PngWriterTest, ReadersSeeTheStraightColours) {
    const RgbaImage image = SampleImage(7, 5, 3);
    std::string error;
    ASSERT_TRUE(PngWriter::Write(png.string(), image, error)) << error;
    const QImage read = ReadBack(png);
    ASSERT_EQ(read.size(), QSize(7, 5));
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 7; ++x) {
            EXPECT_EQ(read.pixel(x, y), kSamples[(x + y) % kSamples.size()].straight)
                << x << "," << y;
        }
    }
}

TEST_F(PngWriterTest, ASinglePixelImageIsWritten) {
    const RgbaImage image{1, 1, 4, {0x80804101}};
    std::string error;
    ASSERT_TRUE(PngWriter::Write(png.string(), image, error)) << error;
    const QImage read = ReadBack(png);
    ASSERT_EQ(read.size(), QSize(1, 1));
    EXPECT_EQ(read.pixel(0, 0), qRgba(0xFF, 0x81, 0x02, 0x80));
}

// Noise does not compress, so the data spreads over many IDAT chunks.
TEST_F(PngWriterTest, ALargeNoisyImageRoundTrips) {
    const int width = 513;
    const int height = 301;
    RgbaImage image{width, height, width * 4, {}};
    std::uint32_t state = 12345;
    for (int i = 0; i < width * height; ++i) {
        state = state * 1664525u + 1013904223u;
        image.pixels.push_back(0xFF000000 | (state >> 8));
    }
    std::string error;
    ASSERT_TRUE(PngWriter::Write(png.string(), image, error)) << error;
    EXPECT_GT(fs::file_size(png), 64u * 1024u * 4u);
    const QImage read = ReadBack(png);
    ASSERT_EQ(read.size(), QSize(width, height));
    int mismatches = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            mismatches += read.pixel(x, y) != image.pixels[y * width + x];
        }
    }
    EXPECT_EQ(mismatches, 0);
}

TEST_F(PngWriterTest, AnExistingFileIsReplaced) {
    dir.write("page.png", std::string(1000000, 'x'));
    std::string error;
    ASSERT_TRUE(PngWriter::Write(png.string(), SampleImage(3, 2, 0), error)) << error;
    EXPECT_EQ(ReadBack(png).size(), QSize(3, 2));
}

TEST_F(PngWriterTest, AMissingFolderFailsAndLeavesNothing) {
    const fs::path unwritable = dir.path() / "no-folder" / "page.png";
    std::string error;
    EXPECT_FALSE(PngWriter::Write(unwritable.string(), SampleImage(3, 2, 0), error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

// Fails inside the encoder rather than at opening; the device itself must survive.
TEST_F(PngWriterTest, AFullDiskFailsWithItsReason) {
    std::string error;
    EXPECT_FALSE(PngWriter::Write("/dev/full", SampleImage(2000, 2000, 0), error));
    EXPECT_EQ(error, std::strerror(ENOSPC));
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
}

TEST_F(PngWriterTest, RowsThatDoNotFitTheirPixelsAreRefused) {
    RgbaImage image = SampleImage(4, 3, 0);
    image.pixels.pop_back();
    std::string error;
    EXPECT_FALSE(PngWriter::Write(png.string(), image, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(fs::exists(png));
}

} // namespace

#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffDocument.h"

#include <gtest/gtest.h>
#include <tiffio.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

// A white page with one black column of width 1 at `x`, as a fax line would be.
void WriteLinePage(const fs::path& path, std::uint32_t width, std::uint32_t height, std::uint32_t x,
                   std::uint16_t orientation = ORIENTATION_TOPLEFT, float xDpi = 0,
                   float yDpi = 0) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    if (xDpi > 0 && yDpi > 0) {
        TIFFSetField(tif, TIFFTAG_XRESOLUTION, xDpi);
        TIFFSetField(tif, TIFFTAG_YRESOLUTION, yDpi);
    }
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, 8);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, orientation);
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 7);
    std::vector<std::uint8_t> row(width, 255);
    row[x] = 0;
    for (std::uint32_t y = 0; y < height; ++y) {
        TIFFWriteScanline(tif, row.data(), y, 0);
    }
    TIFFClose(tif);
}

std::uint8_t Grey(std::uint32_t argb) {
    return argb & 0xFF;
}

TEST(RenderPage, FitsIntoTheBoxKeepingTheAspectRatio) {
    TempDir dir;
    const fs::path file = dir.path() / "wide.tif";
    WriteLinePage(file, 400, 100, 3);
    const RenderResult shown = TiffDocument::RenderPage(file, 1, 200, 200);
    ASSERT_TRUE(shown.status.ok) << shown.status.message;
    EXPECT_EQ(shown.image.width, 200);
    EXPECT_EQ(shown.image.height, 50);
    EXPECT_EQ(shown.image.stride, 200 * 4);
    EXPECT_EQ(shown.image.pixels.size(), 200u * 50);
}

TEST(RenderPage, PixelsTheResolutionSaysAreNotSquareKeepThePageProportions) {
    TempDir dir;
    struct Case {
        std::uint16_t orientation;
        float xDpi;
        float yDpi;
        int width;
        int height;
    };
    // 400 x 100 pixels: at 200 x 100 dpi the page is twice as wide as tall, not four times.
    const Case cases[] = {
        {ORIENTATION_TOPLEFT, 200, 100, 100, 50}, {ORIENTATION_TOPLEFT, 100, 25, 100, 100},
        {ORIENTATION_LEFTTOP, 200, 100, 50, 100}, {ORIENTATION_TOPLEFT, 300, 300, 100, 25},
        {ORIENTATION_TOPLEFT, 1, 72, 100, 25}, // too far apart to be a real scanner's
    };
    for (const Case& c : cases) {
        const fs::path file = dir.path() / "fax.tif";
        WriteLinePage(file, 400, 100, 3, c.orientation, c.xDpi, c.yDpi);
        const RenderResult shown = TiffDocument::RenderPage(file, 1, 100, 100);
        ASSERT_TRUE(shown.status.ok) << shown.status.message;
        EXPECT_EQ(shown.image.width, c.width) << c.xDpi << " x " << c.yDpi;
        EXPECT_EQ(shown.image.height, c.height) << c.xDpi << " x " << c.yDpi;
    }
}

TEST(RenderPage, ThinLinesAreAveragedInsteadOfDropped) {
    TempDir dir;
    const fs::path file = dir.path() / "line.tif";
    WriteLinePage(file, 1000, 100, 505); // shrunk 10 times: the line is a tenth of pixel 50
    const RenderResult shown = TiffDocument::RenderPage(file, 1, 100, 100);
    ASSERT_TRUE(shown.status.ok);
    ASSERT_EQ(shown.image.width, 100);
    const std::uint32_t* row = &shown.image.pixels[5 * 100];
    EXPECT_NEAR(Grey(row[50]), 255 * 9 / 10, 2);
    EXPECT_EQ(Grey(row[49]), 255);
    EXPECT_EQ(Grey(row[51]), 255);
    EXPECT_EQ(row[50] >> 24, 0xFFu);
}

TEST(RenderPage, OrientationIsApplied) {
    TempDir dir;
    struct Case {
        std::uint16_t orientation;
        int width;
        int height;
        int blackX; // -1: the line runs across
        int blackY;
    };
    // The stored page is 6 wide and 4 high with a black column at x = 1.
    const Case cases[] = {{1, 6, 4, 1, -1}, {2, 6, 4, 4, -1}, {3, 6, 4, 4, -1}, {4, 6, 4, 1, -1},
                          {5, 4, 6, -1, 1}, {6, 4, 6, -1, 1}, {7, 4, 6, -1, 4}, {8, 4, 6, -1, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE("orientation " + std::to_string(c.orientation));
        const fs::path file = dir.path() / ("o" + std::to_string(c.orientation) + ".tif");
        WriteLinePage(file, 6, 4, 1, c.orientation);
        const RenderResult shown = TiffDocument::RenderPage(file, 1, 96, 96);
        ASSERT_TRUE(shown.status.ok);
        ASSERT_EQ(shown.image.width, c.width * 16);
        ASSERT_EQ(shown.image.height, c.height * 16);
        for (int y = 0; y < c.height; ++y) {
            for (int x = 0; x < c.width; ++x) {
                const bool black = x == c.blackX || y == c.blackY;
                const std::uint32_t pixel =
                    shown.image.pixels[std::size_t(y * 16 + 8) * shown.image.width + x * 16 + 8];
                EXPECT_EQ(Grey(pixel), black ? 0 : 255) << x << "," << y;
            }
        }
    }
}

TEST(RenderPage, SmallPagesAreEnlargedToFill) {
    TempDir dir;
    const fs::path file = dir.path() / "small.tif";
    WriteLinePage(file, 10, 5, 0);
    const RenderResult shown = TiffDocument::RenderPage(file, 1, 100, 100);
    ASSERT_TRUE(shown.status.ok);
    EXPECT_EQ(shown.image.width, 100);
    EXPECT_EQ(shown.image.height, 50);
}

TEST(RenderPage, TiledPagesRender) {
    TempDir dir;
    const fs::path file = dir.path() / "tiled.tif";
    WriteTiff(file, {TestPage{.width = 100, .height = 70, .samples = 3, .tileSize = 32}});
    const RenderResult shown = TiffDocument::RenderPage(file, 1, 100, 70);
    ASSERT_TRUE(shown.status.ok);
    const auto reference = DecodeRgba(file, 0);
    for (std::size_t i = 0; i < reference.size(); ++i) {
        const std::uint32_t abgr = reference[i];
        const std::uint32_t argb = (abgr & 0xFF00FF00) | (abgr & 0xFF) << 16 | (abgr >> 16 & 0xFF);
        ASSERT_EQ(shown.image.pixels[i], argb) << i;
    }
}

TEST(RenderPage, MissingPagesAndOtherFilesSayWhy) {
    TempDir dir;
    const fs::path file = dir.path() / "three.tif";
    WriteTiff(file, {TestPage{}, TestPage{}, TestPage{}});
    EXPECT_EQ(TiffDocument::RenderPage(file, 7, 50, 50).status.message,
              "Page 7 does not exist: the file has 3 pages");
    EXPECT_EQ(TiffDocument::RenderPage(file, 0, 50, 50).status.message,
              "Page 0 does not exist: the file has 3 pages");
    const RenderResult text = TiffDocument::RenderPage(dir.write("t.tif", "hello"), 1, 50, 50);
    EXPECT_FALSE(text.status.ok);
    EXPECT_TRUE(text.image.pixels.empty());
    EXPECT_EQ(text.status.message.rfind("Not a TIFF file", 0), 0u);
    EXPECT_FALSE(TiffDocument::RenderPage(file, 1, 0, 50).status.ok);
}

} // namespace

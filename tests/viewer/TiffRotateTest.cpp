// Turning pages: compared with ImageMagick's rotation for every lossless compression, and
// with a plain turn of the decoded pixels for every lossless page of the corpus.
#include "tests/support/Corpus.h"
#include "tests/support/TempDir.h"
#include "tests/viewer/TiffTestFiles.h"
#include "viewer/TiffDocument.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <gtest/gtest.h>
#include <tiffio.h>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

// The tags a turn rewrites: size, strips or tiles, resolution.
const std::set<std::uint16_t> kTurnedTags = {256, 257, 273, 278, 279, 282, 283, 324, 325};

Raster Turned(const Raster& raster, int quarterTurns) {
    Raster turned = raster;
    for (int turn = 0; turn < quarterTurns; ++turn) {
        const Raster from = turned;
        std::swap(turned.width, turned.height);
        for (std::uint32_t y = 0; y < from.height; ++y) {
            for (std::uint32_t x = 0; x < from.width; ++x) {
                turned.pixels[std::size_t(x) * turned.width + (from.height - 1 - y)] =
                    from.pixels[std::size_t(y) * from.width + x];
            }
        }
    }
    return turned;
}

// The first value of a SHORT or LONG tag.
std::uint32_t First(const TagValue& value) {
    std::uint16_t small = 0;
    std::uint32_t large = 0;
    std::memcpy(value.type == 3 ? static_cast<void*>(&small) : &large, value.bytes.data(),
                value.type == 3 ? 2 : 4);
    return value.type == 3 ? small : large;
}

fs::path TurnedCopy(const TempDir& dir, const fs::path& file, int degrees, TiffStatus& status) {
    const fs::path copy = dir.path() / ("turned-" + std::to_string(degrees) + ".tif");
    fs::copy_file(file, copy, fs::copy_options::overwrite_existing);
    status = TiffDocument::RotatePages(copy, TiffPageRanges::Parse("1"), degrees);
    return copy;
}

TEST(RotatePages, MatchesImageMagickForEveryLosslessCompression) {
    const std::vector<std::string> files = {"libtiffpic/fax2d.tif",
                                            "twelvemonkeys/group3_2d_lsb2msb.tif",
                                            "pillow/hopper_g4.tif",
                                            "pillow/g4-multi.tiff",
                                            "libtiffpic/oxford.tif",
                                            "pillow/hopper_lzw.tif",
                                            "pillow/tiff_adobe_deflate.tif",
                                            "golang-image/video-001-tile-64x64.tiff",
                                            "image-tiff/seq/seq-1c-8b-deflate-20f3db0c.tiff",
                                            "twelvemonkeys/sm_colors_pb.tif",
                                            "libtiff/palette-1c-4b.tiff",
                                            "libtiff/minisblack-1c-16b.tiff",
                                            "twelvemonkeys/bigtiff/BigTIFFLong8Tiles.tif"};
    TempDir dir;
    for (const std::string& name : files) {
        const fs::path file = CorpusDir() / "tiff" / name;
        for (const int degrees : {90, 180, 270}) {
            SCOPED_TRACE(name + " by " + std::to_string(degrees));
            TiffStatus status;
            const fs::path turned = TurnedCopy(dir, file, degrees, status);
            ASSERT_TRUE(status.ok) << status.message;
            const fs::path reference = dir.path() / "magick.tif";
            const std::string command = "/usr/bin/convert '" + file.string() + "[0]' -rotate " +
                                        std::to_string(degrees) + " '" + reference.string() + "'";
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
            EXPECT_TRUE(DecodeRgba(turned, 0) == DecodeRgba(reference, 0)) << "pixels differ";
            EXPECT_EQ(PageCompression(turned, 0), PageCompression(file, 0));
            ExpectSameTags(file, 0, turned, 0, kTurnedTags);
            const auto before = PageTags(file, 0);
            const auto after = PageTags(turned, 0);
            const bool swaps = degrees != 180;
            EXPECT_EQ(First(after.at(256)), First(before.at(swaps ? 257 : 256)));
            if (before.count(282) != 0) {
                EXPECT_TRUE(after.at(282).bytes == before.at(swaps ? 283 : 282).bytes);
            }
            for (int page = 1; page < LibtiffPageCount(file); ++page) {
                ExpectSamePage(file, page, turned, page);
            }
        }
    }
}

TEST(RotatePages, PagesOfManyBandsTurnPixelForPixel) {
    TempDir dir;
    const fs::path file = dir.path() / "large.tif";
    // 4.4 MB decoded: more than one band of the turned page, in strips and in tiles.
    WriteTiff(file, {TestPage{.width = 2100, .height = 2100, .compression = 8, .rowsPerStrip = 64},
                     TestPage{.width = 2100, .height = 2100, .compression = 5, .tileSize = 256}});
    for (const int degrees : {90, 180, 270}) {
        SCOPED_TRACE(degrees);
        const fs::path turned = dir.path() / "turned.tif";
        fs::copy_file(file, turned, fs::copy_options::overwrite_existing);
        const TiffStatus status =
            TiffDocument::RotatePages(turned, TiffPageRanges::Parse("1-2"), degrees);
        ASSERT_TRUE(status.ok) << status.message;
        for (int page = 0; page < 2; ++page) {
            EXPECT_TRUE(StoredRaster(turned, page).pixels ==
                        Turned(StoredRaster(file, page), degrees / 90).pixels);
        }
    }
}

TEST(RotatePages, TurnsEveryLosslessCorpusPagePixelForPixel) {
    TempDir dir;
    int turned = 0;
    for (const fs::path& file : FilesUnder(CorpusDir() / "tiff")) {
        if (file.string().find("/malformed/") != std::string::npos ||
            !TiffDocument::CountPages(file).status.ok) {
            continue;
        }
        const std::uint16_t compression = PageCompression(file, 0);
        const Raster original = StoredRaster(file, 0);
        for (const int degrees : {90, 180}) {
            SCOPED_TRACE(file.string() + " by " + std::to_string(degrees));
            TiffStatus status;
            const fs::path result = TurnedCopy(dir, file, degrees, status);
            if (compression == COMPRESSION_JPEG || compression == COMPRESSION_OJPEG) {
                EXPECT_NE(status.message.find("JPEG-compressed"), std::string::npos);
                EXPECT_TRUE(ReadBytes(result) == ReadBytes(file));
                continue;
            }
            if (!status.ok) {
                // Only what cannot be turned without loss, or what does not decode.
                EXPECT_EQ(status.message.rfind("Cannot turn page 1: ", 0), 0u) << status.message;
                EXPECT_TRUE(ReadBytes(result) == ReadBytes(file));
                continue;
            }
            std::uint16_t orientation = 1;
            TIFF* tif = TIFFOpen(file.c_str(), "r");
            TIFFGetFieldDefaulted(tif, TIFFTAG_ORIENTATION, &orientation);
            TIFFClose(tif);
            const bool mirrored =
                orientation == 2 || orientation == 4 || orientation == 5 || orientation == 7;
            const int turns = mirrored ? 4 - degrees / 90 : degrees / 90;
            const Raster expected = Turned(original, turns % 4);
            const Raster got = StoredRaster(result, 0);
            EXPECT_EQ(got.ok, original.ok);
            EXPECT_TRUE(got.pixels == expected.pixels) << "pixels differ";
            EXPECT_EQ(PageCompression(result, 0), compression);
            turned += degrees == 90 ? 1 : 0;
        }
    }
    std::cout << "[   INFO   ] " << turned << " corpus files turned\n";
    EXPECT_GE(turned, 200);
}

} // namespace

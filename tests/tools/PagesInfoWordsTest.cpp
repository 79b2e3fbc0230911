// `tipin-pages info` on real files of each common kind: the words beside the numbers, and
// what stays as it was (one line per page, the other fields, the exit codes).
#include "tests/support/PagesRun.h"
#include "tests/support/TempDir.h"
#include "tools/tipin-pages/PagesCommand.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <tiffio.h>
#include <vector>

namespace fs = std::filesystem;
using namespace tipin::test;

namespace {

struct Page {
    std::uint32_t width = 32;
    std::uint32_t height = 16;
    std::uint16_t bits = 8;
    std::uint16_t samples = 1;
    std::uint16_t photometric = PHOTOMETRIC_MINISBLACK;
    std::uint16_t compression = COMPRESSION_NONE;
};

// Writes the pages with libtiff, one strip each, pixels in a simple pattern.
void WritePages(const fs::path& path, const std::vector<Page>& pages) {
    TIFF* tif = TIFFOpen(path.c_str(), "w");
    ASSERT_NE(tif, nullptr);
    for (const Page& page : pages) {
        TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, page.width);
        TIFFSetField(tif, TIFFTAG_IMAGELENGTH, page.height);
        TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, page.bits);
        TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, page.samples);
        TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
        TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, page.photometric);
        TIFFSetField(tif, TIFFTAG_COMPRESSION, page.compression);
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, page.height);
        std::vector<std::uint16_t> red(256), green(256), blue(256);
        if (page.photometric == PHOTOMETRIC_PALETTE) {
            for (int i = 0; i < 256; ++i) {
                red[i] = static_cast<std::uint16_t>(i * 257);
                green[i] = static_cast<std::uint16_t>((255 - i) * 257);
                blue[i] = 0x8000;
            }
            TIFFSetField(tif, TIFFTAG_COLORMAP, red.data(), green.data(), blue.data());
        }
        if (page.compression == COMPRESSION_JPEG) {
            TIFFSetField(tif, TIFFTAG_JPEGCOLORMODE, JPEGCOLORMODE_RGB);
        }
        const std::size_t rowBytes = (std::size_t{page.width} * page.bits * page.samples + 7) / 8;
        std::vector<unsigned char> row(rowBytes);
        for (std::uint32_t y = 0; y < page.height; ++y) {
            for (std::size_t x = 0; x < rowBytes; ++x) {
                row[x] = static_cast<unsigned char>((x * 7 + y * 13) & 0xFF);
            }
            ASSERT_EQ(TIFFWriteScanline(tif, row.data(), y, 0), 1);
        }
        ASSERT_EQ(TIFFWriteDirectory(tif), 1);
    }
    TIFFClose(tif);
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

// Replaces the value of the first directory's entry `tag` (a SHORT) in a little-endian
// classic TIFF file written by libtiff.
void PatchShortTag(const fs::path& path, std::uint16_t tag, std::uint16_t value) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    auto read16 = [&file](std::streamoff at) {
        unsigned char bytes[2] = {};
        file.seekg(at);
        file.read(reinterpret_cast<char*>(bytes), 2);
        return static_cast<std::uint16_t>(bytes[0] | bytes[1] << 8);
    };
    unsigned char offsetBytes[4] = {};
    file.seekg(4);
    file.read(reinterpret_cast<char*>(offsetBytes), 4);
    const std::streamoff ifd = offsetBytes[0] | offsetBytes[1] << 8 | offsetBytes[2] << 16 |
                               static_cast<std::streamoff>(offsetBytes[3]) << 24;
    const std::uint16_t entries = read16(ifd);
    for (std::uint16_t i = 0; i < entries; ++i) {
        const std::streamoff entry = ifd + 2 + 12 * i;
        if (read16(entry) == tag) {
            ASSERT_EQ(read16(entry + 2), TIFF_SHORT);
            const char bytes[2] = {static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
            file.seekp(entry + 8);
            file.write(bytes, 2);
            return;
        }
    }
    FAIL() << "no tag " << tag;
}

class PagesInfoWordsTest : public ::testing::Test {
protected:
    tipin::test::TempDir dir;
    fs::path file = dir.path() / "pages.tif";
};

TEST_F(PagesInfoWordsTest, EachPageNamesItsPhotometricAndCompression) {
    ASSERT_TRUE(TIFFIsCODECConfigured(COMPRESSION_JPEG)) << "libtiff without JPEG";
    WritePages(
        file,
        {
            {.bits = 1,
             .photometric = PHOTOMETRIC_MINISWHITE,
             .compression = COMPRESSION_CCITTFAX4},
            {.bits = 1,
             .photometric = PHOTOMETRIC_MINISWHITE,
             .compression = COMPRESSION_CCITTFAX3},
            {.compression = COMPRESSION_LZW},
            {.samples = 3, .photometric = PHOTOMETRIC_RGB},
            {.samples = 3, .photometric = PHOTOMETRIC_RGB, .compression = COMPRESSION_PACKBITS},
            {.photometric = PHOTOMETRIC_PALETTE, .compression = COMPRESSION_ADOBE_DEFLATE},
            {.samples = 3, .photometric = PHOTOMETRIC_YCBCR, .compression = COMPRESSION_JPEG},
            {.samples = 4, .photometric = PHOTOMETRIC_SEPARATED},
        });
    const Outcome info = RunPages({"info", file.string()});
    ASSERT_EQ(info.code, PagesCommand::kSuccess) << info.err;
    EXPECT_EQ(info.err, "");
    const std::vector<std::string> lines = Lines(info.out);
    ASSERT_EQ(lines.size(), 8u) << info.out;
    EXPECT_EQ(lines[0].substr(0, lines[0].find(", 1 strips")),
              "page 1: 32x16, 1 bits x 1, photometric 0 (min-is-white), compression 4 (CCITT G4)");
    EXPECT_NE(lines[1].find("photometric 0 (min-is-white), compression 3 (CCITT G3), 1 strips"),
              std::string::npos)
        << lines[1];
    EXPECT_NE(lines[2].find("8 bits x 1, photometric 1 (min-is-black), compression 5 (LZW), "),
              std::string::npos)
        << lines[2];
    EXPECT_NE(lines[3].find("8 bits x 3, photometric 2 (RGB), compression 1 (none), 1 strips, "
                            "1536 bytes"),
              std::string::npos)
        << lines[3];
    EXPECT_NE(lines[4].find("photometric 2 (RGB), compression 32773 (PackBits)"), std::string::npos)
        << lines[4];
    EXPECT_NE(lines[5].find("photometric 3 (palette), compression 8 (Deflate)"), std::string::npos)
        << lines[5];
    EXPECT_NE(lines[6].find("photometric 6 (YCbCr), compression 7 (JPEG)"), std::string::npos)
        << lines[6];
    EXPECT_NE(lines[7].find("8 bits x 4, photometric 5 (CMYK), compression 1 (none)"),
              std::string::npos)
        << lines[7];
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].rfind("page " + std::to_string(i + 1) + ": 32x16, ", 0), 0u) << lines[i];
    }
}

TEST_F(PagesInfoWordsTest, AnUnknownPhotometricIsPrintedAsItsNumberAlone) {
    WritePages(file, {{}});
    PatchShortTag(file, TIFFTAG_PHOTOMETRIC, 7);
    const Outcome info = RunPages({"info", file.string()});
    ASSERT_EQ(info.code, PagesCommand::kSuccess) << info.err;
    EXPECT_NE(info.out.find(", photometric 7, compression 1 (none), "), std::string::npos)
        << info.out;
}

TEST_F(PagesInfoWordsTest, FailuresStayOneLineWithNothingOnStandardOutput) {
    const fs::path text = dir.write("notes.tif", "just some words, no pictures");
    for (const fs::path& path : {text, dir.path() / "missing.tif"}) {
        const Outcome info = RunPages({"info", path.string()});
        EXPECT_EQ(info.code, PagesCommand::kFailure);
        EXPECT_EQ(info.out, "");
        EXPECT_EQ(Lines(info.err).size(), 1u) << info.err;
        EXPECT_EQ(info.err.rfind("tipin-pages: ", 0), 0u) << info.err;
    }
    EXPECT_EQ(RunPages({"info"}).code, PagesCommand::kUsageError);
}

TEST(PagesVersionTest, VersionAndHelpGoToStandardOutput) {
    const Outcome version = RunPages({"--version"});
    EXPECT_EQ(version.code, PagesCommand::kSuccess);
    EXPECT_EQ(version.out, std::string("tipin-pages ") + TIPIN_VERSION + "\n");
    EXPECT_EQ(version.err, "");
    const Outcome help = RunPages({"--help"});
    EXPECT_EQ(help.code, PagesCommand::kSuccess);
    EXPECT_NE(help.out.find("tipin-pages --help | --version"), std::string::npos) << help.out;
    EXPECT_EQ(help.err, "");
}

} // namespace

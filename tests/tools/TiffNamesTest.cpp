#include "tools/tipin-pages/TiffNames.h"

#include <gtest/gtest.h>
#include <tiff.h>

namespace {

TEST(TiffNamesTest, CompressionsHaveTheNamesUsersKnow) {
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_NONE), "1 (none)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_CCITTRLE), "2 (CCITT RLE)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_CCITTFAX3), "3 (CCITT G3)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_CCITTFAX4), "4 (CCITT G4)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_LZW), "5 (LZW)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_OJPEG), "6 (old JPEG)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_JPEG), "7 (JPEG)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_ADOBE_DEFLATE), "8 (Deflate)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_DEFLATE), "32946 (Deflate)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_PACKBITS), "32773 (PackBits)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_JBIG), "34661 (JBIG)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_JP2000), "34712 (JPEG 2000)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_LZMA), "34925 (LZMA)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_ZSTD), "50000 (Zstandard)");
    EXPECT_EQ(TiffNames::CompressionText(COMPRESSION_WEBP), "50001 (WebP)");
}

TEST(TiffNamesTest, PhotometricInterpretationsHaveTheNamesUsersKnow) {
    EXPECT_EQ(TiffNames::PhotometricText(PHOTOMETRIC_MINISWHITE), "0 (min-is-white)");
    EXPECT_EQ(TiffNames::PhotometricText(PHOTOMETRIC_MINISBLACK), "1 (min-is-black)");
    EXPECT_EQ(TiffNames::PhotometricText(PHOTOMETRIC_RGB), "2 (RGB)");
    EXPECT_EQ(TiffNames::PhotometricText(PHOTOMETRIC_PALETTE), "3 (palette)");
    EXPECT_EQ(TiffNames::PhotometricText(PHOTOMETRIC_MASK), "4 (mask)");
    EXPECT_EQ(TiffNames::PhotometricText(PHOTOMETRIC_SEPARATED), "5 (CMYK)");
    EXPECT_EQ(TiffNames::PhotometricText(PHOTOMETRIC_YCBCR), "6 (YCbCr)");
    EXPECT_EQ(TiffNames::PhotometricText(PHOTOMETRIC_CIELAB), "8 (CIE L*a*b*)");
    EXPECT_EQ(TiffNames::PhotometricText(PHOTOMETRIC_LOGLUV), "32845 (LogLuv)");
}

TEST(TiffNamesTest, UnknownNumbersStandAlone) {
    for (const std::uint16_t number : {0, 11, 12345, 65535}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(TiffNames::Compression(number), "");
        EXPECT_EQ(TiffNames::CompressionText(number), std::to_string(number));
    }
    for (const std::uint16_t number : {7, 11, 12345, 65535}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(TiffNames::Photometric(number), "");
        EXPECT_EQ(TiffNames::PhotometricText(number), std::to_string(number));
    }
}

} // namespace

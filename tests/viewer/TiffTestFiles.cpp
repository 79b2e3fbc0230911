#include "tests/viewer/TiffTestFiles.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <tiffio.h>

namespace tipin::test {
namespace {

struct Closer {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};
using Handle = std::unique_ptr<TIFF, Closer>;

Handle OpenAt(const std::filesystem::path& path, int pageIndex, const char* mode = "rmc") {
    Handle tif(TIFFOpen(path.c_str(), mode));
    if (!tif || !TIFFSetDirectory(tif.get(), static_cast<tdir_t>(pageIndex))) {
        throw std::runtime_error("libtiff cannot open page " + std::to_string(pageIndex) + " of " +
                                 path.string());
    }
    return tif;
}

std::uint32_t SampleValue(const TestPage& page, std::uint32_t x, std::uint32_t y,
                          std::uint32_t channel) {
    return (x * 7 + y * 13 + channel * 31 + page.seed * 17) ^ (x * y);
}

void WritePage(TIFF* tif, const TestPage& page) {
    TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, page.width);
    TIFFSetField(tif, TIFFTAG_IMAGELENGTH, page.height);
    TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, page.bits);
    TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, page.samples);
    TIFFSetField(tif, TIFFTAG_COMPRESSION, page.compression);
    TIFFSetField(tif, TIFFTAG_PHOTOMETRIC,
                 page.samples >= 3 ? PHOTOMETRIC_RGB : PHOTOMETRIC_MINISBLACK);
    TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tif, TIFFTAG_ORIENTATION, page.orientation);
    if (page.pageNumber) {
        TIFFSetField(tif, TIFFTAG_PAGENUMBER, std::uint16_t(9), std::uint16_t(9));
    }
    const std::uint32_t rowBytes = (page.width * page.samples * page.bits + 7) / 8;
    const auto fillRow = [&](std::uint32_t y, std::vector<std::uint8_t>& row) {
        row.assign(rowBytes, 0);
        for (std::uint32_t x = 0; x < page.width; ++x) {
            for (std::uint32_t c = 0; c < page.samples; ++c) {
                const std::uint32_t v = SampleValue(page, x, y, c);
                const std::uint32_t index = x * page.samples + c;
                if (page.bits == 1) {
                    row[index / 8] |= std::uint8_t((v >> 3) & 1) << (7 - index % 8);
                } else if (page.bits == 8) {
                    row[index] = std::uint8_t(v);
                } else {
                    const std::uint16_t wide = std::uint16_t(v * 257);
                    std::memcpy(&row[index * 2], &wide, 2);
                }
            }
        }
    };
    std::vector<std::uint8_t> row;
    if (page.tileSize == 0) {
        TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, page.rowsPerStrip);
        for (std::uint32_t y = 0; y < page.height; ++y) {
            fillRow(y, row);
            TIFFWriteScanline(tif, row.data(), y, 0);
        }
    } else {
        TIFFSetField(tif, TIFFTAG_TILEWIDTH, page.tileSize);
        TIFFSetField(tif, TIFFTAG_TILELENGTH, page.tileSize);
        const std::uint32_t bytesPerPixel = page.samples * page.bits / 8;
        std::vector<std::uint8_t> tile(TIFFTileSize(tif));
        for (std::uint32_t ty = 0; ty < page.height; ty += page.tileSize) {
            for (std::uint32_t tx = 0; tx < page.width; tx += page.tileSize) {
                std::fill(tile.begin(), tile.end(), 0);
                for (std::uint32_t y = ty; y < std::min(page.height, ty + page.tileSize); ++y) {
                    fillRow(y, row);
                    const std::uint32_t columns = std::min(page.tileSize, page.width - tx);
                    std::memcpy(&tile[(y - ty) * page.tileSize * bytesPerPixel],
                                &row[tx * bytesPerPixel], columns * bytesPerPixel);
                }
                TIFFWriteTile(tif, tile.data(), tx, ty, 0, 0);
            }
        }
    }
    TIFFWriteDirectory(tif);
}

} // namespace

void WriteTiff(const std::filesystem::path& path, const std::vector<TestPage>& pages,
               TestFileFormat format) {
    std::string mode = "w";
    mode += format.bigEndian ? "b" : "l";
    if (format.bigTiff) {
        mode += "8";
    }
    Handle tif(TIFFOpen(path.c_str(), mode.c_str()));
    if (!tif) {
        throw std::runtime_error("cannot create " + path.string());
    }
    for (const TestPage& page : pages) {
        WritePage(tif.get(), page);
    }
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
}

int LibtiffPageCount(const std::filesystem::path& path) {
    Handle tif(TIFFOpen(path.c_str(), "rm"));
    return tif ? static_cast<int>(TIFFNumberOfDirectories(tif.get())) : -1;
}

std::uint32_t PageWidth(const std::filesystem::path& path, int pageIndex) {
    Handle tif = OpenAt(path, pageIndex);
    std::uint32_t width = 0;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    return width;
}

std::uint16_t PageCompression(const std::filesystem::path& path, int pageIndex) {
    Handle tif = OpenAt(path, pageIndex);
    std::uint16_t compression = 1;
    TIFFGetFieldDefaulted(tif.get(), TIFFTAG_COMPRESSION, &compression);
    return compression;
}

std::vector<std::uint32_t> DecodeRgba(const std::filesystem::path& path, int pageIndex, bool* ok) {
    Handle tif = OpenAt(path, pageIndex, "rm");
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    TIFFGetField(tif.get(), TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif.get(), TIFFTAG_IMAGELENGTH, &height);
    if (std::uint64_t(width) * height > (64u << 20)) {
        throw std::runtime_error("page too large to compare");
    }
    std::vector<std::uint32_t> raster(std::size_t(width) * height);
    const int decoded =
        TIFFReadRGBAImageOriented(tif.get(), width, height, raster.data(), ORIENTATION_TOPLEFT, 0);
    if (ok) {
        *ok = decoded != 0;
    }
    return raster;
}

std::vector<std::string> RawStriles(const std::filesystem::path& path, int pageIndex) {
    Handle tif = OpenAt(path, pageIndex);
    const std::string bytes = ReadBytes(path);
    std::vector<std::string> striles;
    const std::uint32_t count =
        TIFFIsTiled(tif.get()) ? TIFFNumberOfTiles(tif.get()) : TIFFNumberOfStrips(tif.get());
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint64_t offset = TIFFGetStrileOffset(tif.get(), i);
        const std::uint64_t length = TIFFGetStrileByteCount(tif.get(), i);
        striles.push_back(offset <= bytes.size() ? bytes.substr(offset, length) : "");
    }
    return striles;
}

std::vector<std::string> DecodedStriles(const std::filesystem::path& path, int pageIndex) {
    Handle tif = OpenAt(path, pageIndex);
    const bool tiled = TIFFIsTiled(tif.get());
    const std::uint32_t count =
        tiled ? TIFFNumberOfTiles(tif.get()) : TIFFNumberOfStrips(tif.get());
    const tmsize_t size = tiled ? TIFFTileSize(tif.get()) : TIFFStripSize(tif.get());
    std::vector<std::string> striles;
    std::string buffer(static_cast<std::size_t>(size), '\0');
    for (std::uint32_t i = 0; i < count; ++i) {
        const tmsize_t got = tiled ? TIFFReadEncodedTile(tif.get(), i, buffer.data(), size)
                                   : TIFFReadEncodedStrip(tif.get(), i, buffer.data(), size);
        striles.push_back(got < 0 ? "" : buffer.substr(0, static_cast<std::size_t>(got)));
    }
    return striles;
}

bool FileIsBigEndian(const std::filesystem::path& path) {
    return ReadBytes(path).substr(0, 2) == "MM";
}

bool FileIsBigTiff(const std::filesystem::path& path) {
    const std::string head = ReadBytes(path).substr(0, 4);
    return head.size() == 4 && (head[2] == 43 || head[3] == 43);
}

std::vector<std::filesystem::path> FilesUnder(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        const std::string extension = entry.path().extension().string();
        if (entry.is_regular_file() && extension != ".txt" && extension != ".html" &&
            entry.path().filename() != "README") {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace tipin::test

namespace tipin::test {
namespace {

constexpr std::uint16_t kOldStyleJpeg = 6;

std::uint64_t Number(const std::string& bytes, std::uint64_t at, unsigned size, bool bigEndian) {
    if (at + size > bytes.size()) {
        throw std::runtime_error("a directory runs past the end of the file");
    }
    std::uint64_t value = 0;
    for (unsigned i = 0; i < size; ++i) {
        const unsigned index = bigEndian ? i : size - 1 - i;
        value = value << 8 | static_cast<std::uint8_t>(bytes[at + index]);
    }
    return value;
}

unsigned TypeSize(std::uint16_t type) {
    static const unsigned sizes[] = {0, 1, 1, 2, 4, 8, 1, 1, 2, 4, 8, 4, 8, 4, 0, 0, 8, 8, 8};
    return type < std::size(sizes) ? sizes[type] : 0;
}

bool IsRewritten(std::uint16_t tag) {
    static const std::set<std::uint16_t> rewritten = {273, 279, 288,   289,   297,  324,
                                                      325, 330, 34665, 34853, 40965};
    return rewritten.count(tag) != 0;
}

} // namespace

Raster StoredRaster(const std::filesystem::path& path, int pageIndex) {
    Handle tif = OpenAt(path, pageIndex, "rm");
    Raster raster;
    char reason[1024] = {};
    TIFFRGBAImage image{};
    if (!TIFFRGBAImageOK(tif.get(), reason) || !TIFFRGBAImageBegin(&image, tif.get(), 0, reason)) {
        return raster;
    }
    image.req_orientation = image.orientation;
    raster.width = image.width;
    raster.height = image.height;
    raster.pixels.resize(std::size_t(image.width) * image.height);
    raster.ok = TIFFRGBAImageGet(&image, raster.pixels.data(), image.width, image.height) != 0;
    TIFFRGBAImageEnd(&image);
    return raster;
}

std::map<std::uint16_t, TagValue> PageTags(const std::filesystem::path& path, int pageIndex) {
    const std::string bytes = ReadBytes(path);
    const bool big = bytes.size() >= 4 && bytes.substr(0, 2) == "MM";
    const bool bigTiff = Number(bytes, 2, 2, big) == 43;
    const unsigned word = bigTiff ? 8 : 4;
    std::uint64_t ifd = Number(bytes, bigTiff ? 8 : 4, word, big);
    for (int i = 0; i < pageIndex; ++i) {
        const std::uint64_t count = Number(bytes, ifd, bigTiff ? 8 : 2, big);
        ifd = Number(bytes, ifd + (bigTiff ? 8 : 2) + count * (bigTiff ? 20 : 12), word, big);
    }
    std::map<std::uint16_t, TagValue> tags;
    const std::uint64_t count = Number(bytes, ifd, bigTiff ? 8 : 2, big);
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t entry = ifd + (bigTiff ? 8 : 2) + i * (bigTiff ? 20 : 12);
        TagValue value;
        value.type = static_cast<std::uint16_t>(Number(bytes, entry + 2, 2, big));
        value.count = Number(bytes, entry + 4, word, big);
        const unsigned unit = value.type == 5 || value.type == 10 ? 4 : TypeSize(value.type);
        const std::uint64_t length = value.count * TypeSize(value.type);
        const std::uint64_t at =
            length <= word ? entry + 4 + word : Number(bytes, entry + 4 + word, word, big);
        for (std::uint64_t k = 0; unit > 0 && k < length; k += unit) {
            const std::uint64_t number = Number(bytes, at + k, unit, big);
            value.bytes.append(reinterpret_cast<const char*>(&number), unit);
        }
        tags[static_cast<std::uint16_t>(Number(bytes, entry, 2, big))] = value;
    }
    return tags;
}

void ExpectSamePage(const std::filesystem::path& original, int originalIndex,
                    const std::filesystem::path& result, int resultIndex) {
    SCOPED_TRACE("page " + std::to_string(originalIndex + 1) + " of " + original.string());
    bool originalDecodes = false;
    bool resultDecodes = false;
    const auto originalPixels = DecodeRgba(original, originalIndex, &originalDecodes);
    const auto resultPixels = DecodeRgba(result, resultIndex, &resultDecodes);
    EXPECT_EQ(originalDecodes, resultDecodes);
    EXPECT_TRUE(originalPixels == resultPixels) << "pixels differ";
    if (PageCompression(original, originalIndex) != kOldStyleJpeg) {
        const bool sameOrder = FileIsBigEndian(original) == FileIsBigEndian(result);
        EXPECT_TRUE(sameOrder
                        ? RawStriles(original, originalIndex) == RawStriles(result, resultIndex)
                        : DecodedStriles(original, originalIndex) ==
                              DecodedStriles(result, resultIndex))
            << "stored data differs";
    }
}

void ExpectSameTags(const std::filesystem::path& original, int originalIndex,
                    const std::filesystem::path& result, int resultIndex,
                    const std::set<std::uint16_t>& changed) {
    const auto before = PageTags(original, originalIndex);
    const auto after = PageTags(result, resultIndex);
    for (const auto& [tag, value] : before) {
        if (changed.count(tag) != 0 || TypeSize(value.type) == 0) {
            continue;
        }
        SCOPED_TRACE("tag " + std::to_string(tag));
        const auto found = after.find(tag);
        ASSERT_NE(found, after.end()) << "tag lost";
        EXPECT_EQ(found->second.count, value.count);
        if (!IsRewritten(tag)) {
            EXPECT_EQ(found->second.type, value.type);
            EXPECT_TRUE(found->second.bytes == value.bytes) << "value changed";
        }
    }
    for (const auto& [tag, value] : after) {
        EXPECT_TRUE(before.count(tag) != 0 || changed.count(tag) != 0) << "new tag " << tag;
    }
}

} // namespace tipin::test

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

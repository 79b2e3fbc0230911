#include "tools/tipin-pages/PngWriter.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>
#include <zlib.h>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::array<unsigned char, 8> kSignature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr unsigned char kBitDepth = 8;
constexpr unsigned char kColourTypeRgba = 6;
constexpr unsigned char kFilterNone = 0;
constexpr std::size_t kBytesPerPixel = 4;
// Big enough that chunk headers cost nothing, small enough to be a fixed cost.
constexpr std::size_t kIdatBytes = 64 * 1024;

bool Fits(const RgbaImage& image) {
    if (image.width <= 0 || image.height <= 0 || image.stride <= 0 ||
        image.stride % kBytesPerPixel != 0) {
        return false;
    }
    const auto width = static_cast<std::size_t>(image.width);
    const std::size_t rowPixels = static_cast<std::size_t>(image.stride) / kBytesPerPixel;
    const std::size_t needed = (static_cast<std::size_t>(image.height) - 1) * rowPixels + width;
    return rowPixels >= width && image.pixels.size() >= needed;
}

void AppendBigEndian(Bytes& bytes, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        bytes.push_back(static_cast<unsigned char>(value >> shift));
    }
}

bool Put(std::FILE* file, const unsigned char* data, std::size_t size, std::string& error) {
    if (size == 0 || std::fwrite(data, 1, size, file) == size) {
        return true;
    }
    error = std::strerror(errno);
    return false;
}

bool WriteChunk(std::FILE* file, const char (&type)[5], const unsigned char* data, std::size_t size,
                std::string& error) {
    const auto* typeBytes = reinterpret_cast<const unsigned char*>(type);
    uLong crc = crc32(0, typeBytes, 4);
    // zlib treats a null buffer as a request for the initial value, not as no bytes.
    if (size > 0) {
        crc = crc32(crc, data, static_cast<uInt>(size));
    }
    Bytes length;
    AppendBigEndian(length, static_cast<std::uint32_t>(size));
    Bytes check;
    AppendBigEndian(check, static_cast<std::uint32_t>(crc));
    return Put(file, length.data(), length.size(), error) && Put(file, typeBytes, 4, error) &&
           Put(file, data, size, error) && Put(file, check.data(), check.size(), error);
}

bool WriteHeader(std::FILE* file, const RgbaImage& image, std::string& error) {
    Bytes header;
    AppendBigEndian(header, static_cast<std::uint32_t>(image.width));
    AppendBigEndian(header, static_cast<std::uint32_t>(image.height));
    header.insert(header.end(), {kBitDepth, kColourTypeRgba, 0, 0, 0});
    return WriteChunk(file, "IHDR", header.data(), header.size(), error);
}

unsigned char Unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
    if (alpha == 0) {
        return 0;
    }
    return static_cast<unsigned char>(
        std::min<std::uint32_t>(255, (channel * 255 + alpha / 2) / alpha));
}

// One scanline as PNG stores it: the filter byte, then R, G, B, A per pixel.
void FillRow(const RgbaImage& image, int y, Bytes& row) {
    const std::uint32_t* pixels =
        image.pixels.data() + static_cast<std::size_t>(y) * (image.stride / kBytesPerPixel);
    row[0] = kFilterNone;
    unsigned char* out = row.data() + 1;
    for (int x = 0; x < image.width; ++x) {
        const std::uint32_t pixel = pixels[x];
        const std::uint32_t alpha = pixel >> 24;
        *out++ = Unpremultiply((pixel >> 16) & 0xFF, alpha);
        *out++ = Unpremultiply((pixel >> 8) & 0xFF, alpha);
        *out++ = Unpremultiply(pixel & 0xFF, alpha);
        *out++ = static_cast<unsigned char>(alpha);
    }
}

// Feeds `input` to the compressor, writing an IDAT chunk each time the output block fills.
bool Deflate(std::FILE* file, z_stream& stream, Bytes& input, int flush, Bytes& compressed,
             std::string& error) {
    stream.next_in = input.data();
    stream.avail_in = static_cast<uInt>(input.size());
    int status = Z_OK;
    do {
        status = deflate(&stream, flush);
        if (status == Z_STREAM_ERROR) {
            error = "compression failed";
            return false;
        }
        if (stream.avail_out == 0) {
            if (!WriteChunk(file, "IDAT", compressed.data(), compressed.size(), error)) {
                return false;
            }
            stream.next_out = compressed.data();
            stream.avail_out = static_cast<uInt>(compressed.size());
        }
    } while (stream.avail_in > 0 || (flush == Z_FINISH && status != Z_STREAM_END));
    return true;
}

bool DeflateRows(std::FILE* file, const RgbaImage& image, z_stream& stream, std::string& error) {
    Bytes row(1 + static_cast<std::size_t>(image.width) * kBytesPerPixel);
    Bytes compressed(kIdatBytes);
    stream.next_out = compressed.data();
    stream.avail_out = static_cast<uInt>(compressed.size());
    for (int y = 0; y < image.height; ++y) {
        FillRow(image, y, row);
        const int flush = y + 1 == image.height ? Z_FINISH : Z_NO_FLUSH;
        if (!Deflate(file, stream, row, flush, compressed, error)) {
            return false;
        }
    }
    const std::size_t rest = compressed.size() - stream.avail_out;
    return rest == 0 || WriteChunk(file, "IDAT", compressed.data(), rest, error);
}

bool WriteImageData(std::FILE* file, const RgbaImage& image, std::string& error) {
    z_stream stream{};
    if (deflateInit(&stream, Z_DEFAULT_COMPRESSION) != Z_OK) {
        error = "cannot start compressing";
        return false;
    }
    const bool written = DeflateRows(file, image, stream, error);
    deflateEnd(&stream);
    return written;
}

bool WriteContent(std::FILE* file, const RgbaImage& image, std::string& error) {
    return Put(file, kSignature.data(), kSignature.size(), error) &&
           WriteHeader(file, image, error) && WriteImageData(file, image, error) &&
           WriteChunk(file, "IEND", nullptr, 0, error);
}

// Only a regular file can be partial; a device or pipe given as the path must survive.
void RemovePartialFile(const std::string& path) {
    std::error_code ignored;
    if (std::filesystem::is_regular_file(path, ignored)) {
        std::filesystem::remove(path, ignored);
    }
}

} // namespace

bool PngWriter::Write(const std::string& path, const RgbaImage& image, std::string& error) {
    if (!Fits(image)) {
        error = "the image's size does not match its pixels";
        return false;
    }
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        error = std::strerror(errno);
        return false;
    }
    const bool written = WriteContent(file, image, error);
    const bool closed = std::fclose(file) == 0;
    if (written && !closed) {
        error = std::strerror(errno);
    }
    if (!written || !closed) {
        RemovePartialFile(path);
        return false;
    }
    return true;
}

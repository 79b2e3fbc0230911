#include "tools/tipin-pages/PngWriter.h"

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <png.h>
#include <vector>

namespace {

constexpr std::size_t kBytesPerPixel = 4;
constexpr int kBitDepth = 8;
// Big enough that chunk headers cost nothing, small enough to be a fixed cost.
constexpr std::size_t kIdatBytes = 64 * 1024;
// zlib's default level, unfiltered: libpng's adaptive filters make smaller files but take up
// to twice as long.
constexpr int kCompressionLevel = 6;

// What libpng's callbacks share with the encoder. Plain data only: libpng leaves an error
// through longjmp, which must not skip a destructor.
struct PngSink {
    std::FILE* file;
    char error[256];
};

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

[[noreturn]] void OnError(png_structp png, png_const_charp message) {
    auto* sink = static_cast<PngSink*>(png_get_error_ptr(png));
    std::snprintf(sink->error, sizeof sink->error, "%s", message);
    png_longjmp(png, 1);
}

void OnWarning(png_structp /*png*/, png_const_charp /*message*/) {}

// Writes itself rather than through libpng's stdio, so a failure names its cause.
void OnWrite(png_structp png, png_bytep data, png_size_t size) {
    const auto* sink = static_cast<const PngSink*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, size, sink->file) != size) {
        png_error(png, std::strerror(errno));
    }
}

void OnFlush(png_structp /*png*/) {}

unsigned char Unpremultiply(std::uint32_t channel, std::uint32_t alpha) {
    if (alpha == 0) {
        return 0;
    }
    return static_cast<unsigned char>(
        std::min<std::uint32_t>(255, (channel * 255 + alpha / 2) / alpha));
}

// One scanline as PNG stores it: R, G, B, A per pixel.
void FillRow(const RgbaImage& image, int y, png_bytep row) {
    const std::uint32_t* pixels =
        image.pixels.data() + static_cast<std::size_t>(y) * (image.stride / kBytesPerPixel);
    for (int x = 0; x < image.width; ++x) {
        const std::uint32_t pixel = pixels[x];
        const std::uint32_t alpha = pixel >> 24;
        *row++ = Unpremultiply((pixel >> 16) & 0xFF, alpha);
        *row++ = Unpremultiply((pixel >> 8) & 0xFF, alpha);
        *row++ = Unpremultiply(pixel & 0xFF, alpha);
        *row++ = static_cast<png_byte>(alpha);
    }
}

void Configure(png_structp png, png_infop info, const RgbaImage& image) {
    // The format's own limit rather than libpng's smaller default, which guards readers.
    png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
    png_set_compression_buffer_size(png, kIdatBytes);
    png_set_compression_level(png, kCompressionLevel);
    png_set_filter(png, PNG_FILTER_TYPE_BASE, PNG_FILTER_NONE);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
                 static_cast<png_uint_32>(image.height), kBitDepth, PNG_COLOR_TYPE_RGB_ALPHA,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
}

// An error inside libpng jumps back here, so this holds no object with a destructor, and the
// row buffer belongs to the caller.
bool EncodeRows(png_structp png, png_infop info, const RgbaImage& image, png_bytep row) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    Configure(png, info, image);
    png_write_info(png, info);
    for (int y = 0; y < image.height; ++y) {
        FillRow(image, y, row);
        png_write_row(png, row);
    }
    png_write_end(png, nullptr);
    return true;
}

bool WriteContent(std::FILE* file, const RgbaImage& image, std::string& error) {
    PngSink sink{file, {}};
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &sink, OnError, OnWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        error = "cannot start compressing";
        return false;
    }
    png_set_write_fn(png, &sink, OnWrite, OnFlush);
    std::vector<png_byte> row(static_cast<std::size_t>(image.width) * kBytesPerPixel);
    const bool written = EncodeRows(png, info, image, row.data());
    png_destroy_write_struct(&png, &info);
    if (!written) {
        error = sink.error;
    }
    return written;
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

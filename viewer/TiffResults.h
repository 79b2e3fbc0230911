#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What one engine operation reports. `message` is one short line naming the cause of a
// failure; `warnings` are libtiff's and the engine's remarks, never printed.
struct TiffStatus {
    bool ok = false;
    // The request itself was wrong (pages the file does not have, a malformed page list).
    bool badRequest = false;
    std::string message;
    std::vector<std::string> warnings;
};

// Premultiplied 0xAARRGGBB pixels (QImage's ARGB32_Premultiplied), rows `stride` bytes apart.
struct RgbaImage {
    int width = 0;
    int height = 0;
    int stride = 0;
    std::vector<std::uint32_t> pixels;
};

struct PageCountResult {
    TiffStatus status;
    int pageCount = 0;
};

struct RenderResult {
    TiffStatus status;
    RgbaImage image;
};

// How one page is stored.
struct PageInfo {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t samplesPerPixel = 0;
    std::uint16_t photometric = 0;
    std::uint16_t compression = 0;
    bool tiled = false;
    std::uint32_t strileCount = 0;
    std::uint64_t dataBytes = 0;
};

struct InfoResult {
    TiffStatus status;
    std::vector<PageInfo> pages;
};

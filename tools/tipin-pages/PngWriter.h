#pragma once

#include "viewer/TiffResults.h"

#include <string>

// Saves a rendered page as an 8-bit RGBA PNG. Rows are compressed one at a time, so memory
// stays at a row and a block of compressed bytes whatever the page's size.
class PngWriter {
public:
    // Writes `image` to `path`. On failure `error` says why and no file is left behind.
    static bool Write(const std::string& path, const RgbaImage& image, std::string& error);
};

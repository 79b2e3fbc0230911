#pragma once

#include <QImage>
#include <string>

// Writes 24-bit uncompressed Windows bitmaps, byte for byte the same for the same image (no
// time stamp, no colour-space block), so that two builds give identical packages.
class CBmpWriter {
public:
    static std::string Encode(const QImage& image);
    // Throws std::runtime_error when the file cannot be written.
    static void Write(const QImage& image, const std::string& path);
};

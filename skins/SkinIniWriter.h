#pragma once

#include "skins/SkinModel.h"

#include <string>

// Writes a skin's description in the reading order of the skin engine, one record per key.
class CSkinIniWriter {
public:
    static constexpr const char* kFontFace = "DejaVu Sans";
    static constexpr const char* kTransparent = "0xFF00FF";

    static std::string Text(const SkinModel& model);
    // Throws std::runtime_error when the file cannot be written.
    static void Write(const SkinModel& model, const std::string& path);
};

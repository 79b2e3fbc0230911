#pragma once

#include <QFont>

// The typeface of every bundled skin, loaded from its files so that the output does not
// depend on which fonts the font configuration prefers.
class CSkinFonts {
public:
    static constexpr const char* kRegularFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    static constexpr const char* kBoldFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

    // Registers both files once; throws std::runtime_error when one cannot be loaded.
    static void Load();
    static QFont Font(int pixelSize, bool bold);
};

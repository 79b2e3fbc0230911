#pragma once

#include "skins/SkinModel.h"
#include "skins/SkinTheme.h"

#include <string>
#include <vector>

// Paints every bitmap of a skin and writes the skin's folder.
class CSkinGenerator {
public:
    static constexpr const char* kNotifierBitmap = "dlgTaskNotifier.bmp";

    static GeneratedSkin Build(const SkinTheme& theme);
    // Writes the bitmaps and Skin.ini into `folder`, which is created when missing.
    static void Write(const GeneratedSkin& skin, const std::string& folder);
    // Builds and writes every bundled skin into `root`/<folder>; returns the skins.
    static std::vector<GeneratedSkin> WriteAll(const std::string& root);
};

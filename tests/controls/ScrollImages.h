#pragma once

#include <QColor>
#include <array>
#include <filesystem>
#include <string>

namespace tipin::test {

// Colours of the scroll-bar images that WriteScrollImages writes.
struct ScrollColours {
    static inline const QColor kTrack{40, 40, 40};
    static inline const QColor kUp{200, 0, 0};
    static inline const QColor kActiveUp{255, 120, 120};
    static inline const QColor kDown{0, 200, 0};
    static inline const QColor kActiveDown{120, 255, 120};
    static inline const QColor kThumb{0, 0, 200};
    static inline const QColor kActiveThumb{120, 120, 255};
};

// Up and down arrows 16 x 16, a thumb 16 x 20, a track 16 x 8; in the order the list takes.
std::array<std::string, 7> WriteScrollImages(const std::filesystem::path& folder);

} // namespace tipin::test

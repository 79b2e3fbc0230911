#include "tests/controls/ScrollImages.h"

#include "tests/controls/TestImages.h"

namespace tipin::test {

std::array<std::string, 7> WriteScrollImages(const std::filesystem::path& folder) {
    const auto write = [&](const char* name, QSize size, QColor colour) {
        return WriteBmp((folder / name).string(), SolidImage(size, colour));
    };
    using C = ScrollColours;
    return {write("track.bmp", {16, 8}, C::kTrack),        write("up.bmp", {16, 16}, C::kUp),
            write("upa.bmp", {16, 16}, C::kActiveUp),      write("down.bmp", {16, 16}, C::kDown),
            write("downa.bmp", {16, 16}, C::kActiveDown),  write("thumb.bmp", {16, 20}, C::kThumb),
            write("thumba.bmp", {16, 20}, C::kActiveThumb)};
}

} // namespace tipin::test

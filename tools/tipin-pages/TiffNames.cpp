#include "tools/tipin-pages/TiffNames.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using Name = std::pair<std::uint16_t, const char*>;

// The values of the TIFF 6.0 standard, its technical notes and the ones libtiff knows.
constexpr std::array kCompressions = {
    Name{1, "none"},
    Name{2, "CCITT RLE"},
    Name{3, "CCITT G3"},
    Name{4, "CCITT G4"},
    Name{5, "LZW"},
    Name{6, "old JPEG"},
    Name{7, "JPEG"},
    Name{8, "Deflate"},
    Name{9, "JBIG T.85"},
    Name{10, "JBIG T.43"},
    Name{32766, "NeXT"},
    Name{32771, "CCITT RLE-W"},
    Name{32773, "PackBits"},
    Name{32809, "ThunderScan"},
    Name{32895, "IT8 CT"},
    Name{32896, "IT8 LW"},
    Name{32897, "IT8 MP"},
    Name{32898, "IT8 BL"},
    Name{32908, "Pixar film"},
    Name{32909, "Pixar log"},
    Name{32946, "Deflate"},
    Name{32947, "Kodak DCS"},
    Name{34661, "JBIG"},
    Name{34676, "SGI log"},
    Name{34677, "SGI log24"},
    Name{34712, "JPEG 2000"},
    Name{34887, "LERC"},
    Name{34925, "LZMA"},
    Name{50000, "Zstandard"},
    Name{50001, "WebP"},
    Name{50002, "JPEG XL"},
};

constexpr std::array kPhotometrics = {
    Name{0, "min-is-white"}, Name{1, "min-is-black"},   Name{2, "RGB"},     Name{3, "palette"},
    Name{4, "mask"},         Name{5, "CMYK"},           Name{6, "YCbCr"},   Name{8, "CIE L*a*b*"},
    Name{9, "ICC L*a*b*"},   Name{10, "ITU L*a*b*"},    Name{32803, "CFA"}, Name{32844, "LogL"},
    Name{32845, "LogLuv"},   Name{34892, "linear raw"},
};

template <std::size_t N> std::string Find(const std::array<Name, N>& names, std::uint16_t value) {
    const auto found = std::find_if(names.begin(), names.end(),
                                    [value](const Name& name) { return name.first == value; });
    return found == names.end() ? std::string() : std::string(found->second);
}

std::string WithName(std::uint16_t number, const std::string& name) {
    return name.empty() ? std::to_string(number) : std::to_string(number) + " (" + name + ")";
}

} // namespace

namespace TiffNames {

std::string Compression(std::uint16_t compression) {
    return Find(kCompressions, compression);
}

std::string Photometric(std::uint16_t photometric) {
    return Find(kPhotometrics, photometric);
}

std::string CompressionText(std::uint16_t compression) {
    return WithName(compression, Compression(compression));
}

std::string PhotometricText(std::uint16_t photometric) {
    return WithName(photometric, Photometric(photometric));
}

} // namespace TiffNames

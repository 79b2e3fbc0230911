#pragma once

#include <cstdint>
#include <string>

// Words for the numbers a TIFF page stores, as `tipin-pages info` prints them beside the
// numbers: "4 (CCITT G4)", "1 (min-is-black)". Unknown numbers have no words: the number alone.
namespace TiffNames {

// The name of a Compression value (tag 259), or an empty string when it is not known.
std::string Compression(std::uint16_t compression);
// The name of a PhotometricInterpretation value (tag 262), or an empty string.
std::string Photometric(std::uint16_t photometric);
// The number with its name: "4 (CCITT G4)", or "NUMBER" alone when it has no name.
std::string CompressionText(std::uint16_t compression);
std::string PhotometricText(std::uint16_t photometric);

} // namespace TiffNames

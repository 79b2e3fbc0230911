#pragma once

#include <cstdint>

// Little-endian fields of the archive's records.
namespace LittleEndian {

inline std::uint16_t U16(const unsigned char* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t U32(const unsigned char* bytes) {
    return static_cast<std::uint32_t>(U16(bytes)) |
           (static_cast<std::uint32_t>(U16(bytes + 2)) << 16);
}

} // namespace LittleEndian

#pragma once

#include <cstdint>
#include <map>
#include <vector>

// A directory entry as it will be written: value bytes already in the new file's byte order.
struct TiffOutputEntry {
    std::uint16_t type = 0;
    std::uint64_t count = 0;
    std::vector<std::uint8_t> bytes;
};

// Entries by tag: a directory's entries must be written in ascending tag order.
using TiffOutputEntries = std::map<std::uint16_t, TiffOutputEntry>;

#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tipin::test {

// One entry of an archive made for a test; every field can be bent to make it malformed.
struct ZipTestEntry {
    std::string name;
    std::string data;
    std::uint16_t method = 8;
    std::uint16_t flags = 0;
    bool descriptorSignature = true;
    std::uint32_t externalAttributes = 0x20;
    std::uint16_t dosTime = (12 << 11) | (34 << 5) | (56 / 2);
    std::uint16_t dosDate = ((2021 - 1980) << 9) | (7 << 5) | 15;
    std::uint16_t diskNumberStart = 0;
    // Bent fields: what the central record claims, what the local header claims.
    std::optional<std::uint32_t> centralCrc;
    std::optional<std::uint32_t> centralUncompressedSize;
    std::optional<std::uint16_t> localFlags;
    std::optional<std::uint16_t> localNameLength;
    std::optional<std::string> storedBytes;
};

struct ZipLayout {
    std::string prefix;
    std::string comment;
    std::uint16_t thisDisk = 0;
    std::uint16_t directoryDisk = 0;
};

// Builds archives byte by byte: local headers and data, central directory, end record.
class ZipBuilder {
public:
    ZipBuilder& Add(ZipTestEntry entry);
    ZipBuilder& Add(const std::string& name, const std::string& data, std::uint16_t method = 8);

    std::string Build(const ZipLayout& layout = {}) const;
    // The entries' local parts alone, and the directory and end record alone: the two
    // volumes of a numbered multi-volume archive.
    std::string BuildLocalPart() const;
    std::string BuildDirectoryPart(const ZipLayout& layout, std::uint32_t directoryOffset) const;

    static std::string Deflate(const std::string& data);
    static std::string EndRecord(std::uint16_t entries, std::uint32_t directorySize,
                                 std::uint32_t directoryOffset, const std::string& comment,
                                 std::uint16_t thisDisk = 0, std::uint16_t directoryDisk = 0);

private:
    struct Placed {
        ZipTestEntry entry;
        std::string stored;
        std::uint32_t crc;
        std::uint32_t offset;
    };
    std::vector<Placed> Place(std::string& out) const;
    std::string Directory(const std::vector<Placed>& placed) const;

    std::vector<ZipTestEntry> m_entries;
};

std::uint32_t Crc32(const std::string& data);

} // namespace tipin::test

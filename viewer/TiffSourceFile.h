#pragma once

#include "viewer/TiffIfd.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// A TIFF or BigTIFF file read through its raw structure: header, directories and their
// values. Every offset, count and length is checked against the file before it is used;
// anything out of range throws TiffError.
class TiffSourceFile {
public:
    explicit TiffSourceFile(const std::string& path);
    ~TiffSourceFile();
    TiffSourceFile(const TiffSourceFile&) = delete;
    TiffSourceFile& operator=(const TiffSourceFile&) = delete;

    const std::string& Path() const { return m_path; }
    bool IsBigTiff() const { return m_bigTiff; }
    bool IsBigEndian() const { return m_bigEndian; }
    std::uint64_t Size() const { return m_size; }
    int Descriptor() const { return m_fd; }

    TiffIfd ReadIfd(std::uint64_t offset) const;
    // The offset of the directory after the one at `offset`, its entries left unread.
    std::uint64_t NextIfd(std::uint64_t offset) const;
    // The offsets of the main chain's directories, in file order; a loop throws. Each
    // directory read on the way is handed to `visit`, so callers need not read it again;
    // without one, only each directory's count and link are read.
    std::vector<std::uint64_t>
    PageOffsets(const std::function<void(const TiffIfd&)>& visit = {}) const;
    // Value `index` of an integer-typed entry (BYTE, SHORT, LONG, LONG8, IFD, IFD8).
    std::uint64_t UnsignedValue(const TiffEntry& entry, std::size_t index) const;
    std::vector<std::uint64_t> UnsignedValues(const TiffEntry& entry) const;
    void Read(std::uint64_t offset, void* destination, std::size_t length) const;

private:
    void ReadUncached(std::uint64_t offset, std::uint8_t* out, std::size_t length) const;
    void ReadHeader();
    std::uint64_t Decode(const std::uint8_t* bytes, unsigned size) const;
    TiffEntry ParseEntry(const std::uint8_t* raw) const;
    // A directory's entry count, refused when it is 0 or implausibly large.
    std::uint64_t EntryCount(std::uint64_t offset) const;
    unsigned CountSize() const { return m_bigTiff ? 8 : 2; }
    unsigned EntrySize() const { return m_bigTiff ? 20 : 12; }
    unsigned NextSize() const { return m_bigTiff ? 8 : 4; }

    std::string m_path;
    int m_fd = -1;
    std::uint64_t m_size = 0;
    bool m_bigTiff = false;
    bool m_bigEndian = false;
    std::uint64_t m_firstIfd = 0;
    // Directories and their values sit close together: small reads come from one block.
    mutable std::vector<std::uint8_t> m_block;
    mutable std::uint64_t m_blockOffset = 0;
};

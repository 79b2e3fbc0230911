#pragma once

#include "zip/ZipByteBuffer.h"

#include <cstdint>
#include <string>

class CZipVolumeStore;

// One central-directory file header held in memory.
class CZipEntryInfo {
public:
    static constexpr std::uint32_t kSignature = 0x02014B50;
    static constexpr std::uint32_t kFixedSize = 46;

    std::uint32_t signature = 0;
    std::uint16_t versionMadeBy = 0;
    std::uint16_t versionNeeded = 0;
    std::uint16_t flags = 0;
    std::uint16_t method = 8;
    std::uint16_t modTime = 0;
    std::uint16_t modDate = 0;
    std::uint32_t crc32 = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t uncompressedSize = 0;
    // The name length as recorded; the converted name may be longer.
    std::uint16_t fileNameLength = 0;
    std::uint16_t diskNumberStart = 0;
    std::uint16_t internalAttributes = 0;
    std::uint32_t externalAttributes = 0x20;
    std::uint32_t localHeaderOffset = 0;
    CZipByteBuffer extraField;
    CZipByteBuffer fileName;
    CZipByteBuffer comment;

    bool IsEncrypted() const { return (flags & 0x0001) != 0; }
    bool HasDataDescriptor() const { return (flags & 0x0008) != 0; }
    bool HasUtf8Name() const { return (flags & 0x0800) != 0; }
    bool HasDirectoryAttribute() const { return (externalAttributes & 0x10) != 0; }
    // A name that ends with `/` or `\` names a directory whatever the attributes say (some
    // archivers leave the attribute out: Python's zipfile, bsdtar).
    bool HasDirectoryName() const;
    bool IsDirectory() const { return HasDirectoryAttribute() || HasDirectoryName(); }
    std::uint32_t GetRecordSize() const;
    std::string GetFileName() const { return fileName.ToString(); }

    // Reads one header at the store's position. The variable parts must fit into the
    // `directoryBytesLeft` of the central directory, which shrinks by what was read.
    // False on a bad signature, a part that does not fit, or a change of volume.
    bool Read(CZipVolumeStore& store, std::int64_t& directoryBytesLeft);
    // The name in this system's code page (UTF-8 names stay), with `\` separators.
    void ConvertName();
};

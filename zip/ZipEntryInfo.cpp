#include "zip/ZipEntryInfo.h"

#include "platform/FileSystem.h"
#include "zip/LittleEndian.h"
#include "zip/ZipVolumeStore.h"

#include <algorithm>

namespace {

bool ReadPart(CZipVolumeStore& store, std::uint16_t length, std::int64_t& bytesLeft,
              CZipByteBuffer& part) {
    if (length > bytesLeft) {
        return false;
    }
    bytesLeft -= length;
    part.Allocate(length);
    return length == 0 || store.Read(part.GetData(), length) == length;
}

} // namespace

bool CZipEntryInfo::HasDirectoryName() const {
    const std::uint32_t size = fileName.GetSize();
    if (size == 0) {
        return false;
    }
    const unsigned char last = fileName.GetData()[size - 1];
    return last == '/' || last == '\\';
}

std::uint32_t CZipEntryInfo::GetRecordSize() const {
    return kFixedSize + fileName.GetSize() + extraField.GetSize() + comment.GetSize();
}

bool CZipEntryInfo::Read(CZipVolumeStore& store, std::int64_t& directoryBytesLeft) {
    unsigned char header[kFixedSize];
    store.ReadBytes(header, kFixedSize, true);
    const int volume = store.GetCurrentVolume();
    signature = LittleEndian::U32(header);
    versionMadeBy = LittleEndian::U16(header + 4);
    versionNeeded = LittleEndian::U16(header + 6);
    flags = LittleEndian::U16(header + 8);
    method = LittleEndian::U16(header + 10);
    modTime = LittleEndian::U16(header + 12);
    modDate = LittleEndian::U16(header + 14);
    crc32 = LittleEndian::U32(header + 16);
    compressedSize = LittleEndian::U32(header + 20);
    uncompressedSize = LittleEndian::U32(header + 24);
    fileNameLength = LittleEndian::U16(header + 28);
    const std::uint16_t extraLength = LittleEndian::U16(header + 30);
    const std::uint16_t commentLength = LittleEndian::U16(header + 32);
    diskNumberStart = LittleEndian::U16(header + 34);
    internalAttributes = LittleEndian::U16(header + 36);
    externalAttributes = LittleEndian::U32(header + 38);
    localHeaderOffset = LittleEndian::U32(header + 42);
    if (signature != kSignature) {
        return false;
    }
    directoryBytesLeft -= kFixedSize;
    return ReadPart(store, fileNameLength, directoryBytesLeft, fileName) &&
           ReadPart(store, extraLength, directoryBytesLeft, extraField) &&
           ReadPart(store, commentLength, directoryBytesLeft, comment) &&
           store.GetCurrentVolume() == volume;
}

void CZipEntryInfo::ConvertName() {
    std::string name = fileName.ToString();
    if (!HasUtf8Name()) {
        name = FileSystem::OemToUtf8(name);
    }
    std::replace(name.begin(), name.end(), '/', '\\');
    fileName.Assign(name);
}

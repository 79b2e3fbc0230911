#include "zip/ZipDirectory.h"

#include "zip/LittleEndian.h"
#include "zip/ZipException.h"
#include "zip/ZipVolumeStore.h"

#include <algorithm>

namespace {

constexpr std::uint64_t kLargestComment = 65535;

bool IsEndSignatureAt(const unsigned char* bytes) {
    return LittleEndian::U32(bytes) == CZipDirectory::kEndSignature;
}

} // namespace

void CZipDirectory::Reset() {
    m_currentEntry = nullptr;
    m_shift = 0;
    m_endPosition = 0;
    m_comment.Release();
}

void CZipDirectory::Clear() {
    m_currentEntry = nullptr;
    m_localExtra.Release();
    m_entries.clear();
    m_comment.Release();
}

void CZipDirectory::Read(CZipVolumeStore& store) {
    Reset();
    m_endPosition = LocateEndRecord(store);
    ReadEndRecord(store);
    store.ResolveVolumeKind(m_end.thisDisk);
    const bool singleFile = store.GetMultiVolumeState() == 0;
    const std::uint64_t directoryEnd =
        static_cast<std::uint64_t>(m_end.directoryOffset) + m_end.directorySize;
    if (singleFile && m_endPosition < directoryEnd) {
        store.Raise(CZipException::kBadArchive);
    }
    ReadComment(store);
    m_shift = singleFile ? m_endPosition - directoryEnd : 0;
    if ((m_end.directorySize == 0) != (m_end.totalEntries == 0)) {
        store.Raise(CZipException::kBadArchive);
    }
    store.ChangeVolume(m_end.directoryStartDisk);
    if (m_end.directorySize != 0) {
        ReadEntries(store);
    }
}

std::uint64_t CZipDirectory::LocateEndRecord(CZipVolumeStore& store) const {
    const std::uint64_t length = store.GetLength();
    const std::uint64_t span = std::min<std::uint64_t>(length, kEndRecordSize + kLargestComment);
    std::vector<unsigned char> block(kSearchBlockSize);
    std::uint64_t covered = 0;
    while (covered < span) {
        const std::uint64_t reach = std::min<std::uint64_t>(covered + kSearchBlockSize, span);
        const auto size = static_cast<std::size_t>(reach - covered);
        store.Seek(-static_cast<std::int64_t>(reach), CFile::end);
        if (store.Read(block.data(), size) != size) {
            store.Raise(CZipException::kBadArchive);
        }
        for (std::size_t i = size >= 4 ? size - 4 + 1 : 0; i-- > 0;) {
            if (IsEndSignatureAt(block.data() + i)) {
                return length - reach + i;
            }
        }
        if (reach >= span) {
            break;
        }
        // Blocks overlap by 3 bytes, so a signature across their border is still seen.
        covered = reach - 3;
    }
    store.Raise(CZipException::kEndRecordMissing);
}

void CZipDirectory::ReadEndRecord(CZipVolumeStore& store) {
    unsigned char record[kEndRecordSize];
    store.Seek(static_cast<std::int64_t>(m_endPosition), CFile::begin);
    if (store.Read(record, kEndRecordSize) != kEndRecordSize) {
        store.Raise(CZipException::kBadArchive);
    }
    m_end.signature = LittleEndian::U32(record);
    m_end.thisDisk = LittleEndian::U16(record + 4);
    m_end.directoryStartDisk = LittleEndian::U16(record + 6);
    m_end.entriesOnThisDisk = LittleEndian::U16(record + 8);
    m_end.totalEntries = LittleEndian::U16(record + 10);
    m_end.directorySize = LittleEndian::U32(record + 12);
    m_end.directoryOffset = LittleEndian::U32(record + 16);
    m_end.commentLength = LittleEndian::U16(record + 20);
}

void CZipDirectory::ReadComment(CZipVolumeStore& store) {
    const std::uint32_t length = m_end.commentLength;
    if (length == 0) {
        return;
    }
    if (m_endPosition + kEndRecordSize + length > store.GetLength()) {
        store.Raise(CZipException::kBadArchive);
    }
    m_comment.Allocate(length);
    if (store.Read(m_comment.GetData(), m_comment.GetSize()) != m_comment.GetSize()) {
        store.Raise(CZipException::kBadArchive);
    }
}

void CZipDirectory::ReadEntries(CZipVolumeStore& store) {
    store.Seek(static_cast<std::int64_t>(m_end.directoryOffset + m_shift), CFile::begin);
    m_entries.clear();
    std::int64_t bytesLeft = m_end.directorySize;
    for (std::uint32_t i = 0; i < m_end.totalEntries; ++i) {
        m_entries.push_back(std::make_unique<CZipEntryInfo>());
        CZipEntryInfo& entry = *m_entries.back();
        if (!entry.Read(store, bytesLeft)) {
            store.Raise(CZipException::kBadArchive);
        }
        if (m_convertNames) {
            entry.ConvertName();
        }
    }
}

const CZipEntryInfo& CZipDirectory::OpenLocalHeader(std::uint16_t index, CZipVolumeStore& store) {
    const CZipEntryInfo& entry = *m_entries[index];
    m_currentEntry = &entry;
    store.ChangeVolume(entry.diskNumberStart);
    const int volume = store.GetCurrentVolume();
    store.Seek(static_cast<std::int64_t>(entry.localHeaderOffset + m_shift), CFile::begin);
    unsigned char header[kLocalHeaderSize];
    store.ReadBytes(header, kLocalHeaderSize, true);
    const std::uint16_t flags = LittleEndian::U16(header + 6);
    const std::uint16_t method = LittleEndian::U16(header + 8);
    const bool sizesKnown = (flags & 0x0008) == 0;
    const bool matches =
        LittleEndian::U32(header) == kLocalSignature && flags == entry.flags &&
        method == entry.method && (method == 0 || method == 8) &&
        LittleEndian::U16(header + 26) == entry.fileNameLength &&
        (!sizesKnown || (LittleEndian::U32(header + 14) == entry.crc32 &&
                         LittleEndian::U32(header + 18) == entry.compressedSize &&
                         LittleEndian::U32(header + 22) == entry.uncompressedSize));
    if (!matches) {
        store.Raise(CZipException::kBadArchive);
    }
    store.Seek(LittleEndian::U16(header + 26), CFile::current);
    ReadLocalExtra(store, LittleEndian::U16(header + 28));
    if (store.GetCurrentVolume() != volume) {
        store.Raise(CZipException::kBadArchive);
    }
    return entry;
}

void CZipDirectory::ReadLocalExtra(CZipVolumeStore& store, std::uint16_t length) {
    m_localExtra.Release();
    if (length == 0) {
        return;
    }
    if (store.Seek(0, CFile::current) + length > store.GetLength()) {
        store.Raise(CZipException::kBadArchive);
    }
    m_localExtra.Allocate(length);
    store.ReadBytes(m_localExtra.GetData(), length, true);
}

void CZipDirectory::FinishEntry(CZipVolumeStore& store) {
    m_localExtra.Release();
    if (m_currentEntry != nullptr && m_currentEntry->HasDataDescriptor()) {
        unsigned char descriptor[12];
        store.ReadBytes(descriptor, 4, false);
        if (LittleEndian::U32(descriptor) != kDescriptorSignature) {
            store.Seek(-4, CFile::current);
        }
        store.ReadBytes(descriptor, 12, false);
        if (LittleEndian::U32(descriptor) != m_currentEntry->crc32 ||
            LittleEndian::U32(descriptor + 4) != m_currentEntry->compressedSize ||
            LittleEndian::U32(descriptor + 8) != m_currentEntry->uncompressedSize) {
            store.Raise(CZipException::kBadArchive);
        }
    }
    m_currentEntry = nullptr;
}

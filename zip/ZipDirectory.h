#pragma once

#include "zip/ZipByteBuffer.h"
#include "zip/ZipEntryInfo.h"

#include <cstdint>
#include <memory>
#include <vector>

class CZipVolumeStore;

// The end record and the central directory of an open archive, and the local header of the
// entry being read.
class CZipDirectory {
public:
    static constexpr std::uint32_t kEndSignature = 0x06054B50;
    static constexpr std::uint32_t kEndRecordSize = 22;
    static constexpr std::uint32_t kLocalSignature = 0x04034B50;
    static constexpr std::uint32_t kLocalHeaderSize = 30;
    static constexpr std::uint32_t kDescriptorSignature = 0x08074B50;
    static constexpr std::uint32_t kSearchBlockSize = 32768;

    struct EndRecord {
        std::uint32_t signature = 0;
        std::uint16_t thisDisk = 0;
        std::uint16_t directoryStartDisk = 0;
        std::uint16_t entriesOnThisDisk = 0;
        std::uint16_t totalEntries = 0;
        std::uint32_t directorySize = 0;
        std::uint32_t directoryOffset = 0;
        std::uint16_t commentLength = 0;
    };

    // No current entry, no shift, no comment.
    void Reset();
    // Finds the end record, resolves the volume kind and loads every entry.
    void Read(CZipVolumeStore& store);
    // Forgets the entries, the comment and the current entry.
    void Clear();

    std::uint16_t GetCount() const { return static_cast<std::uint16_t>(m_entries.size()); }
    const CZipEntryInfo& GetEntry(std::uint16_t index) const { return *m_entries[index]; }
    const CZipEntryInfo* GetCurrentEntry() const { return m_currentEntry; }

    // Makes entry `index` current and leaves the store at its data; cause 10 when the local
    // header does not match the central one.
    const CZipEntryInfo& OpenLocalHeader(std::uint16_t index, CZipVolumeStore& store);
    // Checks the data descriptor of the current entry, if it has one, and forgets the entry.
    void FinishEntry(CZipVolumeStore& store);

    const EndRecord& GetEndRecord() const { return m_end; }
    const CZipByteBuffer& GetComment() const { return m_comment; }
    std::uint64_t GetEndPosition() const { return m_endPosition; }
    std::uint64_t GetShift() const { return m_shift; }

    bool m_convertNames = true;

private:
    std::uint64_t LocateEndRecord(CZipVolumeStore& store) const;
    void ReadEndRecord(CZipVolumeStore& store);
    void ReadComment(CZipVolumeStore& store);
    void ReadEntries(CZipVolumeStore& store);
    void ReadLocalExtra(CZipVolumeStore& store, std::uint16_t length);

    EndRecord m_end;
    CZipByteBuffer m_comment;
    std::uint64_t m_endPosition = 0;
    std::uint64_t m_shift = 0;
    std::vector<std::unique_ptr<CZipEntryInfo>> m_entries;
    const CZipEntryInfo* m_currentEntry = nullptr;
    CZipByteBuffer m_localExtra;
};

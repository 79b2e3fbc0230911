#pragma once

#include "zip/ZipFile.h"

#include <cstdint>
#include <functional>
#include <string>

// The file layer of an archive: the volume file in use, and the change between the volumes of
// a multi-volume archive.
class CZipVolumeStore {
public:
    enum VolumeMode {
        singleFile = 0,
        removableDisks = 1,
        numberedFiles = 2,
        detectKind = 3,
        numberedRequested = 4,
    };
    // Called with the 1-based disk number, a reason, the user value and the store; false
    // aborts. Nothing in this system installs one.
    using DiskChangeHandler = std::function<bool(int, int, void*, CZipVolumeStore&)>;

    void Open(const std::string& path, int volumeSize);
    void Close();
    // With `byVolume`, closed means no current volume; otherwise no open file.
    bool IsClosed(bool byVolume) const;

    // Takes the multi-volume kind from the end record's disk number.
    void ResolveVolumeKind(int thisDisk);
    void ChangeVolume(int volume);
    // Reads exactly `count` bytes, going on to the next volumes of a multi-volume archive
    // unless `allAtOnce`; anything less raises cause 10.
    std::uint32_t ReadBytes(void* buffer, std::uint32_t count, bool allAtOnce);

    std::size_t Read(void* buffer, std::size_t count);
    std::uint64_t Seek(std::int64_t offset, CFile::SeekPosition from);
    std::uint64_t GetLength() const;
    // The path of the volume file in use, empty when closed.
    std::string GetFilePath() const;
    int GetCurrentVolume() const { return m_currentVolume; }
    int GetVolumeMode() const { return m_volumeMode; }
    // 0 for a single file, -1 while reading a multi-volume archive.
    int GetMultiVolumeState() const { return m_volumeMode == singleFile ? 0 : -1; }

    [[noreturn]] void Raise(int internalCode) const;

    DiskChangeHandler m_diskChangeHandler;
    void* m_diskChangeUserValue = nullptr;

private:
    CFile& CurrentFile() const;
    std::string VolumeName(int volume) const;

    CZipFile m_file;
    CZipFile* m_current = nullptr;
    int m_volumeMode = singleFile;
    int m_lastVolume = 0;
    int m_currentVolume = -1;
};

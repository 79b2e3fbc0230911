#include "zip/ZipVolumeStore.h"

#include "platform/FileException.h"
#include "platform/FileSystem.h"
#include "zip/ZipException.h"

#include <cerrno>
#include <cstdio>

void CZipVolumeStore::Open(const std::string& path, int volumeSize) {
    m_current = &m_file;
    // Only reading ever happens, so a read-only package opens too.
    m_file.Open(path, CFile::modeRead | CFile::modeNoTruncate | CFile::shareDenyWrite);
    m_volumeMode = volumeSize == 0 ? detectKind : numberedRequested;
}

void CZipVolumeStore::Close() {
    CZipFile* file = m_current;
    m_currentVolume = -1;
    m_volumeMode = singleFile;
    m_current = nullptr;
    if (file != nullptr) {
        file->Close();
    }
}

bool CZipVolumeStore::IsClosed(bool byVolume) const {
    if (byVolume) {
        return m_currentVolume == -1;
    }
    return m_current == nullptr || !m_current->IsOpen();
}

void CZipVolumeStore::ResolveVolumeKind(int thisDisk) {
    m_currentVolume = thisDisk;
    if (thisDisk == 0) {
        m_volumeMode = singleFile;
        return;
    }
    if (m_volumeMode == detectKind) {
        m_volumeMode =
            FileSystem::IsOnRemovableMedium(GetFilePath()) ? removableDisks : numberedFiles;
    } else if (m_volumeMode == numberedRequested) {
        m_volumeMode = numberedFiles;
    }
    if (m_volumeMode == numberedFiles) {
        m_lastVolume = thisDisk;
    }
    if (m_volumeMode == removableDisks && !m_diskChangeHandler) {
        Raise(CZipException::kNoDiskHandler);
    }
}

void CZipVolumeStore::ChangeVolume(int volume) {
    if (volume == m_currentVolume) {
        return;
    }
    m_currentVolume = volume;
    std::string path = CurrentFile().GetFilePath();
    CurrentFile().Close();
    if (m_volumeMode == removableDisks) {
        if (!m_diskChangeHandler(volume + 1, -1, m_diskChangeUserValue, *this)) {
            throw CZipException(CZipException::zipErrUserAbort, path);
        }
    } else {
        path = VolumeName(volume);
    }
    m_file.Open(path, CFile::modeRead | CFile::modeNoTruncate | CFile::shareDenyWrite);
}

std::string CZipVolumeStore::VolumeName(int volume) const {
    const FileSystem::PathParts parts = FileSystem::SplitPath(CurrentFile().GetFilePath());
    char number[16];
    std::snprintf(number, sizeof number, "%.3d", volume);
    const std::string extension = volume == m_lastVolume ? std::string("zip") : number;
    return parts.drive + parts.directory + parts.title + "." + extension;
}

std::uint32_t CZipVolumeStore::ReadBytes(void* buffer, std::uint32_t count, bool allAtOnce) {
    if (count == 0) {
        return 0;
    }
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t got = Read(bytes, count);
    while (got == 0) {
        if (GetMultiVolumeState() == 0) {
            Raise(CZipException::kBadArchive);
        }
        ChangeVolume(m_currentVolume + 1);
        got = Read(bytes, count);
    }
    if (got == count) {
        return count;
    }
    if (allAtOnce || GetMultiVolumeState() == 0) {
        Raise(CZipException::kBadArchive);
    }
    while (got < count) {
        ChangeVolume(m_currentVolume + 1);
        const std::size_t more = Read(bytes + got, count - got);
        if (more == 0) {
            Raise(CZipException::kBadArchive);
        }
        got += more;
    }
    return count;
}

std::size_t CZipVolumeStore::Read(void* buffer, std::size_t count) {
    return CurrentFile().Read(buffer, count);
}

std::uint64_t CZipVolumeStore::Seek(std::int64_t offset, CFile::SeekPosition from) {
    return CurrentFile().Seek(offset, from);
}

std::uint64_t CZipVolumeStore::GetLength() const {
    return CurrentFile().GetLength();
}

std::string CZipVolumeStore::GetFilePath() const {
    return m_current == nullptr ? std::string() : m_current->GetFilePath();
}

void CZipVolumeStore::Raise(int internalCode) const {
    throw CZipException(CZipException::CauseFromCode(internalCode), GetFilePath());
}

CFile& CZipVolumeStore::CurrentFile() const {
    if (m_current == nullptr) {
        throw CFileException(CFileException::invalidFile, std::string(), EBADF);
    }
    return *m_current;
}

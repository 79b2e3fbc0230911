#pragma once

#include "zip/ZipByteBuffer.h"
#include "zip/ZipDirectory.h"
#include "zip/ZipEntryInfo.h"
#include "zip/ZipVolumeStore.h"

#include <cstdint>
#include <string>
#include <vector>
#include <zlib.h>

// Reads zip archives: opens one, loads its central directory and extracts entries to disk.
// Failures are thrown as CZipException or CFileException; after any of them only
// Close(true) makes the reader usable again.
class CZipReader {
public:
    // (total, bytes written so far, user value); false stops the extraction.
    using ProgressCallback = bool (*)(std::uint32_t, std::uint32_t, void*);

    CZipReader();
    virtual ~CZipReader();
    CZipReader(const CZipReader&) = delete;
    CZipReader& operator=(const CZipReader&) = delete;

    // `mode` 0 or 1 (the file is only ever read); `volumeSize` 0 detects the multi-volume
    // kind, a positive value means numbered volume files. Does nothing when already open.
    void Open(const std::string& path, int mode = 0, int volumeSize = 0);
    void Close(bool afterError = false);
    bool IsClosed(bool byVolume = true) const;

    std::uint16_t GetEntryCount() const;
    bool GetEntryInfo(std::uint16_t index, CZipEntryInfo& info) const;
    // The directory attribute, or a name that ends with `/` or `\`.
    bool IsDirectoryEntry(std::uint16_t index) const;
    // Traditional PKWARE encryption; Open empties the password.
    void SetPassword(const std::string& password);

    // Writes entry `index` under `folder`. A name that would leave the folder raises cause
    // 19 and writes nothing. "." components name the folder they stand in ("./" is `folder`
    // itself). An entry is a directory when its attributes say so or its name ends with a
    // separator; such a name without the attribute and with data raises cause 10.
    bool ExtractEntry(std::uint16_t index, const std::string& folder, bool fullPath = true,
                      const char* newName = nullptr, ProgressCallback callback = nullptr,
                      void* callbackValue = nullptr, std::uint32_t bufferSize = 65535);
    bool OpenEntry(std::uint16_t index);
    std::uint32_t ReadEntry(void* buffer, std::uint32_t size);
    // 1 success, -1 data incomplete, -2 attributes refused, 0 nothing open or the file's
    // times could not be set.
    int CloseEntry(const char* path = nullptr);

    static bool ForceDirectory(const std::string& path);
    // -1 directory, 1 file, 0 nothing there.
    static int GetPathKind(const std::string& path);

    static constexpr std::uint32_t kReadBufferSize = 16384;

private:
    static voidpf Allocate(voidpf list, uInt items, uInt size);
    static void Free(voidpf list, voidpf block);

    std::string TargetPath(const std::string& name, const std::string& folder, bool fullPath) const;
    bool StartDecryption(const CZipEntryInfo& entry);
    void InitialiseKeys();
    void UpdateKeys(unsigned char plain);
    void Decrypt(unsigned char* bytes, std::uint32_t count);
    void RefillInput();
    std::uint32_t CopyStored(std::uint32_t space);
    bool InflatesPastSize();
    void ReleaseEntryState();
    [[noreturn]] void Raise(int code) const;

    CZipByteBuffer m_password;
    std::uint32_t m_keys[3] = {0, 0, 0};
    z_stream m_stream{};
    std::uint32_t m_compressedLeft = 0;
    std::uint32_t m_uncompressedLeft = 0;
    std::uint32_t m_crc = 0;
    bool m_streamEnded = false;
    std::vector<unsigned char> m_readBuffer;
    std::vector<void*> m_zlibBlocks;
    bool m_listZlibBlocks = true;
    int m_entryState = 0;
    const CZipEntryInfo* m_entry = nullptr;
    CZipVolumeStore m_store;
    CZipDirectory m_directory;
};

#include "zip/ZipReader.h"

#include "platform/File.h"
#include "platform/FileException.h"
#include "platform/FileSystem.h"
#include "zip/ZipException.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>

namespace {

constexpr std::uint32_t kEncryptionHeaderSize = 12;

// Fuzzing builds accept any checksum, so that mutated entry data reaches the parsers behind.
#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
constexpr bool kCheckCrc = false;
#else
constexpr bool kCheckCrc = true;
#endif

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string WithoutTrailingSeparators(std::string path) {
    while (!path.empty() && IsSeparator(path.back())) {
        path.pop_back();
    }
    return path;
}

// Absolute names, drive letters, `..` components and embedded zeros could place the file
// outside the target folder (or somewhere else than its name says).
bool IsSafeName(const std::string& name) {
    if (name.find('\0') != std::string::npos) {
        return false;
    }
    if (!name.empty() && IsSeparator(name.front())) {
        return false;
    }
    if (name.size() >= 2 && name[1] == ':') {
        return false;
    }
    std::size_t start = 0;
    while (start <= name.size()) {
        std::size_t stop = start;
        while (stop < name.size() && !IsSeparator(name[stop])) {
            ++stop;
        }
        if (name.compare(start, stop - start, "..") == 0) {
            return false;
        }
        start = stop + 1;
    }
    return true;
}

// "." components name the folder they stand in (bsdtar names every entry "./..." and
// starts with "./" itself): "./a/./b" is "a\\b", "./" is the folder itself.
std::string WithoutDotComponents(const std::string& relative) {
    std::string result;
    std::size_t start = 0;
    while (start <= relative.size()) {
        std::size_t stop = start;
        while (stop < relative.size() && !IsSeparator(relative[stop])) {
            ++stop;
        }
        const bool last = stop == relative.size();
        if (relative.compare(start, stop - start, ".") != 0) {
            result.append(relative, start, stop - start);
            if (!last) {
                result += '\\';
            }
        }
        start = stop + 1;
    }
    const std::size_t first = result.find_first_not_of("\\");
    return first == std::string::npos ? std::string() : result.substr(first);
}

} // namespace

CZipReader::CZipReader() = default;

CZipReader::~CZipReader() {
    ReleaseEntryState();
}

void CZipReader::Open(const std::string& path, int /*mode*/, int volumeSize) {
    if (!m_store.IsClosed(true)) {
        return;
    }
    m_password.Release();
    m_entryState = 0;
    m_store.Open(path, volumeSize);
    m_directory.Read(m_store);
}

void CZipReader::Close(bool afterError) {
    if (m_store.IsClosed(true) && (!afterError || m_store.IsClosed(false))) {
        return;
    }
    if (!afterError) {
        if (m_entryState == -1) {
            CloseEntry();
        }
    } else {
        ReleaseEntryState();
    }
    m_entry = nullptr;
    m_directory.Clear();
    m_store.Close();
}

bool CZipReader::IsClosed(bool byVolume) const {
    return m_store.IsClosed(byVolume);
}

std::uint16_t CZipReader::GetEntryCount() const {
    return m_directory.GetCount();
}

bool CZipReader::GetEntryInfo(std::uint16_t index, CZipEntryInfo& info) const {
    if (IsClosed() || index >= GetEntryCount()) {
        return false;
    }
    info = m_directory.GetEntry(index);
    if (!m_directory.m_convertNames) {
        info.ConvertName();
    }
    return true;
}

bool CZipReader::IsDirectoryEntry(std::uint16_t index) const {
    return !IsClosed() && index < GetEntryCount() && m_directory.GetEntry(index).IsDirectory();
}

void CZipReader::SetPassword(const std::string& password) {
    m_password.Assign(password);
}

bool CZipReader::ExtractEntry(std::uint16_t index, const std::string& folder, bool fullPath,
                              const char* newName, ProgressCallback callback, void* callbackValue,
                              std::uint32_t bufferSize) {
    CZipEntryInfo info;
    if (bufferSize == 0 || !GetEntryInfo(index, info)) {
        return false;
    }
    const std::string target = TargetPath(
        newName != nullptr ? std::string(newName) : info.GetFileName(), folder, fullPath);
    if (info.IsDirectory()) {
        // Only the name says "directory": data in it means the entry is damaged.
        if (!info.HasDirectoryAttribute() && info.uncompressedSize != 0) {
            Raise(CZipException::kBadArchive);
        }
        ForceDirectory(target);
        FileSystem::SetAttributes(target, info.externalAttributes);
        return true;
    }
    if (!OpenEntry(index)) {
        return false;
    }
    const FileSystem::PathParts parts = FileSystem::SplitPath(target);
    ForceDirectory(parts.drive + parts.directory);
    CFile file;
    file.Open(target, CFile::modeCreate | CFile::modeWrite | CFile::shareDenyWrite);
    const auto buffer = std::make_unique_for_overwrite<unsigned char[]>(bufferSize);
    std::uint32_t written = 0;
    std::uint32_t got = 0;
    do {
        got = ReadEntry(buffer.get(), bufferSize);
        if (got > 0) {
            file.Write(buffer.get(), got);
            written += got;
            if (callback != nullptr && !callback(info.uncompressedSize, written, callbackValue)) {
                break;
            }
        }
    } while (got == bufferSize);
    const std::string path = file.GetFilePath();
    file.Close();
    return CloseEntry(path.c_str()) == 1;
}

std::string CZipReader::TargetPath(const std::string& name, const std::string& folder,
                                   bool fullPath) const {
    if (!IsSafeName(name)) {
        Raise(CZipException::kUnsafeName);
    }
    std::string base = folder;
    while (!base.empty() && base.back() == '\\') {
        base.pop_back();
    }
    const FileSystem::PathParts parts = FileSystem::SplitPath(name);
    std::string relative = parts.title + parts.extension;
    if (fullPath) {
        const std::size_t start = parts.directory.find_first_not_of('\\');
        relative.insert(0,
                        start == std::string::npos ? std::string() : parts.directory.substr(start));
    }
    return base + "\\" + WithoutDotComponents(relative);
}

bool CZipReader::OpenEntry(std::uint16_t index) {
    if (index >= GetEntryCount() || m_entryState != 0) {
        return false;
    }
    m_readBuffer.assign(kReadBufferSize, 0);
    const CZipEntryInfo& entry = m_directory.OpenLocalHeader(index, m_store);
    m_entry = &entry;
    if (entry.IsEncrypted() && !StartDecryption(entry)) {
        return false;
    }
    if (entry.method != 0 && entry.method != 8) {
        Raise(CZipException::kBadArchive);
    }
    m_stream = z_stream{};
    if (entry.method == 8) {
        m_stream.zalloc = &CZipReader::Allocate;
        m_stream.zfree = &CZipReader::Free;
        m_stream.opaque = m_listZlibBlocks ? &m_zlibBlocks : nullptr;
        const int result = inflateInit2(&m_stream, -MAX_WBITS);
        if (result != Z_OK && result != Z_NEED_DICT) {
            Raise(result);
        }
    }
    m_compressedLeft = entry.compressedSize - (entry.IsEncrypted() ? kEncryptionHeaderSize : 0);
    m_uncompressedLeft = entry.uncompressedSize;
    m_crc = 0;
    m_streamEnded = false;
    m_entryState = -1;
    return true;
}

bool CZipReader::StartDecryption(const CZipEntryInfo& entry) {
    if (m_password.IsEmpty()) {
        return false;
    }
    if (entry.compressedSize < kEncryptionHeaderSize) {
        Raise(CZipException::kBadArchive);
    }
    unsigned char header[kEncryptionHeaderSize];
    m_store.ReadBytes(header, kEncryptionHeaderSize, true);
    InitialiseKeys();
    Decrypt(header, kEncryptionHeaderSize);
    const unsigned char check = entry.HasDataDescriptor()
                                    ? static_cast<unsigned char>(entry.modTime >> 8)
                                    : static_cast<unsigned char>(entry.crc32 >> 24);
    if (header[kEncryptionHeaderSize - 1] != check) {
        Raise(CZipException::kWrongPassword);
    }
    return true;
}

void CZipReader::InitialiseKeys() {
    m_keys[0] = 305419896;
    m_keys[1] = 591751049;
    m_keys[2] = 878082192;
    for (std::uint32_t i = 0; i < m_password.GetSize(); ++i) {
        UpdateKeys(m_password.GetData()[i]);
    }
}

void CZipReader::UpdateKeys(unsigned char plain) {
    const z_crc_t* table = get_crc_table();
    m_keys[0] = table[(m_keys[0] ^ plain) & 0xFF] ^ (m_keys[0] >> 8);
    m_keys[1] = (m_keys[1] + (m_keys[0] & 0xFF)) * 134775813 + 1;
    m_keys[2] = table[(m_keys[2] ^ (m_keys[1] >> 24)) & 0xFF] ^ (m_keys[2] >> 8);
}

void CZipReader::Decrypt(unsigned char* bytes, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t temp = (m_keys[2] | 2) & 0xFFFF;
        bytes[i] ^= static_cast<unsigned char>((temp * (temp ^ 1)) >> 8);
        UpdateKeys(bytes[i]);
    }
}

std::uint32_t CZipReader::ReadEntry(void* buffer, std::uint32_t size) {
    if (m_entryState != -1 || m_readBuffer.empty() || buffer == nullptr || size == 0) {
        return 0;
    }
    m_stream.next_out = static_cast<Bytef*>(buffer);
    m_stream.avail_out = std::min(size, m_uncompressedLeft);
    const bool force = m_stream.avail_out == 0 && m_compressedLeft > 0;
    std::uint32_t delivered = 0;
    while (m_stream.avail_out > 0 || (force && m_compressedLeft > 0)) {
        if (m_stream.avail_in == 0 && m_compressedLeft > 0) {
            RefillInput();
        }
        if (m_entry->method == 0) {
            const std::uint32_t copied = CopyStored(m_stream.avail_out);
            if (copied == 0) {
                break;
            }
            delivered += copied;
            continue;
        }
        const std::uint64_t before = m_stream.total_out;
        const int result = inflate(&m_stream, Z_SYNC_FLUSH);
        const auto produced = static_cast<std::uint32_t>(m_stream.total_out - before);
        m_crc = static_cast<std::uint32_t>(crc32(m_crc, m_stream.next_out - produced, produced));
        m_uncompressedLeft -= produced;
        delivered += produced;
        if (result == Z_STREAM_END) {
            m_streamEnded = true;
            break;
        }
        if (result != Z_OK && result != Z_NEED_DICT) {
            Raise(result);
        }
    }
    return delivered;
}

// A directory can declare a small size for data that inflates to much more; the entry's
// data must end where its size says.
bool CZipReader::InflatesPastSize() {
    if (m_entry->method != 8 || m_streamEnded || m_uncompressedLeft > 0) {
        return false;
    }
    unsigned char probe = 0;
    for (;;) {
        if (m_stream.avail_in == 0 && m_compressedLeft > 0) {
            RefillInput();
        }
        m_stream.next_out = &probe;
        m_stream.avail_out = 1;
        const uInt inputBefore = m_stream.avail_in;
        const int result = inflate(&m_stream, Z_SYNC_FLUSH);
        if (m_stream.avail_out == 0) {
            return true;
        }
        const bool stalled = m_stream.avail_in == inputBefore && m_compressedLeft == 0;
        if (result != Z_OK || stalled) {
            return false;
        }
    }
}

void CZipReader::RefillInput() {
    const std::uint32_t count = std::min(kReadBufferSize, m_compressedLeft);
    m_store.ReadBytes(m_readBuffer.data(), count, false);
    if (m_entry->IsEncrypted()) {
        Decrypt(m_readBuffer.data(), count);
    }
    m_compressedLeft -= count;
    m_stream.next_in = m_readBuffer.data();
    m_stream.avail_in = count;
}

std::uint32_t CZipReader::CopyStored(std::uint32_t space) {
    const std::uint32_t count = std::min(space, m_stream.avail_in);
    if (count == 0) {
        return 0;
    }
    std::memcpy(m_stream.next_out, m_stream.next_in, count);
    m_crc = static_cast<std::uint32_t>(crc32(m_crc, m_stream.next_out, count));
    m_uncompressedLeft -= count;
    m_stream.next_in += count;
    m_stream.avail_in -= count;
    m_stream.next_out += count;
    m_stream.avail_out -= count;
    return count;
}

int CZipReader::CloseEntry(const char* path) {
    if (m_entryState != -1) {
        return 0;
    }
    int result = 1;
    if (InflatesPastSize()) {
        Raise(CZipException::kSizeExceeded);
    }
    if (m_uncompressedLeft > 0) {
        result = -1;
    } else if (m_crc != m_entry->crc32 && kCheckCrc) {
        Raise(CZipException::kCrcMismatch);
    }
    if (m_entry->method == 8) {
        inflateEnd(&m_stream);
    }
    if (path != nullptr) {
        try {
            FileSystem::SetTimes(path,
                                 FileSystem::DosDateTimeToTime(m_entry->modDate, m_entry->modTime));
        } catch (const CFileException&) {
            return 0;
        }
        if (!FileSystem::SetAttributes(path, m_entry->externalAttributes)) {
            result = -2;
        }
    }
    m_directory.FinishEntry(m_store);
    ReleaseEntryState();
    return result;
}

void CZipReader::ReleaseEntryState() {
    m_entryState = 0;
    m_readBuffer.clear();
    m_readBuffer.shrink_to_fit();
    for (void* block : m_zlibBlocks) {
        std::free(block);
    }
    m_zlibBlocks.clear();
    m_stream = z_stream{};
    m_entry = nullptr;
}

bool CZipReader::ForceDirectory(const std::string& path) {
    std::vector<std::string> missing;
    std::string current = WithoutTrailingSeparators(path);
    for (;;) {
        const FileSystem::PathParts parts = FileSystem::SplitPath(current);
        const std::string parent = parts.drive + parts.directory;
        if (parent == current || GetPathKind(current) == -1) {
            break;
        }
        missing.push_back(current);
        current = WithoutTrailingSeparators(parent);
    }
    return std::all_of(missing.rbegin(), missing.rend(), FileSystem::CreateDirectory);
}

int CZipReader::GetPathKind(const std::string& path) {
    switch (FileSystem::GetPathKind(path)) {
    case FileSystem::PathKind::Directory:
        return -1;
    case FileSystem::PathKind::File:
        return 1;
    default:
        return 0;
    }
}

voidpf CZipReader::Allocate(voidpf list, uInt items, uInt size) {
    if (size != 0 && items > std::numeric_limits<std::size_t>::max() / size) {
        return Z_NULL;
    }
    void* block = std::malloc(static_cast<std::size_t>(items) * size);
    if (block != nullptr && list != nullptr) {
        static_cast<std::vector<void*>*>(list)->push_back(block);
    }
    return block;
}

void CZipReader::Free(voidpf list, voidpf block) {
    if (list != nullptr) {
        auto& blocks = *static_cast<std::vector<void*>*>(list);
        const auto found = std::find(blocks.begin(), blocks.end(), block);
        if (found != blocks.end()) {
            blocks.erase(found);
        }
    }
    std::free(block);
}

void CZipReader::Raise(int code) const {
    m_store.Raise(code);
}

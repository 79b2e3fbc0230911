#include "viewer/TiffSourceFile.h"

#include "viewer/TiffError.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// More pages than this is not a real document but a corrupt chain.
constexpr std::size_t kMaxPages = 1 << 20;
// One tag's values: 2 million strips of 8 bytes is beyond any real page.
constexpr std::uint64_t kMaxValueBytes = 16 * 1024 * 1024;
constexpr std::uint64_t kMaxEntries = 4096;
constexpr std::size_t kBlockSize = 64 * 1024;

std::string ErrnoText() {
    return std::strerror(errno);
}

} // namespace

TiffSourceFile::TiffSourceFile(const std::string& path) : m_path(path) {
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0) {
        throw TiffError("Cannot open " + path + ": " + ErrnoText());
    }
    struct stat info {};
    if (::fstat(m_fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(m_fd);
        throw TiffError("Not a regular file: " + path);
    }
    m_size = static_cast<std::uint64_t>(info.st_size);
    try {
        ReadHeader();
    } catch (...) {
        ::close(m_fd);
        throw;
    }
}

TiffSourceFile::~TiffSourceFile() {
    ::close(m_fd);
}

void TiffSourceFile::Read(std::uint64_t offset, void* destination, std::size_t length) const {
    if (offset > m_size || length > m_size - offset) {
        throw TiffError("Data beyond the end of " + m_path);
    }
    auto* out = static_cast<std::uint8_t*>(destination);
    if (length > kBlockSize / 2) {
        ReadUncached(offset, out, length);
        return;
    }
    if (offset < m_blockOffset || offset + length > m_blockOffset + m_block.size()) {
        m_blockOffset = offset;
        m_block.resize(
            static_cast<std::size_t>(std::min<std::uint64_t>(kBlockSize, m_size - offset)));
        ReadUncached(offset, m_block.data(), m_block.size());
    }
    std::memcpy(out, m_block.data() + (offset - m_blockOffset), length);
}

void TiffSourceFile::ReadUncached(std::uint64_t offset, std::uint8_t* out,
                                  std::size_t length) const {
    while (length > 0) {
        const ssize_t got = ::pread(m_fd, out, length, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            throw TiffError("Cannot read " + m_path + ": " + (got < 0 ? ErrnoText() : "short"));
        }
        out += got;
        offset += static_cast<std::uint64_t>(got);
        length -= static_cast<std::size_t>(got);
    }
}

std::uint64_t TiffSourceFile::Decode(const std::uint8_t* bytes, unsigned size) const {
    std::uint64_t value = 0;
    for (unsigned i = 0; i < size; ++i) {
        const unsigned index = m_bigEndian ? i : size - 1 - i;
        value = value << 8 | bytes[index];
    }
    return value;
}

void TiffSourceFile::ReadHeader() {
    std::uint8_t header[16] = {};
    if (m_size < 8) {
        throw TiffError("Not a TIFF file: " + m_path);
    }
    Read(0, header, m_size >= 16 ? 16 : 8);
    if (header[0] == 'I' && header[1] == 'I') {
        m_bigEndian = false;
    } else if (header[0] == 'M' && header[1] == 'M') {
        m_bigEndian = true;
    } else {
        throw TiffError("Not a TIFF file: " + m_path);
    }
    const std::uint64_t version = Decode(header + 2, 2);
    if (version == 42) {
        m_firstIfd = Decode(header + 4, 4);
    } else if (version == 43 && m_size >= 16 && Decode(header + 4, 2) == 8 &&
               Decode(header + 6, 2) == 0) {
        m_bigTiff = true;
        m_firstIfd = Decode(header + 8, 8);
    } else {
        throw TiffError("Not a TIFF file: " + m_path);
    }
    if (m_firstIfd == 0) {
        throw TiffError("The file has no pages: " + m_path);
    }
}

TiffEntry TiffSourceFile::ParseEntry(const std::uint8_t* raw) const {
    TiffEntry entry;
    entry.tag = static_cast<std::uint16_t>(Decode(raw, 2));
    entry.type = static_cast<std::uint16_t>(Decode(raw + 2, 2));
    const unsigned countSize = m_bigTiff ? 8 : 4;
    entry.count = Decode(raw + 4, countSize);
    const std::uint8_t* field = raw + 4 + countSize;
    const unsigned typeSize = TiffTypeSize(entry.type);
    if (typeSize == 0) {
        return entry; // unknown type: kept without value, the copier drops it
    }
    if (entry.count > kMaxValueBytes / typeSize) {
        throw TiffError("A tag's value is too large in " + m_path);
    }
    const std::uint64_t bytes = entry.count * typeSize;
    if (bytes > m_size) {
        // A lying count must not cost an allocation before the read would refuse it.
        throw TiffError("Data beyond the end of " + m_path);
    }
    entry.value.resize(bytes);
    if (bytes == 0) {
        return entry;
    }
    if (bytes <= countSize) {
        std::memcpy(entry.value.data(), field, bytes);
    } else {
        Read(Decode(field, countSize), entry.value.data(), bytes);
    }
    return entry;
}

std::uint64_t TiffSourceFile::EntryCount(std::uint64_t offset) const {
    std::uint8_t bytes[8];
    Read(offset, bytes, CountSize());
    const std::uint64_t count = Decode(bytes, CountSize());
    if (count == 0 || count > kMaxEntries) {
        throw TiffError("A directory has an impossible entry count in " + m_path);
    }
    return count;
}

TiffIfd TiffSourceFile::ReadIfd(std::uint64_t offset) const {
    const unsigned entrySize = EntrySize();
    const unsigned nextSize = NextSize();
    const std::uint64_t count = EntryCount(offset);
    std::vector<std::uint8_t> raw(count * entrySize + nextSize);
    Read(offset + CountSize(), raw.data(), raw.size());
    TiffIfd ifd;
    ifd.offset = offset;
    ifd.entries.reserve(count);
    for (std::uint64_t i = 0; i < count; ++i) {
        ifd.entries.push_back(ParseEntry(raw.data() + i * entrySize));
    }
    ifd.next = Decode(raw.data() + count * entrySize, nextSize);
    return ifd;
}

std::uint64_t TiffSourceFile::NextIfd(std::uint64_t offset) const {
    const std::uint64_t count = EntryCount(offset);
    std::uint8_t bytes[8];
    Read(offset + CountSize() + count * EntrySize(), bytes, NextSize());
    return Decode(bytes, NextSize());
}

std::vector<std::uint64_t>
TiffSourceFile::PageOffsets(const std::function<void(const TiffIfd&)>& visit) const {
    std::vector<std::uint64_t> pages;
    std::set<std::uint64_t> seen;
    for (std::uint64_t offset = m_firstIfd; offset != 0;) {
        if (!seen.insert(offset).second) {
            throw TiffError("The chain of pages loops in " + m_path);
        }
        if (pages.size() >= kMaxPages) {
            throw TiffError("Too many pages in " + m_path);
        }
        pages.push_back(offset);
        if (!visit) {
            offset = NextIfd(offset);
            continue;
        }
        const TiffIfd ifd = ReadIfd(offset);
        visit(ifd);
        offset = ifd.next;
    }
    return pages;
}

std::uint64_t TiffSourceFile::UnsignedValue(const TiffEntry& entry, std::size_t index) const {
    const unsigned size = TiffTypeSize(entry.type);
    const bool integer = entry.type == tifftype::kByte || entry.type == tifftype::kShort ||
                         entry.type == tifftype::kLong || entry.type == tifftype::kLong8 ||
                         entry.type == tifftype::kIfd || entry.type == tifftype::kIfd8;
    if (!integer || index >= entry.count || (index + 1) * size > entry.value.size()) {
        throw TiffError("A tag has an unexpected type or count in " + m_path);
    }
    return Decode(entry.value.data() + index * size, size);
}

std::vector<std::uint64_t> TiffSourceFile::UnsignedValues(const TiffEntry& entry) const {
    std::vector<std::uint64_t> values(entry.count);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = UnsignedValue(entry, i);
    }
    return values;
}

#include "viewer/TiffOutputFile.h"

#include "viewer/TiffError.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = TiffOutputFile::kMaxExtend;

} // namespace

TiffOutputFile::TiffOutputFile(int fd, bool bigTiff, bool bigEndian, TiffWriteHook hook)
    : m_fd(fd), m_bigTiff(bigTiff), m_bigEndian(bigEndian), m_hook(std::move(hook)),
      m_buffer(std::make_unique_for_overwrite<std::uint8_t[]>(kBufferSize)) {}

void TiffOutputFile::Append(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    if (size >= kBufferSize) {
        CheckOffset(m_position + size);
        Flush();
        WriteAt(m_position, bytes, size);
        m_position += size;
        m_flushed = m_position;
        return;
    }
    std::memcpy(Extend(size), bytes, size);
}

std::uint8_t* TiffOutputFile::Extend(std::size_t size) {
    if (size > kBufferSize) {
        throw TiffError("Internal error: a write larger than the output buffer");
    }
    CheckOffset(m_position + size);
    if (m_buffered + size > kBufferSize) {
        Flush();
    }
    std::uint8_t* room = m_buffer.get() + m_buffered;
    m_buffered += size;
    m_position += size;
    return room;
}

void TiffOutputFile::Encode(std::uint64_t value, unsigned size, std::uint8_t* out) const {
    for (unsigned i = 0; i < size; ++i) {
        const unsigned shift = 8 * (m_bigEndian ? size - 1 - i : i);
        out[i] = static_cast<std::uint8_t>(value >> shift);
    }
}

void TiffOutputFile::AppendNumber(std::uint64_t value, unsigned size) {
    std::uint8_t bytes[8];
    Encode(value, size, bytes);
    Append(bytes, size);
}

void TiffOutputFile::AlignToWord() {
    if (m_position % 2 != 0) {
        const std::uint8_t zero = 0;
        Append(&zero, 1);
    }
}

void TiffOutputFile::PatchNumber(std::uint64_t offset, std::uint64_t value, unsigned size) {
    std::uint8_t bytes[8];
    Encode(value, size, bytes);
    if (offset >= m_flushed) {
        std::memcpy(m_buffer.get() + (offset - m_flushed), bytes, size);
    } else {
        WriteAt(offset, bytes, size);
    }
}

void TiffOutputFile::Flush() {
    if (m_buffered > 0) {
        WriteAt(m_flushed, m_buffer.get(), m_buffered);
        StartWriteBack(m_flushed, m_buffered);
        m_flushed += m_buffered;
        m_buffered = 0;
    }
}

void TiffOutputFile::StartWriteBack(std::uint64_t offset, std::size_t size) const {
#ifdef SYNC_FILE_RANGE_WRITE
    // The file is flushed to disk before it replaces the target; starting each part's
    // write-out now lets the disk work while the rest is copied. Only a hint: errors surface
    // at the final flush.
    ::sync_file_range(m_fd, static_cast<off_t>(offset), static_cast<off_t>(size),
                      SYNC_FILE_RANGE_WRITE);
#else
    (void)offset;
    (void)size;
#endif
}

void TiffOutputFile::CheckOffset(std::uint64_t offset) const {
    if (!m_bigTiff && offset > 0xFFFFFFFFull) {
        throw TiffNeedsBigTiff{};
    }
}

void TiffOutputFile::WriteAt(std::uint64_t offset, const std::uint8_t* data, std::size_t size) {
    WriteFully(m_fd, offset, data, size, m_hook, m_written);
}

void TiffOutputFile::WriteFully(int fd, std::uint64_t offset, const void* data, std::size_t size,
                                const TiffWriteHook& hook, std::uint64_t& written) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    while (size > 0) {
        if (hook && !hook(written, size)) {
            throw TiffError("Cannot write the new file: no space left on device");
        }
        const ssize_t done = ::pwrite(fd, bytes, size, static_cast<off_t>(offset));
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            throw TiffError(std::string("Cannot write the new file: ") +
                            (done < 0 ? std::strerror(errno) : "nothing written"));
        }
        bytes += done;
        offset += static_cast<std::uint64_t>(done);
        size -= static_cast<std::size_t>(done);
        written += static_cast<std::uint64_t>(done);
    }
}

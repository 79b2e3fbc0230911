#include "viewer/TiffKeptVersion.h"

#include "viewer/TiffError.h"
#include "viewer/TiffOutputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kChunk = 1 << 20;

std::string Failure(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

std::size_t ReadAt(int fd, char* data, std::size_t size, std::uint64_t offset) {
    for (;;) {
        const ssize_t done = ::pread(fd, data, size, static_cast<off_t>(offset));
        if (done >= 0) {
            return static_cast<std::size_t>(done);
        }
        if (errno != EINTR) {
            throw TiffError(Failure("Cannot read the earlier version"));
        }
    }
}

} // namespace

TiffKeptVersion TiffKeptVersion::Open(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        throw TiffError(Failure("Cannot read " + path));
    }
    return TiffKeptVersion(fd);
}

TiffKeptVersion TiffKeptVersion::Duplicate(int fd) {
    const int copy = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (copy < 0) {
        throw TiffError(Failure("Cannot keep the new file"));
    }
    return TiffKeptVersion(copy);
}

TiffKeptVersion::~TiffKeptVersion() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

TiffKeptVersion::TiffKeptVersion(TiffKeptVersion&& other) noexcept
    : m_fd(std::exchange(other.m_fd, -1)) {}

TiffKeptVersion& TiffKeptVersion::operator=(TiffKeptVersion&& other) noexcept {
    if (this != &other) {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
        m_fd = std::exchange(other.m_fd, -1);
    }
    return *this;
}

void TiffKeptVersion::MakePrivate(const std::string& folder, unsigned names) {
    struct stat info {};
    if (::fstat(m_fd, &info) != 0) {
        throw TiffError(Failure("Cannot read the earlier version"));
    }
    if (info.st_nlink <= names) {
        return;
    }
    const int copy = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (copy < 0) {
        throw TiffError(Failure("Cannot keep the earlier version in " + folder));
    }
    TiffKeptVersion kept(copy);
    CopyTo(copy);
    *this = std::move(kept);
}

void TiffKeptVersion::CopyTo(int fd, const TiffWriteHook& hook) const {
    std::vector<char> buffer(kChunk);
    std::uint64_t offset = 0;
    for (;;) {
        const std::size_t got = ReadAt(m_fd, buffer.data(), buffer.size(), offset);
        if (got == 0) {
            return;
        }
        TiffOutputFile::WriteFully(fd, offset, buffer.data(), got, hook, offset);
    }
}

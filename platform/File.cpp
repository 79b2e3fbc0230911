#include "platform/File.h"

#include "platform/FileException.h"
#include "platform/FileSystem.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int OpenFlagsFor(unsigned flags) {
    int posix = O_CLOEXEC;
    if (flags & CFile::modeReadWrite) {
        posix |= O_RDWR;
    } else if (flags & CFile::modeWrite) {
        posix |= O_WRONLY;
    } else {
        posix |= O_RDONLY;
    }
    if (flags & (CFile::modeWrite | CFile::modeReadWrite)) {
        posix |= O_NOFOLLOW;
    }
    if (flags & CFile::modeCreate) {
        posix |= O_CREAT;
        if (!(flags & CFile::modeNoTruncate)) {
            posix |= O_TRUNC;
        }
    }
    return posix;
}

bool IsReadOnlyFile(const std::string& nativePath) {
    struct stat status {};
    return ::stat(nativePath.c_str(), &status) == 0 && S_ISREG(status.st_mode) &&
           (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

int OpenNative(const std::string& nativePath, int flags) {
    int fd = -1;
    do {
        fd = ::open(nativePath.c_str(), flags, 0666);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

} // namespace

CFile::~CFile() {
    if (m_fd >= 0) {
        ::close(m_fd);
    }
}

void CFile::Open(const std::string& path, unsigned flags) {
    Close();
    m_path = path;
    const std::string nativePath = FileSystem::ToNativePath(path);
    const bool writing = (flags & (modeWrite | modeReadWrite)) != 0;
    // A new file needs no read-only check: try that common case first.
    if (writing && (flags & modeCreate)) {
        m_fd = OpenNative(nativePath, OpenFlagsFor(flags) | O_EXCL);
        if (m_fd >= 0) {
            return;
        }
    }
    if (writing && IsReadOnlyFile(nativePath)) {
        Fail(EACCES);
    }
    m_fd = OpenNative(nativePath, OpenFlagsFor(flags));
    if (m_fd < 0) {
        Fail(errno);
    }
}

std::size_t CFile::Read(void* buffer, std::size_t count) {
    if (m_fd < 0) {
        Fail(EBADF);
    }
    auto* bytes = static_cast<unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t got = ::read(m_fd, bytes + done, count - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            Fail(errno);
        }
        if (got == 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

void CFile::Write(const void* buffer, std::size_t count) {
    if (m_fd < 0) {
        Fail(EBADF);
    }
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t put = ::write(m_fd, bytes + done, count - done);
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put < 0) {
            Fail(errno);
        }
        done += static_cast<std::size_t>(put);
    }
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekPosition from) {
    if (m_fd < 0) {
        Fail(EBADF);
    }
    static constexpr int kWhence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    const off_t position = ::lseek(m_fd, static_cast<off_t>(offset), kWhence[from]);
    if (position < 0) {
        Fail(errno);
    }
    return static_cast<std::uint64_t>(position);
}

std::uint64_t CFile::GetLength() const {
    struct stat status {};
    if (m_fd < 0 || ::fstat(m_fd, &status) != 0) {
        Fail(m_fd < 0 ? EBADF : errno);
    }
    return static_cast<std::uint64_t>(status.st_size);
}

void CFile::Close() {
    if (m_fd < 0) {
        return;
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR) {
        Fail(errno);
    }
}

void CFile::Fail(int error) const {
    throw CFileException(CFileException::CauseFromErrno(error), m_path, error);
}

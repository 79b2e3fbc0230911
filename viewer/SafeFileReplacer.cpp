#include "viewer/SafeFileReplacer.h"

#include "viewer/TiffError.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string Failure(const std::string& what) {
    return what + ": " + std::strerror(errno);
}

} // namespace

SafeFileReplacer::SafeFileReplacer(const std::string& target) : m_target(target) {
    std::string pattern = FolderOf(target) + "/.tipin-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0) {
        throw TiffError(Failure("Cannot create a file in the folder of " + target));
    }
    m_temporary = name.data();
}

SafeFileReplacer::~SafeFileReplacer() {
    if (!m_committed) {
        Discard();
    }
}

void SafeFileReplacer::Truncate() {
    if (::ftruncate(m_fd, 0) != 0) {
        throw TiffError(Failure("Cannot write the new file"));
    }
}

void SafeFileReplacer::Commit() {
    struct stat info {};
    if (::stat(m_target.c_str(), &info) != 0) {
        throw TiffError(Failure("Cannot read " + m_target));
    }
    if (::fchmod(m_fd, info.st_mode & 07777) != 0 || ::fsync(m_fd) != 0) {
        throw TiffError(Failure("Cannot write the new file"));
    }
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) {
        throw TiffError(Failure("Cannot write the new file"));
    }
    if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
        throw TiffError(Failure("Cannot replace " + m_target));
    }
    // The folder is not flushed as well: that would double the cost of the flush, and a crash
    // before the rename reaches the disk leaves the old, complete file, the source untouched.
    m_committed = true;
}

void SafeFileReplacer::Discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    ::unlink(m_temporary.c_str());
}

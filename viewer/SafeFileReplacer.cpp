#include "viewer/SafeFileReplacer.h"

#include "viewer/TiffError.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kPrefix = "/.tipin-";

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

// Where the anonymous file can be reached by name for linkat.
std::string ProcPath(int fd) {
    return "/proc/self/fd/" + std::to_string(fd);
}

std::string RandomSuffix() {
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    std::random_device random;
    std::string suffix;
    for (int i = 0; i < 6; ++i) {
        suffix += kLetters[random() % (sizeof kLetters - 1)];
    }
    return suffix;
}

} // namespace

SafeFileReplacer::SafeFileReplacer(const std::string& target, Kind kind) : m_target(target) {
    const std::string folder = FolderOf(target);
    if (kind == Kind::Anonymous && OpenAnonymous(folder)) {
        return;
    }
    OpenNamed(folder);
}

SafeFileReplacer::~SafeFileReplacer() {
    if (!m_committed) {
        Discard();
    }
}

std::string SafeFileReplacer::ResolveTarget(const std::string& path) {
    struct stat link {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) {
        return path;
    }
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) {
        if (errno == ENOENT) {
            std::vector<char> destination(PATH_MAX + 1, '\0');
            const ssize_t length = ::readlink(path.c_str(), destination.data(), PATH_MAX);
            const std::string where =
                length > 0 ? std::string(destination.data(), static_cast<std::size_t>(length))
                           : std::string("a missing file");
            throw TiffError("The symbolic link " + path + " leads to " + where +
                            ", which does not exist");
        }
        throw TiffError(Failure("Cannot follow the symbolic link " + path));
    }
    std::string resolved(real);
    std::free(real);
    return resolved;
}

bool SafeFileReplacer::OpenAnonymous(const std::string& folder) {
#ifdef O_TMPFILE
    // Naming the file later goes through /proc; without it the file could not be kept.
    if (::access("/proc/self/fd", X_OK) != 0) {
        return false;
    }
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) {
        // The file system (or the kernel) refuses anonymous files; any real trouble with the
        // folder is reported by the named fallback in the words it always used.
        return false;
    }
    m_fd = fd;
    m_anonymous = true;
    return true;
#else
    (void)folder;
    return false;
#endif
}

void SafeFileReplacer::OpenNamed(const std::string& folder) {
    std::string pattern = folder + kPrefix + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    m_fd = ::mkostemp(name.data(), O_CLOEXEC);
    if (m_fd < 0) {
        throw TiffError(Failure("Cannot create a file in the folder of " + m_target));
    }
    m_temporary = name.data();
}

void SafeFileReplacer::Truncate() {
    if (::ftruncate(m_fd, 0) != 0) {
        throw TiffError(Failure("Cannot write the new file"));
    }
}

void SafeFileReplacer::Flush() {
    TakeOwnerAndMode();
    if (::fsync(m_fd) != 0) {
        throw TiffError(Failure("Cannot write the new file"));
    }
}

void SafeFileReplacer::CommitAsNew() {
    Flush();
    const std::string source = m_anonymous ? ProcPath(m_fd) : m_temporary;
    if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, m_target.c_str(), AT_SYMLINK_FOLLOW) != 0) {
        throw TiffError(errno == EEXIST ? m_target + " already exists"
                                        : Failure("Cannot create " + m_target));
    }
    m_committed = true;
    Discard();
}

void SafeFileReplacer::Commit() {
    Flush();
    if (m_anonymous) {
        // Named only now, and renamed at once: a kill can leave a file only between these
        // two calls. The flush above already reported any write failure, so a failure to
        // close afterwards (which local file systems, the only ones with anonymous files,
        // do not have) no longer matters.
        GiveName(FolderOf(m_target));
        if (::rename(m_temporary.c_str(), m_target.c_str()) != 0) {
            throw TiffError(Failure("Cannot replace " + m_target));
        }
        m_committed = true;
        ::close(m_fd);
        m_fd = -1;
        return;
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

void SafeFileReplacer::TakeOwnerAndMode() {
    struct stat info {};
    if (::stat(m_target.c_str(), &info) != 0) {
        if (errno != ENOENT) {
            throw TiffError(Failure("Cannot read " + m_target));
        }
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(m_fd, 0666 & ~mask) != 0) {
            throw TiffError(Failure("Cannot write the new file"));
        }
        return;
    }
    // Owner and group first: changing them clears the set-ID bits, which the mode then sets.
    // Only a privileged process may give the file another owner; any process may give it a
    // group it belongs to. Where neither is allowed the file stays this process's.
    if (::fchown(m_fd, info.st_uid, info.st_gid) != 0 &&
        ::fchown(m_fd, static_cast<uid_t>(-1), info.st_gid) != 0) {
        // Neither is allowed: the new file keeps this process's owner and group.
    }
    if (::fchmod(m_fd, info.st_mode & 07777) != 0) {
        throw TiffError(Failure("Cannot write the new file"));
    }
}

void SafeFileReplacer::GiveName(const std::string& folder) {
    const std::string source = ProcPath(m_fd);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name = folder + kPrefix + RandomSuffix();
        if (::linkat(AT_FDCWD, source.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
            m_temporary = name;
            return;
        }
        if (errno != EEXIST) {
            throw TiffError(Failure("Cannot replace " + m_target));
        }
    }
    throw TiffError("Cannot replace " + m_target + ": no free name for the new file");
}

void SafeFileReplacer::Discard() {
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.empty()) {
        ::unlink(m_temporary.c_str());
    }
}

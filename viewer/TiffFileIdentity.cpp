#include "viewer/TiffFileIdentity.h"

#include "viewer/TiffError.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace {

TiffFileIdentity FromStat(const struct stat& info) {
    TiffFileIdentity identity;
    identity.device = info.st_dev;
    identity.inode = info.st_ino;
    identity.size = static_cast<std::uint64_t>(info.st_size);
    identity.modifiedSeconds = info.st_mtim.tv_sec;
    identity.modifiedNanoseconds = info.st_mtim.tv_nsec;
    return identity;
}

} // namespace

std::optional<TiffFileIdentity> TiffFileIdentity::OfPath(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FromStat(info);
}

TiffFileIdentity TiffFileIdentity::OfDescriptor(int fd) {
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        throw TiffError(std::string("Cannot read the file: ") + std::strerror(errno));
    }
    return FromStat(info);
}

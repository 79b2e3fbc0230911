#include "platform/FileException.h"

#include <array>
#include <cerrno>
#include <utility>

CFileException::CFileException(int cause, std::string fileName, int osError)
    : m_cause(cause), m_osError(osError), m_strFileName(std::move(fileName)) {}

int CFileException::CauseFromErrno(int error) {
    switch (error) {
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ELOOP:
    case EEXIST:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    case ESPIPE:
    case EINVAL:
        return badSeek;
    case EIO:
        return hardIO;
    default:
        return genericException;
    }
}

const char* CFileException::CauseName(int cause) {
    static constexpr std::array<const char*, 15> kNames = {
        "none",         "genericException", "fileNotFound",     "badPath",       "tooManyOpenFiles",
        "accessDenied", "invalidFile",      "removeCurrentDir", "directoryFull", "badSeek",
        "hardIO",       "sharingViolation", "lockViolation",    "diskFull",      "endOfFile"};
    if (cause < 0 || cause >= static_cast<int>(kNames.size())) {
        return "unknown";
    }
    return kNames[static_cast<std::size_t>(cause)];
}

const char* CFileException::what() const noexcept {
    return CauseName(m_cause);
}

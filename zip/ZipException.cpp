#include "zip/ZipException.h"

#include <array>
#include <utility>

CZipException::CZipException(int cause, std::string fileName)
    : m_szFileName(std::move(fileName)), m_iCause(cause) {}

int CZipException::CauseFromCode(int internalCode) {
    switch (internalCode) {
    case 1:
        return zipErrStreamEnd;
    case 2:
        return zipErrNeedDictionary;
    case -1:
        return zipErrSystem;
    case -2:
        return zipErrStream;
    case -3:
        return zipErrData;
    case -4:
        return zipErrMemory;
    case -5:
        return zipErrBuffer;
    case -6:
        return zipErrVersion;
    case kBadArchive:
        return zipErrBadArchive;
    case kCrcMismatch:
        return zipErrCrcMismatch;
    case kNoDiskHandler:
        return zipErrNoDiskHandler;
    case kUserAbort:
        return zipErrUserAbort;
    case kDriveNotRemovable:
        return zipErrDriveNotRemovable;
    case kVolumeLimit:
        return zipErrVolumeLimit;
    case kNameTooLong:
        return zipErrNameTooLong;
    case kWrongPassword:
        return zipErrWrongPassword;
    case kEndRecordMissing:
        return zipErrEndRecordMissing;
    case kUnsafeName:
        return zipErrUnsafeName;
    case kSizeExceeded:
        return zipErrSizeExceeded;
    default:
        return zipErrGeneric;
    }
}

const char* CZipException::CauseName(int cause) {
    static constexpr std::array<const char*, 21> kNames = {"unknown",
                                                           "zipErrGeneric",
                                                           "zipErrStreamEnd",
                                                           "zipErrNeedDictionary",
                                                           "zipErrSystem",
                                                           "zipErrStream",
                                                           "zipErrData",
                                                           "zipErrMemory",
                                                           "zipErrBuffer",
                                                           "zipErrVersion",
                                                           "zipErrBadArchive",
                                                           "zipErrCrcMismatch",
                                                           "zipErrNoDiskHandler",
                                                           "zipErrUserAbort",
                                                           "zipErrDriveNotRemovable",
                                                           "zipErrVolumeLimit",
                                                           "zipErrNameTooLong",
                                                           "zipErrWrongPassword",
                                                           "zipErrEndRecordMissing",
                                                           "zipErrUnsafeName",
                                                           "zipErrSizeExceeded"};
    if (cause < 1 || cause >= static_cast<int>(kNames.size())) {
        return kNames[0];
    }
    return kNames[static_cast<std::size_t>(cause)];
}

const char* CZipException::what() const noexcept {
    return CauseName(m_iCause);
}

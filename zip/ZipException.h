#pragma once

#include <exception>
#include <string>

// The failure of the zip reader: a cause and the path of the archive volume that was open
// (empty when the archive was closed). Thrown by value.
class CZipException : public std::exception {
public:
    enum Cause {
        zipErrGeneric = 1,
        zipErrStreamEnd = 2,
        zipErrNeedDictionary = 3,
        zipErrSystem = 4,
        zipErrStream = 5,
        zipErrData = 6,
        zipErrMemory = 7,
        zipErrBuffer = 8,
        zipErrVersion = 9,
        zipErrBadArchive = 10,
        zipErrCrcMismatch = 11,
        zipErrNoDiskHandler = 12,
        zipErrUserAbort = 13,
        zipErrDriveNotRemovable = 14,
        zipErrVolumeLimit = 15,
        zipErrNameTooLong = 16,
        zipErrWrongPassword = 17,
        zipErrEndRecordMissing = 18,
        zipErrUnsafeName = 19,
        zipErrSizeExceeded = 20,
    };

    // The reader's internal codes; zlib's own codes (1 to -6) share the same mapping.
    enum InternalCode {
        kBadArchive = -101,
        kCrcMismatch = -102,
        kNoDiskHandler = -103,
        kUserAbort = -104,
        kDriveNotRemovable = -105,
        kVolumeLimit = -106,
        kNameTooLong = -107,
        kWrongPassword = -108,
        kEndRecordMissing = -109,
        kUnsafeName = -110,
        kSizeExceeded = -111,
    };

    CZipException(int cause, std::string fileName);

    static int CauseFromCode(int internalCode);
    static const char* CauseName(int cause);

    std::string m_szFileName;
    int m_iCause;

    const char* what() const noexcept override;
};

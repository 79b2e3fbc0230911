#pragma once

#include <exception>
#include <string>

// The failure of a file operation: what went wrong (the cause) and on which path.
class CFileException : public std::exception {
public:
    enum Cause {
        none = 0,
        genericException = 1,
        fileNotFound = 2,
        badPath = 3,
        tooManyOpenFiles = 4,
        accessDenied = 5,
        invalidFile = 6,
        removeCurrentDir = 7,
        directoryFull = 8,
        badSeek = 9,
        hardIO = 10,
        sharingViolation = 11,
        lockViolation = 12,
        diskFull = 13,
        endOfFile = 14,
    };

    CFileException(int cause, std::string fileName, int osError = 0);

    // The cause that matches a POSIX `errno` value.
    static int CauseFromErrno(int error);
    static const char* CauseName(int cause);

    int m_cause;
    int m_osError;
    std::string m_strFileName;

    const char* what() const noexcept override;
};

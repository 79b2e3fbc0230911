#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A file opened by path, with the flags of the Windows framework's file class. Every failure
// throws CFileException with the path. Paths may use `\` as separator.
class CFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareDenyWrite = 0x0020,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Closes a file still open, ignoring failures.
    virtual ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Writing refuses an existing file whose write bits are all clear (the read-only
    // attribute), whoever runs the program. Writing never follows a symbolic link.
    void Open(const std::string& path, unsigned flags);
    // Reads until `count` bytes are in or the file ends; returns the bytes read.
    std::size_t Read(void* buffer, std::size_t count);
    void Write(const void* buffer, std::size_t count);
    std::uint64_t Seek(std::int64_t offset, SeekPosition from);
    std::uint64_t GetLength() const;
    const std::string& GetFilePath() const { return m_path; }
    bool IsOpen() const { return m_fd >= 0; }
    // Closes the file; a failing close throws. Closing a closed file does nothing.
    void Close();

private:
    [[noreturn]] void Fail(int error) const;

    int m_fd = -1;
    std::string m_path;
};

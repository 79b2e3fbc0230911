#pragma once

#include "viewer/TiffWriteHook.h"

#include <cstdint>
#include <memory>

// Thrown when classic TIFF offsets would pass 4 GiB; the writer starts over as BigTIFF.
struct TiffNeedsBigTiff {};

// The file being built: buffered appends, patches of earlier bytes, numbers in the chosen
// byte order. Write failures throw TiffError.
class TiffOutputFile {
public:
    TiffOutputFile(int fd, bool bigTiff, bool bigEndian, TiffWriteHook hook);

    bool IsBigTiff() const { return m_bigTiff; }
    bool IsBigEndian() const { return m_bigEndian; }
    std::uint64_t Position() const { return m_position; }

    void Append(const void* data, std::size_t size);
    // Room for the next `size` bytes (at most kMaxExtend), to be filled in place by the
    // caller, so that copied data is read straight into the buffer.
    std::uint8_t* Extend(std::size_t size);
    static constexpr std::size_t kMaxExtend = 1 << 20;
    void AppendNumber(std::uint64_t value, unsigned size);
    // TIFF wants directories and values on even offsets.
    void AlignToWord();
    void PatchNumber(std::uint64_t offset, std::uint64_t value, unsigned size);
    void Flush();
    // Converts `value` to the file's byte order in place, `size` bytes.
    void Encode(std::uint64_t value, unsigned size, std::uint8_t* out) const;
    // Checks that an offset fits the format; classic files stop below 4 GiB.
    void CheckOffset(std::uint64_t offset) const;
    // Writes all of `data` at `offset`, asking `hook` first with the running count `written`,
    // which grows by what was written; throws TiffError on failure.
    static void WriteFully(int fd, std::uint64_t offset, const void* data, std::size_t size,
                           const TiffWriteHook& hook, std::uint64_t& written);

private:
    void WriteAt(std::uint64_t offset, const std::uint8_t* data, std::size_t size);
    void StartWriteBack(std::uint64_t offset, std::size_t size) const;

    int m_fd;
    bool m_bigTiff;
    bool m_bigEndian;
    TiffWriteHook m_hook;
    std::uint64_t m_position = 0;
    std::uint64_t m_flushed = 0;
    std::uint64_t m_written = 0;
    std::unique_ptr<std::uint8_t[]> m_buffer;
    std::size_t m_buffered = 0;
};

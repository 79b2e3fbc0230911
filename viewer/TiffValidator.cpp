#include "viewer/TiffValidator.h"

#include "viewer/TiffError.h"
#include "viewer/TiffMessageLog.h"
#include "viewer/TiffPageGeometry.h"
#include "viewer/TiffSourceFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>
#include <vector>

namespace {

// libtiff reads a directory in several small seeks and reads; served from one block of the
// file they cost a copy instead of system calls. Large reads go straight to the file.
class BlockReader {
public:
    static constexpr std::size_t kBlockSize = 64 * 1024;

    explicit BlockReader(const std::string& path)
        : m_fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
        struct stat info {};
        if (m_fd >= 0 && ::fstat(m_fd, &info) == 0) {
            m_size = static_cast<std::uint64_t>(info.st_size);
        }
    }
    ~BlockReader() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    bool IsOpen() const { return m_fd >= 0; }

    TIFF* Open(const std::string& path, const TiffMessageLog& log) {
        return TIFFClientOpenExt(path.c_str(), "rm", this, &BlockReader::Read, &BlockReader::Write,
                                 &BlockReader::Seek, &BlockReader::Close, &BlockReader::Size,
                                 &BlockReader::Map, &BlockReader::Unmap, log.Options());
    }

private:
    static BlockReader& Of(thandle_t handle) { return *static_cast<BlockReader*>(handle); }

    static tmsize_t Read(thandle_t handle, void* buffer, tmsize_t size) {
        BlockReader& reader = Of(handle);
        auto* out = static_cast<std::uint8_t*>(buffer);
        const auto wanted = static_cast<std::uint64_t>(size);
        if (wanted > kBlockSize / 2) {
            const ssize_t got = ::pread(reader.m_fd, out, wanted, off_t(reader.m_position));
            reader.m_position += got > 0 ? std::uint64_t(got) : 0;
            return got;
        }
        const std::uint64_t position = reader.m_position;
        if (position < reader.m_blockOffset ||
            position + wanted > reader.m_blockOffset + reader.m_block.size()) {
            reader.m_block.resize(kBlockSize);
            const ssize_t got =
                ::pread(reader.m_fd, reader.m_block.data(), kBlockSize, off_t(position));
            reader.m_block.resize(got > 0 ? std::size_t(got) : 0);
            reader.m_blockOffset = position;
        }
        const std::uint64_t available =
            std::min(wanted, reader.m_blockOffset + reader.m_block.size() - position);
        std::memcpy(out, reader.m_block.data() + (position - reader.m_blockOffset), available);
        reader.m_position += available;
        return tmsize_t(available);
    }
    static tmsize_t Write(thandle_t, void*, tmsize_t) { return -1; }
    static toff_t Seek(thandle_t handle, toff_t offset, int whence) {
        BlockReader& reader = Of(handle);
        const std::uint64_t base = whence == SEEK_CUR   ? reader.m_position
                                   : whence == SEEK_END ? reader.m_size
                                                        : 0;
        reader.m_position = base + offset;
        return reader.m_position;
    }
    static int Close(thandle_t) { return 0; }
    static toff_t Size(thandle_t handle) { return Of(handle).m_size; }
    static int Map(thandle_t, void**, toff_t*) { return 0; }
    static void Unmap(thandle_t, void*, toff_t) {}

    int m_fd;
    std::uint64_t m_size = 0;
    std::uint64_t m_position = 0;
    std::vector<std::uint8_t> m_block;
    std::uint64_t m_blockOffset = 0;
};

std::string Damaged(const TiffMessageLog& log) {
    return "Damaged TIFF file: " + log.FirstError("a directory cannot be read");
}

void CheckOpenable(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        throw TiffError("Cannot open " + path + ": " + std::strerror(errno));
    }
    if (!S_ISREG(info.st_mode)) {
        throw TiffError("Not a TIFF file: " + path + " is not a regular file");
    }
}

void CheckPage(TIFF* tif, const TiffMessageLog& log, const std::string& path) {
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height);
    if (width == 0 || height == 0) {
        throw TiffError("A page has no width or height in " + path);
    }
    if (log.HasErrors()) {
        throw TiffError(Damaged(log));
    }
}

// Opens `path` with libtiff, runs `read` on it and keeps libtiff's warnings if it succeeds.
template <typename Read>
void WithLibtiff(const std::string& path, std::vector<std::string>& warnings, const Read& read) {
    TiffMessageLog log;
    BlockReader reader(path);
    if (!reader.IsOpen()) {
        throw TiffError("Cannot open " + path + ": " + std::strerror(errno));
    }
    TIFF* tif = reader.Open(path, log);
    if (!tif) {
        throw TiffError("Not a TIFF file: " + log.FirstError(path));
    }
    try {
        read(tif, log);
    } catch (...) {
        TIFFClose(tif);
        throw;
    }
    TIFFClose(tif);
    warnings.insert(warnings.end(), log.Warnings().begin(), log.Warnings().end());
}

} // namespace

int TiffValidator::CountPages(const std::string& path, std::vector<std::string>& warnings) {
    CheckOpenable(path);
    const TiffSourceFile file(path);
    const std::vector<std::uint64_t> pages = WalkPages(file);
    CheckWithLibtiff(path, pages.size(), warnings);
    return static_cast<int>(pages.size());
}

std::vector<std::uint64_t> TiffValidator::WalkPages(const TiffSourceFile& file) {
    return file.PageOffsets([&file](const TiffIfd& ifd) { TiffPageGeometry::Check(file, ifd); });
}

std::vector<std::uint64_t> TiffValidator::WalkChain(const TiffSourceFile& file) {
    return file.PageOffsets();
}

void TiffValidator::CheckWithLibtiff(const std::string& path, std::size_t pages,
                                     std::vector<std::string>& warnings) {
    WithLibtiff(path, warnings, [&](TIFF* tif, const TiffMessageLog& log) {
        std::size_t read = 0;
        do {
            CheckPage(tif, log, path);
            ++read;
        } while (TIFFReadDirectory(tif));
        if (log.HasErrors()) {
            throw TiffError(Damaged(log));
        }
        if (read != pages) {
            throw TiffError("Damaged TIFF file: the chain of pages is broken");
        }
    });
}

void TiffValidator::ReadPagesWithLibtiff(const std::string& path,
                                         const std::vector<std::uint64_t>& offsets,
                                         std::vector<std::string>& warnings) {
    WithLibtiff(path, warnings, [&](TIFF* tif, const TiffMessageLog& log) {
        for (const std::uint64_t offset : offsets) {
            if (!TIFFSetSubDirectory(tif, offset)) {
                throw TiffError(Damaged(log));
            }
            CheckPage(tif, log, path);
        }
    });
}

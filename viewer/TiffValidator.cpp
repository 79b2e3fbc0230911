#include "viewer/TiffValidator.h"

#include "viewer/TiffError.h"
#include "viewer/TiffMessageLog.h"
#include "viewer/TiffPageGeometry.h"
#include "viewer/TiffSourceFile.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <tiffio.h>

namespace {

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

void TiffValidator::CheckWithLibtiff(const std::string& path, std::size_t pages,
                                     std::vector<std::string>& warnings) {
    TiffMessageLog log;
    TIFF* tif = OpenTiffForReading(path, log);
    if (!tif) {
        throw TiffError("Not a TIFF file: " + log.FirstError(path));
    }
    std::size_t read = 0;
    try {
        do {
            CheckPage(tif, log, path);
            ++read;
        } while (TIFFReadDirectory(tif));
        if (log.HasErrors()) {
            throw TiffError(Damaged(log));
        }
    } catch (...) {
        TIFFClose(tif);
        throw;
    }
    TIFFClose(tif);
    if (read != pages) {
        throw TiffError("Damaged TIFF file: the chain of pages is broken");
    }
    warnings.insert(warnings.end(), log.Warnings().begin(), log.Warnings().end());
}

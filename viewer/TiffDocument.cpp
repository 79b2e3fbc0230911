#include "viewer/TiffDocument.h"

#include "viewer/TiffError.h"
#include "viewer/TiffInserter.h"
#include "viewer/TiffMessageLog.h"
#include "viewer/TiffPageRenderer.h"
#include "viewer/TiffValidator.h"

#include <tiffio.h>

namespace {

PageInfo DescribeCurrent(TIFF* tif) {
    PageInfo info;
    TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &info.width);
    TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &info.height);
    TIFFGetFieldDefaulted(tif, TIFFTAG_BITSPERSAMPLE, &info.bitsPerSample);
    TIFFGetFieldDefaulted(tif, TIFFTAG_SAMPLESPERPIXEL, &info.samplesPerPixel);
    TIFFGetFieldDefaulted(tif, TIFFTAG_COMPRESSION, &info.compression);
    TIFFGetField(tif, TIFFTAG_PHOTOMETRIC, &info.photometric);
    info.tiled = TIFFIsTiled(tif);
    info.strileCount = info.tiled ? TIFFNumberOfTiles(tif) : TIFFNumberOfStrips(tif);
    for (std::uint32_t i = 0; i < info.strileCount; ++i) {
        info.dataBytes += TIFFGetStrileByteCount(tif, i);
    }
    return info;
}

} // namespace

PageCountResult TiffDocument::CountPages(const std::string& path) {
    PageCountResult result;
    try {
        result.pageCount = TiffValidator::CountPages(path, result.status.warnings);
        result.status.ok = true;
    } catch (const TiffError& error) {
        result.status.message = error.what();
    }
    return result;
}

RenderResult TiffDocument::RenderPage(const std::string& path, int page, int boxWidth,
                                      int boxHeight, bool enlarge) {
    return TiffPageRenderer::Render(path, page, boxWidth, boxHeight, enlarge);
}

TiffStatus TiffDocument::InsertPages(const std::string& target, int position,
                                     const std::string& source, const TiffWriteHook& hook,
                                     const TiffProgress& progress) {
    return TiffInserter::Insert(target, position, source, hook, progress);
}

InfoResult TiffDocument::Describe(const std::string& path) {
    InfoResult result;
    try {
        TiffValidator::CountPages(path, result.status.warnings);
        TiffMessageLog log;
        // "c": strips as stored, not cut into pieces for reading.
        TIFF* tif = TIFFOpenExt(path.c_str(), "rmc", log.Options());
        if (!tif) {
            throw TiffError("Not a TIFF file: " + log.FirstError(path));
        }
        do {
            result.pages.push_back(DescribeCurrent(tif));
        } while (TIFFReadDirectory(tif));
        TIFFClose(tif);
        result.status.ok = true;
    } catch (const TiffError& error) {
        result.status.message = error.what();
        result.pages.clear();
    }
    return result;
}

#include "viewer/TiffPageRenderer.h"

#include "viewer/AreaAverager.h"
#include "viewer/TiffError.h"
#include "viewer/TiffMessageLog.h"
#include "viewer/TiffValidator.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <tiffio.h>
#include <vector>

namespace {

struct ImageCloser {
    void operator()(TIFFRGBAImage* image) const { TIFFRGBAImageEnd(image); }
};
struct TiffCloser {
    void operator()(TIFF* tif) const { TIFFClose(tif); }
};

struct FittedSize {
    int width;
    int height;
};

// The page's proportions on paper: a fax stored at 204 x 98 dpi would look squashed to half
// its height if every pixel were square.
struct PageShape {
    double width;
    double height;
};

// Ratios beyond this come from wrong resolution tags rather than from real scanners.
constexpr double kMaxPixelAspect = 8.0;

PageShape ShapeOf(TIFF* tif, std::uint32_t width, std::uint32_t height) {
    PageShape shape{double(width), double(height)};
    float xResolution = 0;
    float yResolution = 0;
    if (!TIFFGetField(tif, TIFFTAG_XRESOLUTION, &xResolution) ||
        !TIFFGetField(tif, TIFFTAG_YRESOLUTION, &yResolution) || !(xResolution > 0) ||
        !(yResolution > 0) || !std::isfinite(xResolution) || !std::isfinite(yResolution)) {
        return shape;
    }
    const double aspect = double(xResolution) / yResolution;
    if (aspect > kMaxPixelAspect || aspect < 1 / kMaxPixelAspect) {
        return shape;
    }
    // The denser axis shrinks, so the page never needs more pixels than it stores.
    if (aspect > 1) {
        shape.width /= aspect;
    } else {
        shape.height *= aspect;
    }
    return shape;
}

PageShape Displayed(PageShape stored, bool swapsAxes) {
    return swapsAxes ? PageShape{stored.height, stored.width} : stored;
}

FittedSize Fit(PageShape page, int boxWidth, int boxHeight, bool enlarge) {
    double scale = std::min(boxWidth / page.width, boxHeight / page.height);
    if (!enlarge) {
        scale = std::min(scale, 1.0);
    }
    const auto side = [&](double length, int box) {
        return std::clamp(static_cast<int>(std::lround(length * scale)), 1, box);
    };
    return {side(page.width, boxWidth), side(page.height, boxHeight)};
}

// libtiff writes every pixel of the rectangle asked for, so the band need not be cleared.
std::unique_ptr<std::uint32_t[]> UnsetPixels(std::size_t count) {
    return std::make_unique_for_overwrite<std::uint32_t[]>(count);
}

void DecodeTiles(TIFFRGBAImage& image, TIFF* tif, AreaAverager& averager) {
    std::uint32_t tileWidth = 0;
    std::uint32_t tileHeight = 0;
    TIFFGetField(tif, TIFFTAG_TILEWIDTH, &tileWidth);
    TIFFGetField(tif, TIFFTAG_TILELENGTH, &tileHeight);
    if (tileWidth == 0 || tileHeight == 0 ||
        std::uint64_t(tileWidth) * tileHeight * 4 > TiffPageRenderer::kMaxTileBytes) {
        throw TiffError("The page's tiles are too large to show");
    }
    const auto raster = UnsetPixels(std::size_t(tileWidth) * tileHeight);
    for (std::uint32_t row = 0; row < image.height; row += tileHeight) {
        for (std::uint32_t column = 0; column < image.width; column += tileWidth) {
            const std::uint32_t width = std::min(tileWidth, image.width - column);
            const std::uint32_t height = std::min(tileHeight, image.height - row);
            image.row_offset = static_cast<int>(row);
            image.col_offset = static_cast<int>(column);
            if (!TIFFRGBAImageGet(&image, raster.get(), width, height)) {
                throw TiffError("The page's data cannot be decoded");
            }
            averager.Add(raster.get(), column, row, width, height);
        }
    }
}

void DecodeStrips(TIFFRGBAImage& image, TIFF* tif, AreaAverager& averager) {
    std::uint32_t rowsPerStrip = image.height;
    TIFFGetFieldDefaulted(tif, TIFFTAG_ROWSPERSTRIP, &rowsPerStrip);
    const std::uint64_t rowBytes = std::uint64_t(image.width) * 4;
    std::uint32_t band = static_cast<std::uint32_t>(
        std::clamp<std::uint64_t>(TiffPageRenderer::kBandBytes / rowBytes, 1, image.height));
    if (rowsPerStrip > 0 && rowsPerStrip <= band) {
        band -= band % rowsPerStrip; // whole strips, so none is decoded twice
    }
    const auto raster = UnsetPixels(std::size_t(image.width) * band);
    for (std::uint32_t row = 0; row < image.height; row += band) {
        const std::uint32_t height = std::min(band, image.height - row);
        image.row_offset = static_cast<int>(row);
        image.col_offset = 0;
        if (!TIFFRGBAImageGet(&image, raster.get(), image.width, height)) {
            throw TiffError("The page's data cannot be decoded");
        }
        averager.Add(raster.get(), 0, row, image.width, height);
    }
}

RgbaImage Enlarged(const RgbaImage& small, int width, int height) {
    RgbaImage image{width, height, width * 4,
                    std::vector<std::uint32_t>(std::size_t(width) * height)};
    for (int y = 0; y < height; ++y) {
        const int sourceRow = static_cast<int>(std::int64_t(y) * small.height / height);
        for (int x = 0; x < width; ++x) {
            const int sourceColumn = static_cast<int>(std::int64_t(x) * small.width / width);
            image.pixels[std::size_t(y) * width + x] =
                small.pixels[std::size_t(sourceRow) * small.width + sourceColumn];
        }
    }
    return image;
}

} // namespace

RgbaImage TiffPageRenderer::RenderDirectory(TIFF* tif, int boxWidth, int boxHeight, bool enlarge) {
    char reason[1024] = {};
    TIFFRGBAImage image{};
    if (!TIFFRGBAImageOK(tif, reason) || !TIFFRGBAImageBegin(&image, tif, 0, reason)) {
        throw TiffError(std::string("Cannot show this page: ") + reason);
    }
    std::unique_ptr<TIFFRGBAImage, ImageCloser> guard(&image);
    // Rows come as stored; the averager applies the orientation itself, rotations included.
    image.req_orientation = image.orientation;
    const int orientation = image.orientation;
    const PageShape page =
        Displayed(ShapeOf(tif, image.width, image.height), AreaAverager::SwapsAxes(orientation));
    const FittedSize fitted = Fit(page, boxWidth, boxHeight, false);
    AreaAverager averager(image.width, image.height, orientation, fitted.width, fitted.height);
    if (TIFFIsTiled(tif)) {
        DecodeTiles(image, tif, averager);
    } else {
        DecodeStrips(image, tif, averager);
    }
    RgbaImage result = averager.Result();
    const FittedSize enlarged = enlarge ? Fit(page, boxWidth, boxHeight, true) : fitted;
    if (enlarged.width != result.width || enlarged.height != result.height) {
        result = Enlarged(result, enlarged.width, enlarged.height);
    }
    return result;
}

RenderResult TiffPageRenderer::Render(const std::string& path, int page, int boxWidth,
                                      int boxHeight, bool enlarge) {
    RenderResult result;
    try {
        if (boxWidth < 1 || boxHeight < 1) {
            throw TiffError("There is no room to show the page");
        }
        const int pages = TiffValidator::CountPages(path, result.status.warnings);
        if (page < 1 || page > pages) {
            throw TiffError("Page " + std::to_string(page) + " does not exist: the file has " +
                            std::to_string(pages) + (pages == 1 ? " page" : " pages"));
        }
        TiffMessageLog log;
        std::unique_ptr<TIFF, TiffCloser> tif(OpenTiffForReading(path, log));
        if (!tif || !TIFFSetDirectory(tif.get(), static_cast<tdir_t>(page - 1))) {
            throw TiffError("Not a readable TIFF file: " + log.FirstError(path));
        }
        result.image = RenderDirectory(tif.get(), boxWidth, boxHeight, enlarge);
        result.status.warnings.insert(result.status.warnings.end(), log.Warnings().begin(),
                                      log.Warnings().end());
        result.status.ok = true;
    } catch (const TiffError& error) {
        result.status.message = error.what();
        result.image = {};
    } catch (const std::bad_alloc&) {
        result.status.message = "Not enough memory to show the page";
        result.image = {};
    }
    return result;
}

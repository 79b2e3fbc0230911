#include "platform/ImageOutline.h"

#include <cstring>
#include <mutex>
#include <vector>

namespace {

struct Run {
    int left;
    int right; // exclusive
    friend bool operator==(const Run&, const Run&) = default;
};

int UsedWidth(const QImage& image, int width) {
    return (width < 0 || width > image.width()) ? image.width() : width;
}

QRgb Opaque(COLORREF colour) {
    return qRgb(RedOf(colour), GreenOf(colour), BlueOf(colour));
}

void RunsOfRow(const QRgb* row, int width, QRgb cut, bool cutting, std::vector<Run>& runs) {
    runs.clear();
    int x = 0;
    while (x < width) {
        while (x < width && cutting && (row[x] | 0xFF000000u) == cut) {
            ++x;
        }
        const int left = x;
        while (x < width && !(cutting && (row[x] | 0xFF000000u) == cut)) {
            ++x;
        }
        if (x > left) {
            runs.push_back({left, x});
        }
    }
}

// Adds the band [top, bottom) of `runs` in the order QRegion::setRects expects.
void AddBand(std::vector<QRect>& rects, const std::vector<Run>& runs, int top, int bottom) {
    for (const Run& run : runs) {
        rects.emplace_back(run.left, top, run.right - run.left, bottom - top);
    }
}

// The kept area is smaller than the whole exactly when a pixel was cut.
bool CutAny(const std::vector<QRect>& rects, int width, int height) {
    qint64 kept = 0;
    for (const QRect& rect : rects) {
        kept += qint64(rect.width()) * rect.height();
    }
    return kept < qint64(width) * height;
}

struct Traced {
    qint64 image = 0;
    COLORREF cut = 0;
    int width = 0;
    QRegion region;
    bool anyCut = false;
    bool tooComplex = false;
};

} // namespace

// A skin load asks for the same outline twice (the usability check, then the window), so
// the last one is kept; an image's key changes whenever its pixels do. The check may run on
// another thread than the window.
QRegion CImageOutline::Of(const QImage& source, COLORREF cut, int width, bool* anyCut,
                          bool* tooComplex) {
    static std::mutex guard;
    static Traced last;
    Traced now;
    if (!source.isNull()) {
        const std::lock_guard<std::mutex> lock(guard);
        if (source.cacheKey() != last.image || cut != last.cut || width != last.width) {
            last.anyCut = false;
            last.tooComplex = false;
            last.region = Trace(source, cut, width, &last.anyCut, &last.tooComplex);
            last.image = source.cacheKey();
            last.cut = cut;
            last.width = width;
        }
        now = last;
    }
    if (anyCut != nullptr) {
        *anyCut = now.anyCut;
    }
    if (tooComplex != nullptr) {
        *tooComplex = now.tooComplex;
    }
    return now.region;
}

QRegion CImageOutline::Trace(const QImage& source, COLORREF cut, int width, bool* anyCut,
                             bool* tooComplex) {
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    const int used = UsedWidth(image, width);
    const bool cutting = cut != kNoColour;
    const QRgb cutPixel = Opaque(cut);
    std::vector<QRect> rects;
    std::vector<Run> band;
    std::vector<Run> row;
    int bandTop = 0;
    const std::size_t rowBytes = std::size_t(used) * sizeof(QRgb);
    for (int y = 0; y < image.height(); ++y) {
        const uchar* pixels = image.constScanLine(y);
        // Painted skins repeat rows a lot; a repeated row has the runs of the one above.
        if (y > 0 && std::memcmp(pixels, image.constScanLine(y - 1), rowBytes) == 0) {
            continue;
        }
        RunsOfRow(reinterpret_cast<const QRgb*>(pixels), used, cutPixel, cutting, row);
        if (y > 0 && row == band) {
            continue;
        }
        AddBand(rects, band, bandTop, y);
        band.swap(row);
        bandTop = y;
        if (rects.size() + band.size() > kMaxRects) {
            break;
        }
    }
    AddBand(rects, band, bandTop, image.height());
    if (rects.size() > kMaxRects) {
        if (tooComplex != nullptr) {
            *tooComplex = true;
        }
        return {};
    }
    if (anyCut != nullptr) {
        *anyCut = CutAny(rects, used, image.height());
    }
    QRegion region;
    region.setRects(rects.data(), int(rects.size()));
    return region;
}

#include "notifier/BitmapOutline.h"

#include <vector>

namespace {

struct Run {
    int left;
    int width;
    friend bool operator==(const Run&, const Run&) = default;
};

bool IsByte(int value) {
    return value >= 0 && value <= 0xFF;
}

// The runs of kept pixels of one row.
void RowRuns(const QRgb* line, int width, QRgb cut, bool cutsAny, std::vector<Run>& runs) {
    runs.clear();
    if (!cutsAny) {
        runs.push_back({0, width});
        return;
    }
    int x = 0;
    while (x < width) {
        while (x < width && (line[x] & 0xFFFFFFU) == cut) {
            ++x;
        }
        const int start = x;
        while (x < width && (line[x] & 0xFFFFFFU) != cut) {
            ++x;
        }
        if (x > start) {
            runs.push_back({start, x - start});
        }
    }
}

void AddBand(std::vector<QRect>& rects, const std::vector<Run>& runs, int top, int height) {
    for (const Run& run : runs) {
        rects.emplace_back(run.left, top, run.width, height);
    }
}

} // namespace

std::optional<QRegion> CBitmapOutline::Of(const QImage& bitmap, int red, int green, int blue) {
    const int width = UsedWidth(bitmap.width());
    const int height = bitmap.height();
    if (bitmap.isNull() || width <= 0 || height <= 0) {
        return std::nullopt;
    }
    const QImage pixels =
        bitmap.format() == QImage::Format_RGB32 || bitmap.format() == QImage::Format_ARGB32
            ? bitmap
            : bitmap.convertToFormat(QImage::Format_RGB32);
    const bool cutsAny = IsByte(red) && IsByte(green) && IsByte(blue);
    const QRgb cut = cutsAny ? (qRgb(red, green, blue) & 0xFFFFFFU) : 0U;

    // Bands of equal rows, in the y-x order QRegion keeps: within a band the runs never
    // touch (a cut pixel lies between two runs), and every rectangle of a band has its height.
    std::vector<QRect> rects;
    std::vector<Run> band;
    std::vector<Run> row;
    int bandTop = 0;
    for (int y = 0; y < height; ++y) {
        RowRuns(reinterpret_cast<const QRgb*>(pixels.constScanLine(y)), width, cut, cutsAny, row);
        if (y > 0 && row == band) {
            continue;
        }
        AddBand(rects, band, bandTop, y - bandTop);
        band.swap(row);
        bandTop = y;
    }
    AddBand(rects, band, bandTop, height - bandTop);

    QRegion outline;
    if (!rects.empty()) {
        outline.setRects(rects.data(), int(rects.size()));
    }
    return outline;
}

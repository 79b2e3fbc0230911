#include "tests/notifier/NotifierTestSupport.h"

#include "notifier/BitmapOutline.h"

namespace tipin::test {

QImage NotifierBitmap(int width, int height, int cornerRadius) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.setPixel(x, y, qRgb(40 + (y * 7) % 200, 60 + (x * 3) % 150, 120));
        }
    }
    const QRgb key = qRgb(255, 0, 255);
    for (int y = 0; y < cornerRadius && y < height; ++y) {
        const int cut = cornerRadius - y;
        for (int x = 0; x < cut && x < width; ++x) {
            image.setPixel(x, y, key);
            image.setPixel(width - 1 - x, y, key);
            image.setPixel(x, height - 1 - y, key);
            image.setPixel(width - 1 - x, height - 1 - y, key);
        }
    }
    return image;
}

std::optional<QRegion> ReferenceOutline(const QImage& bitmap, int red, int green, int blue) {
    const int width = bitmap.width() - bitmap.width() % 4;
    const int height = bitmap.height();
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    QRegion region(0, 0, width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb pixel = bitmap.pixel(x, y);
            if (qRed(pixel) == red && qGreen(pixel) == green && qBlue(pixel) == blue) {
                region = region.xored(QRegion(x, y, 1, 1));
            }
        }
    }
    return region;
}

} // namespace tipin::test

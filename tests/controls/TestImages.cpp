#include "tests/controls/TestImages.h"

#include <QPainter>
#include <stdexcept>

namespace tipin::test {

QImage SolidStrip(const std::vector<QColor>& frames, int frameWidth, int height, int extraColumns,
                  QColor extraColour) {
    const int width = frameWidth * int(frames.size()) + extraColumns;
    QImage strip(width, height, QImage::Format_RGB32);
    strip.fill(extraColour);
    QPainter painter(&strip);
    for (int k = 0; k < int(frames.size()); ++k) {
        painter.fillRect(k * frameWidth, 0, frameWidth, height, frames[k]);
    }
    return strip;
}

QImage SolidImage(QSize size, QColor colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

std::string WriteBmp(const std::string& path, const QImage& image) {
    if (!image.save(QString::fromStdString(path), "BMP")) {
        throw std::runtime_error("cannot write " + path);
    }
    return path;
}

int CountPixels(const QImage& image, const QRect& area, QColor colour) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixelColor(x, y).rgb() == colour.rgb() ? 1 : 0;
        }
    }
    return count;
}

bool AllPixels(const QImage& image, const QRect& area, QColor colour) {
    return CountPixels(image, area, colour) == area.width() * area.height();
}

} // namespace tipin::test

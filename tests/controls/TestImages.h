#pragma once

#include <QColor>
#include <QImage>
#include <string>
#include <vector>

namespace tipin::test {

// A strip of solid frames side by side, `frameWidth` wide each, then `extraColumns` more
// columns of `extraColour`.
QImage SolidStrip(const std::vector<QColor>& frames, int frameWidth, int height,
                  int extraColumns = 0, QColor extraColour = Qt::magenta);
QImage SolidImage(QSize size, QColor colour);
// Writes `image` as a BMP file and returns its path.
std::string WriteBmp(const std::string& path, const QImage& image);
// Whether every pixel of `area` in `image` has `colour`.
bool AllPixels(const QImage& image, const QRect& area, QColor colour);
int CountPixels(const QImage& image, const QRect& area, QColor colour);

} // namespace tipin::test

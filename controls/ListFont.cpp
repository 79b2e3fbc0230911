#include "controls/ListFont.h"

#include <QFontMetrics>

// The largest pixel size whose line height fits the cell, then stretched to the width.
QFont CListFont::Make(const QString& face, int cellHeight, int averageWidth) {
    QFont font(face);
    int size = qMax(1, cellHeight);
    font.setPixelSize(size);
    while (size > 1 && QFontMetrics(font).height() > cellHeight) {
        font.setPixelSize(--size);
    }
    const int natural = QFontMetrics(font).averageCharWidth();
    if (averageWidth > 0 && natural > 0) {
        font.setStretch(qBound(1, averageWidth * 100 / natural, 4000));
    }
    return font;
}

#pragma once

#include "skins/SkinModel.h"

#include <QFont>

// Paints antialiased text into a bitmap and remembers what lay under it, so that its
// legibility can be measured on the finished bitmap.
class CTextPainter {
public:
    static void Draw(PaintedBitmap& target, const QRect& area, const QString& text,
                     const QFont& font, const QColor& colour, Qt::Alignment alignment);
};

#include "skins/TextPainter.h"

#include <QPainter>

void CTextPainter::Draw(PaintedBitmap& target, const QRect& area, const QString& text,
                        const QFont& font, const QColor& colour, Qt::Alignment alignment) {
    target.marks.push_back({{}, area, colour, target.image.copy(area)});
    QPainter painter(&target.image);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(area, int(alignment), text);
}

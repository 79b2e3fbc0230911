#pragma once

#include "skins/SkinLayout.h"
#include "skins/SkinTheme.h"

#include <QPainterPath>

// Paints the window background with its outline cut in the transparent colour, the icon,
// and the notifier popup's background.
class CBackgroundPainter {
public:
    static constexpr QRgb kTransparent = 0xFFFF00FF;

    CBackgroundPainter(const SkinTheme& theme, const SkinLayout& layout)
        : m_theme(theme), m_layout(layout) {}

    QImage Background() const;
    QImage Icon(const QImage& backdrop) const;
    PaintedBitmap Notifier() const;

private:
    QPainterPath WindowOutline() const;
    void PaintBody(QImage& image) const;
    void PaintPattern(QImage& image) const;
    void PaintTitle(QImage& image) const;
    void PaintPanels(QImage& image) const;
    void PaintEmblem(QPainter& p, const QRectF& box, const QColor& colour) const;
    static void CutOutline(QImage& image, const QPainterPath& outline, const QColor& edge);

    const SkinTheme& m_theme;
    const SkinLayout& m_layout;
};

#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <optional>

// Off-screen drawing surface: the caller draws with the target's own coordinates, and the
// whole picture reaches the target in one copy when the surface is destroyed. Targets that
// are not raster surfaces (printers, recorded pictures) are drawn on directly.
class CMemoryDC {
public:
    // Without `area` the target's clip box is covered (the whole device when it has none).
    // With `copyBackground` the parts the caller leaves alone keep what the target showed;
    // otherwise they show `fill`.
    CMemoryDC(QPainter& target, std::optional<QRect> area, bool copyBackground,
              const QColor& fill = Qt::white);
    ~CMemoryDC();
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;

    QPainter& Painter() { return m_offScreen ? m_painter : m_target; }
    const QRect& Area() const { return m_area; }
    bool IsOffScreen() const { return m_offScreen; }

private:
    QRect ClipBox() const;
    void BeginOffScreen(bool copyBackground, const QColor& fill);

    QPainter& m_target;
    QRect m_area;
    QRect m_deviceArea;
    bool m_offScreen;
    QImage m_surface;
    QPainter m_painter;
};

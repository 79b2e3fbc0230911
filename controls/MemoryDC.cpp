#include "controls/MemoryDC.h"

#include <QPaintDevice>

namespace {

bool IsRasterTarget(const QPainter& painter) {
    const int type = painter.device()->devType();
    return type != QInternal::Printer && type != QInternal::Picture;
}

} // namespace

CMemoryDC::CMemoryDC(QPainter& target, std::optional<QRect> area, bool copyBackground,
                     const QColor& fill)
    : m_target(target), m_area(area.value_or(ClipBox())), m_offScreen(IsRasterTarget(target)) {
    if (m_offScreen) {
        BeginOffScreen(copyBackground, fill);
    } else if (!copyBackground) {
        m_target.fillRect(m_area, fill);
    }
}

CMemoryDC::~CMemoryDC() {
    if (!m_offScreen) {
        return;
    }
    m_painter.end();
    if (m_deviceArea.isEmpty()) {
        return;
    }
    m_target.save();
    m_target.resetTransform();
    m_target.drawImage(m_deviceArea.topLeft(), m_surface);
    m_target.restore();
}

QRect CMemoryDC::ClipBox() const {
    if (m_target.hasClipping()) {
        return m_target.clipBoundingRect().toAlignedRect();
    }
    const QPaintDevice* device = m_target.device();
    return m_target.transform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
}

// The surface is in device pixels of the target; its painter maps the target's logical
// coordinates onto it, so a scaled or shifted target draws the same here.
void CMemoryDC::BeginOffScreen(bool copyBackground, const QColor& fill) {
    m_deviceArea = m_target.transform().mapRect(m_area);
    const qreal ratio = m_target.device()->devicePixelRatioF();
    const QSize size = m_deviceArea.size().expandedTo(QSize(1, 1)) * ratio;
    m_surface = QImage(size, QImage::Format_ARGB32_Premultiplied);
    m_surface.setDevicePixelRatio(ratio);
    m_surface.fill(copyBackground ? QColor(Qt::transparent) : fill);
    m_painter.begin(&m_surface);
    m_painter.setTransform(m_target.transform() *
                           QTransform::fromTranslate(-m_deviceArea.left(), -m_deviceArea.top()));
}

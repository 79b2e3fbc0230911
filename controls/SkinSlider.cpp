#include "controls/SkinSlider.h"

#include "controls/AccessibleSkinSlider.h"
#include "controls/MemoryDC.h"
#include "controls/SkinHost.h"

#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

int TruncateToInt(double value) {
    constexpr double kLow = std::numeric_limits<int>::min();
    constexpr double kHigh = std::numeric_limits<int>::max();
    return static_cast<int>(std::trunc(std::clamp(value, kLow, kHigh)));
}

} // namespace

CSkinSlider::CSkinSlider(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::StrongFocus);
}

void CSkinSlider::SetRangeMax(int max, bool repaint) {
    m_max = max;
    if (repaint) {
        update();
    }
}

void CSkinSlider::SetRangeMin(int min, bool repaint) {
    m_min = min;
    if (repaint) {
        update();
    }
}

void CSkinSlider::SetRange(int min, int max, bool repaint) {
    SetRangeMin(min, false);
    SetRangeMax(max, repaint);
}

void CSkinSlider::SetPos(int pos) {
    m_pos = pos;
    if (m_pos > m_max) {
        m_pos = m_max;
    }
    if (m_pos < m_min) {
        m_pos = m_min;
    }
    update();
    CAccessibleSkinSlider::ValueChanged(this);
}

// Steps beyond the int range stop at its ends before the range clamps them.
void CSkinSlider::MoveBy(qint64 delta) {
    constexpr qint64 kLow = std::numeric_limits<int>::min();
    constexpr qint64 kHigh = std::numeric_limits<int>::max();
    SetPos(int(std::clamp(qint64(m_pos) + delta, kLow, kHigh)));
}

int CSkinSlider::SetPageSize(int page) {
    return std::exchange(m_page, page);
}

void CSkinSlider::Enable(bool enabled) {
    m_enabled = enabled;
    if (!enabled && m_dragging) {
        m_dragging = false;
        if (mouseGrabber() == this) {
            releaseMouse();
        }
    }
    update();
}

void CSkinSlider::SetDrawFocusRect(bool draw, bool repaint) {
    m_drawFocusRect = draw;
    if (repaint) {
        update();
    }
}

bool CSkinSlider::SetChannelBitmap(const std::string& path) {
    m_channel = CSkinImage::FromFile(path);
    if (m_channel.IsNull()) {
        return false;
    }
    m_channelWidth = m_channel.Width();
    m_channelHeight = m_channel.Height();
    m_channelLoaded = true;
    return true;
}

void CSkinSlider::ClearThumb() {
    m_thumb = {};
    m_draggedThumb = {};
}

bool CSkinSlider::SetThumbBitmaps(const std::string& thumbPath,
                                  const std::optional<std::string>& draggedPath, bool transparent) {
    if (thumbPath.empty()) {
        m_thumbLoaded = false;
        ClearThumb();
        return true;
    }
    m_thumb = CSkinImage::FromFile(thumbPath);
    bool loaded = !m_thumb.IsNull();
    if (loaded) {
        if (transparent) {
            m_thumb.SetColourKey(m_maskColour);
        }
        if (draggedPath) {
            m_draggedThumb = CSkinImage::FromFile(*draggedPath);
            if (m_draggedThumb.IsNull()) {
                m_thumb = {};
                return false;
            }
            if (transparent) {
                m_draggedThumb.SetColourKey(m_maskColour);
            }
        }
        m_draggedThumbLoaded = draggedPath.has_value();
        m_thumbWidth = m_thumb.Width();
        m_thumbHeight = m_thumb.Height();
        m_width = std::max(m_thumbWidth, m_channelWidth);
        m_height = std::max(m_thumbHeight, m_channelHeight);
    } else {
        m_width = m_channelWidth;
        m_height = m_channelHeight;
    }
    resize(m_width, m_height);
    m_transparentThumb = transparent;
    m_thumbLoaded = loaded;
    return loaded;
}

void CSkinSlider::SetTooltipText(const std::optional<QString>& text, bool activate) {
    if (!text) {
        return;
    }
    m_tooltipText = *text;
    m_tooltipActive = activate;
    setToolTip(m_tooltipActive ? m_tooltipText : QString());
}

// An empty range or a track no longer than the thumb puts every position at the start.
int CSkinSlider::Pos2Pixel(int pos) const {
    const double range = double(m_max) - double(m_min);
    const double fraction = range == 0 ? 0.0 : (double(pos) - double(m_min)) / range;
    return ThumbLength() / 2 + TruncateToInt((Length() - ThumbLength()) * fraction);
}

int CSkinSlider::Pixel2Pos(int pixel) const {
    const double range = double(m_max) - double(m_min);
    const int track = Length() - ThumbLength();
    if (track == 0 || range == 0) {
        return m_min;
    }
    return TruncateToInt(m_min + double(pixel - ThumbLength() / 2) / track * range);
}

void CSkinSlider::paintEvent(QPaintEvent*) {
    QPainter target(this);
    CMemoryDC memory(target, QRect(0, 0, m_width, m_height), true);
    QPainter& painter = memory.Painter();
    const int centre = Pos2Pixel(m_pos);
    if (m_channelLoaded) {
        if (m_backgroundNeeded) {
            m_background = CSkinHost::BackdropUnder(this);
            m_backgroundNeeded = false;
        }
        painter.drawImage(0, 0, m_background);
        DrawChannel(painter, centre);
    }
    if (m_thumbLoaded && m_enabled) {
        DrawThumb(painter, centre);
    }
    if (m_drawFocusRect && m_focused && m_enabled) {
        DrawFocus(painter);
    }
}

void CSkinSlider::DrawChannel(QPainter& painter, int centre) const {
    if (m_vertical) {
        const int x = m_thumbWidth == 0 ? 0 : std::abs(m_thumbWidth - m_channelWidth) / 2;
        const int rows = m_channelHeight - centre;
        if (rows > 0) {
            m_channel.Draw(painter, QPoint(x, centre), QRect(0, centre, m_channelWidth, rows));
        }
        return;
    }
    const int y = m_thumbHeight == 0 ? 0 : std::abs(m_thumbHeight - m_channelHeight) / 2;
    if (centre > 0) {
        m_channel.Draw(painter, QPoint(0, y), QRect(0, 0, centre, m_channelHeight));
    }
}

void CSkinSlider::DrawThumb(QPainter& painter, int centre) const {
    const CSkinImage& image = m_draggedThumbLoaded && m_dragging ? m_draggedThumb : m_thumb;
    const QPoint at =
        m_vertical ? QPoint(0, centre - m_thumbHeight / 2) : QPoint(centre - m_thumbWidth / 2, 0);
    if (m_transparentThumb) {
        image.DrawKeyed(painter, at);
    } else {
        image.Draw(painter, at);
    }
}

void CSkinSlider::DrawFocus(QPainter& painter) const {
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(0, 0, m_width - 1, m_height - 1);
}

int CSkinSlider::ClampThumbCentre(const QPoint& point) const {
    int v = 0;
    if (m_vertical) {
        v = point.y();
        if (v > m_height - m_thumbHeight / 2) {
            v = m_height - m_thumbHeight / 2;
        }
        if (v < m_thumbHeight / 2) {
            v = m_thumbHeight / 2;
        }
        return v;
    }
    v = point.x();
    if (v < m_thumbWidth / 2) {
        v = m_thumbWidth / 2;
    }
    if (v > m_width - m_thumbWidth / 2) {
        v = m_width - m_thumbWidth / 2;
    }
    return v;
}

// Reported on every move of a drag, also when the position stays the same.
void CSkinSlider::DragTo(const QPoint& point) {
    if (!m_dragging || !m_enabled) {
        return;
    }
    SetPos(Pixel2Pos(ClampThumbCentre(point)));
    if (CSkinHost* host = CSkinHost::Of(this)) {
        host->OnSliderMoved(index, GetPos());
    }
}

void CSkinSlider::mousePressEvent(QMouseEvent* event) {
    if (!m_enabled || event->button() != Qt::LeftButton) {
        return;
    }
    setFocus(Qt::MouseFocusReason);
    m_dragging = true;
    const QPointer<CSkinSlider> alive(this);
    DragTo(event->position().toPoint());
    if (alive) {
        update();
    }
}

void CSkinSlider::mouseMoveEvent(QMouseEvent* event) {
    DragTo(event->position().toPoint());
}

// The parent takes the focus back once the drag is over.
void CSkinSlider::mouseReleaseEvent(QMouseEvent* event) {
    if (!m_enabled || event->button() != Qt::LeftButton) {
        return;
    }
    m_dragging = false;
    update();
    if (QWidget* parent = parentWidget()) {
        QMetaObject::invokeMethod(parent, "setFocus", Qt::QueuedConnection);
    }
}

void CSkinSlider::keyPressEvent(QKeyEvent* event) {
    if (!m_enabled) {
        return;
    }
    switch (event->key()) {
    case Qt::Key_PageUp:
        MoveBy(-qint64(m_page));
        break;
    case Qt::Key_PageDown:
        MoveBy(m_page);
        break;
    case Qt::Key_End:
        SetPos(m_max);
        break;
    case Qt::Key_Home:
        SetPos(m_min);
        break;
    case Qt::Key_Left:
    case Qt::Key_Up:
        MoveBy(-1);
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        MoveBy(1);
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void CSkinSlider::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    m_focused = true;
    update();
}

void CSkinSlider::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    m_focused = false;
    update();
}

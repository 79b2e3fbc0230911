#include "controls/SkinScrollBar.h"

#include "controls/MemoryDC.h"
#include "platform/QtConvert.h"

#include <QAbstractScrollArea>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimerEvent>
#include <algorithm>
#include <cmath>

namespace {

bool LeftButtonHeld() {
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

// Loads `first` and then `second`; the second only when the first loaded. The size is that
// of the first when both loaded.
void LoadPair(CSkinImage& first, CSkinImage& second, QSize& size, const std::string& firstPath,
              const std::string& secondPath) {
    first = CSkinImage::FromFile(firstPath);
    second = first.IsNull() ? CSkinImage() : CSkinImage::FromFile(secondPath);
    if (!first.IsNull() && !second.IsNull()) {
        size = first.Size();
    }
}

} // namespace

CSkinScrollBar::CSkinScrollBar(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void CSkinScrollBar::LoadImages(const std::string& track, const std::string& up,
                                const std::string& activeUp, const std::string& down,
                                const std::string& activeDown, const std::string& thumb,
                                const std::string& activeThumb) {
    LoadPair(m_up, m_activeUp, m_upSize, up, activeUp);
    LoadPair(m_down, m_activeDown, m_downSize, down, activeDown);
    LoadPair(m_thumb, m_activeThumb, m_thumbSize, thumb, activeThumb);
    m_track = CSkinImage::FromFile(track);
    m_thumbTop = m_upSize.height();
    m_barWidth = m_upSize.width();
}

void CSkinScrollBar::SetList(QAbstractScrollArea* list) {
    if (m_list) {
        disconnect(m_list->verticalScrollBar(), nullptr, this, nullptr);
    }
    m_list = list;
    if (m_list) {
        QScrollBar* bar = m_list->verticalScrollBar();
        connect(bar, &QScrollBar::valueChanged, this, &CSkinScrollBar::Sync);
        connect(bar, &QScrollBar::rangeChanged, this, &CSkinScrollBar::Sync);
    }
}

int CSkinScrollBar::ScrollPos() const {
    return m_list ? m_list->verticalScrollBar()->value() : 0;
}

int CSkinScrollBar::ScrollLimit() const {
    return m_list ? m_list->verticalScrollBar()->maximum() : 0;
}

// Without a limit there is nothing to scroll: the bar shows only its background then.
double CSkinScrollBar::PixelsPerStep() const {
    const int limit = ScrollLimit();
    if (limit == 0) {
        return 0.0;
    }
    const int track = height() - m_upSize.height() - m_downSize.height() - m_thumbSize.height();
    return double(track) / limit;
}

void CSkinScrollBar::Sync() {
    m_thumbTop = m_upSize.height() + int(std::trunc(ScrollPos() * PixelsPerStep()));
    ClampThumb();
    update();
}

void CSkinScrollBar::ClampThumb() {
    const int bottom = height() - m_downSize.height();
    if (bottom < m_thumbTop + m_thumbSize.height()) {
        m_thumbTop = bottom - m_thumbSize.height();
    }
    if (m_thumbTop < m_upSize.height()) {
        m_thumbTop = m_upSize.height();
    }
}

QRect CSkinScrollBar::UpRect() const {
    return QRect(QPoint(0, 0), m_upSize);
}

QRect CSkinScrollBar::DownRect() const {
    return QRect(QPoint(0, height() - m_downSize.height()), m_downSize);
}

QRect CSkinScrollBar::ThumbRect() const {
    return QRect(QPoint(0, m_thumbTop), m_thumbSize);
}

void CSkinScrollBar::paintEvent(QPaintEvent*) {
    QPainter target(this);
    CMemoryDC memory(target, rect(), false, ToQColor(m_bkColour));
    if (ScrollLimit() == 0) {
        return;
    }
    QPainter& painter = memory.Painter();
    m_track.DrawStretched(painter, QRect(0, 0, m_upSize.width(), height()));
    (m_upActive ? m_activeUp : m_up).Draw(painter, UpRect().topLeft());
    (m_downActive ? m_activeDown : m_down).Draw(painter, DownRect().topLeft());
    (m_thumbActive ? m_activeThumb : m_thumb).Draw(painter, ThumbRect().topLeft());
}

void CSkinScrollBar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    if (ThumbRect().contains(point)) {
        m_thumbActive = true;
    }
    if (DownRect().contains(point)) {
        m_downActive = true;
        m_repeatDelay.start(kRepeatDelayMs, this);
    }
    if (UpRect().contains(point)) {
        m_upActive = true;
        m_repeatDelay.start(kRepeatDelayMs, this);
    }
    update();
}

void CSkinScrollBar::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_thumbActive && event->buttons().testFlag(Qt::LeftButton)) {
        DragThumb(point.y());
    } else {
        LightPartsUnder(point);
    }
    update();
}

// The list scrolls to the row the thumb stands for; while dragged, the thumb stays under the
// pointer instead of snapping to that row.
void CSkinScrollBar::DragThumb(int y) {
    const int pointerTop = y - m_thumbSize.height() / 2;
    const double pixelsPerStep = PixelsPerStep();
    if (m_list && pixelsPerStep > 0) {
        const double row = std::trunc((pointerTop - m_upSize.height()) / pixelsPerStep);
        m_list->verticalScrollBar()->setValue(int(std::clamp(row, -1.0, double(ScrollLimit()))));
    }
    m_thumbTop = pointerTop;
    ClampThumb();
}

void CSkinScrollBar::LightPartsUnder(const QPoint& point) {
    m_thumbActive = ThumbRect().contains(point);
    m_downActive = DownRect().contains(point);
    m_upActive = UpRect().contains(point);
}

void CSkinScrollBar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    const QPoint point = event->position().toPoint();
    Sync();
    StopRepeat();
    if (UpRect().contains(point) && m_upActive) {
        ScrollList(Scroll::kLineUp);
    }
    if (DownRect().contains(point) && m_downActive) {
        ScrollList(Scroll::kLineDown);
    }
    const bool onAPart =
        UpRect().contains(point) || DownRect().contains(point) || ThumbRect().contains(point);
    if (!onAPart && !m_thumbActive) {
        ScrollList(m_thumbTop < point.y() ? Scroll::kPageDown : Scroll::kPageUp);
    }
    m_upActive = m_downActive = m_thumbActive = false;
    update();
}

// Leaving the bar with the button up lights no part any more.
void CSkinScrollBar::leaveEvent(QEvent*) {
    if (!LeftButtonHeld()) {
        LightPartsUnder(QPoint(-1, -1));
        update();
    }
}

void CSkinScrollBar::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_repeatDelay.timerId()) {
        if (m_downActive || m_upActive) {
            m_repeatDelay.stop();
            m_repeat.start(kRepeatIntervalMs, this);
        }
        return;
    }
    if (event->timerId() != m_repeat.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    if (m_downActive && LeftButtonHeld()) {
        ScrollList(Scroll::kLineDown);
    }
    if (m_upActive && LeftButtonHeld()) {
        ScrollList(Scroll::kLineUp);
    }
}

void CSkinScrollBar::StopRepeat() {
    m_repeat.stop();
    m_repeatDelay.stop();
}

void CSkinScrollBar::ScrollList(Scroll scroll) {
    if (!m_list) {
        return;
    }
    QScrollBar* bar = m_list->verticalScrollBar();
    switch (scroll) {
    case Scroll::kLineUp:
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
        break;
    case Scroll::kLineDown:
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        break;
    case Scroll::kPageUp:
        bar->triggerAction(QAbstractSlider::SliderPageStepSub);
        break;
    case Scroll::kPageDown:
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        break;
    }
    Sync();
}

void CSkinScrollBar::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    Sync();
}

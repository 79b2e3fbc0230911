#include "controls/SkinButton.h"

#include "controls/ExitRequestHost.h"
#include "controls/SkinHost.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>

namespace {

const QString kExitButtonName = QStringLiteral("TASKBUTTON_EXIT");

bool LeftButtonHeld() {
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

} // namespace

CSkinButton::CSkinButton(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
}

void CSkinButton::SetTransparentColour(COLORREF colour) {
    m_transparentColour = colour;
    for (CSkinImage& frame : m_frames) {
        frame.SetColourKey(colour);
    }
}

bool CSkinButton::LoadSkinBitmap(const std::string& path, int left, int top, int right,
                                 int bottom) {
    const CSkinImage strip = CSkinImage::FromFile(path);
    if (strip.IsNull()) {
        return false;
    }
    const QSize size(right - left, bottom - top);
    for (int k = 0; k < kFrameCount; ++k) {
        m_frames[k] = strip.Frame(k, kFrameCount, size);
        m_frames[k].SetColourKey(m_transparentColour);
    }
    return true;
}

void CSkinButton::SetTooltipText(const std::optional<QString>& text, bool activate) {
    if (!text) {
        return;
    }
    m_tooltipText = text;
    m_tooltipActive = activate;
    ApplyTooltip();
}

void CSkinButton::ActivateTooltip(bool activate) {
    if (!m_tooltipText) {
        return;
    }
    m_tooltipActive = activate;
    ApplyTooltip();
}

void CSkinButton::ApplyTooltip() {
    setToolTip(m_tooltipActive ? *m_tooltipText : QString());
}

void CSkinButton::SetLatched(int state) {
    if (state == m_latched) {
        return;
    }
    SetLatchedState(state);
    update();
}

CSkinButton::Frame CSkinButton::CurrentFrame() const {
    if (latchOnly) {
        return m_latched ? kPressed : kNormal;
    }
    if (m_latched && !m_hover) {
        return kPressed;
    }
    if (m_selected) {
        return kPressed;
    }
    if (m_hover) {
        return kHover;
    }
    return isEnabled() ? kNormal : kDisabled;
}

void CSkinButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    m_frames[CurrentFrame()].DrawKeyed(painter, QPoint(0, 0));
}

// Hover starts only in an active window with the left button up, or keeps going while it is
// held.
void CSkinButton::TrackHover(bool leftButtonDown) {
    if (!TracksHover() || !WindowActive() || (leftButtonDown && !m_hover)) {
        return;
    }
    SetHover(1);
}

// A popup is never activated itself: its buttons go with the window that owns it.
bool CSkinButton::WindowActive() const {
    const QWidget* top = window();
    return top->isActiveWindow() ||
           (top->parentWidget() != nullptr && top->parentWidget()->isActiveWindow());
}

void CSkinButton::SetHover(int hover) {
    if (hover == m_hover) {
        return;
    }
    m_hover = hover;
    update();
}

// While pressed, the button shows itself pushed only with the pointer over it; leaving
// ends the hover (dragged out) and coming back does not start it again.
void CSkinButton::TrackPress(const QPoint& point) {
    const bool inside = rect().contains(point);
    if (!inside && TracksHover()) {
        SetHover(0);
    }
    if (inside != m_selected) {
        m_selected = inside;
        update();
    }
}

void CSkinButton::enterEvent(QEnterEvent*) {
    if (!m_pressed) {
        TrackHover(LeftButtonHeld());
    }
}

void CSkinButton::leaveEvent(QEvent*) {
    if (!m_pressed) {
        SetHover(0);
    }
}

void CSkinButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    m_pressed = true;
    TrackPress(event->position().toPoint());
}

void CSkinButton::mouseMoveEvent(QMouseEvent* event) {
    const QPoint point = event->position().toPoint();
    if (m_pressed) {
        TrackPress(point);
    } else if (rect().contains(point)) {
        TrackHover(event->buttons().testFlag(Qt::LeftButton));
    } else {
        SetHover(0);
    }
}

void CSkinButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_pressed) {
        return;
    }
    m_pressed = false;
    m_selected = false;
    update();
    if (!rect().contains(event->position().toPoint())) {
        return;
    }
    m_hover = 0;
    // The report may end this control's life (a skin change destroys every control).
    const QPointer<CSkinButton> alive(this);
    Clicked();
    if (alive) {
        update();
    }
}

// The window losing the activation ends the hover.
bool CSkinButton::event(QEvent* event) {
    if (event->type() == QEvent::WindowDeactivate) {
        SetHover(0);
    }
    return QWidget::event(event);
}

void CSkinButton::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange && !isEnabled()) {
        m_hover = 0;
        m_pressed = false;
        m_selected = false;
    }
    QWidget::changeEvent(event);
}

CSkinHost* CSkinButton::Host() const {
    return CSkinHost::Of(this);
}

void CSkinButton::Clicked() {
    if (name == kExitButtonName) {
        if (auto* popup = dynamic_cast<CExitRequestHost*>(parentWidget())) {
            popup->ExitRequest(name);
        }
        return;
    }
    if (CSkinHost* host = Host()) {
        host->OnButtonClicked(index);
    }
}

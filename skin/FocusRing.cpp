#include "skin/FocusRing.h"

#include "controls/SkinHost.h"
#include "skin/RingColour.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

CFocusRing::CFocusRing(QWidget* window) : QFocusFrame(window) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* focused) { Follow(focused); });
}

// Only the window's own controls get the ring; focus elsewhere hides it.
void CFocusRing::Follow(QWidget* focused) {
    const bool ours = focused != nullptr && focused != this && !focused->isWindow() &&
                      focused->parentWidget() == parentWidget();
    Track(ours ? focused : nullptr);
}

void CFocusRing::Track(QWidget* target) {
    if (m_target) {
        m_target->removeEventFilter(this);
    }
    m_target = target;
    if (m_target) {
        m_target->installEventFilter(this);
    }
    Surround();
}

bool CFocusRing::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_target) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            Surround();
            break;
        default:
            break;
        }
    }
    return QFocusFrame::eventFilter(watched, event);
}

void CFocusRing::Surround() {
    if (!m_target || m_target->isHidden()) {
        hide();
        return;
    }
    const int reach = kGap + kWidth;
    const QRect outer = m_target->geometry().adjusted(-reach, -reach, reach, reach);
    const QRect local(QPoint(0, 0), outer.size());
    const QRegion ring = QRegion(local) - QRegion(local.adjusted(kWidth, kWidth, -kWidth, -kWidth));
    setGeometry(outer);
    setMask(ring);
    const CSkinHost* host = dynamic_cast<const CSkinHost*>(parentWidget());
    const QImage background = host ? host->BackgroundDC() : QImage();
    m_picture = CRingColour::Paint(background, outer, ring.translated(outer.topLeft()));
    lower();
    show();
    update();
}

void CFocusRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, m_picture);
}

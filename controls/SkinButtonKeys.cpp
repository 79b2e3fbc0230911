// The skin button's keyboard and checked-state reports: Space goes through the same press and
// release handlers as the left mouse button, at the button's centre.
#include "controls/AccessibleSkinButton.h"
#include "controls/SkinButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

namespace {

bool IsPlainSpace(const QKeyEvent* event) {
    return event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier;
}

} // namespace

void CSkinButton::SetLatchedState(int state) {
    const bool changed = state != m_latched;
    m_latched = state;
    if (changed) {
        CAccessibleSkinButton::LatchChanged(this);
    }
}

void CSkinButton::SendLeftButton(QEvent::Type type, const QPoint& point) {
    QMouseEvent event(type, point, mapToGlobal(point), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    if (type == QEvent::MouseButtonPress) {
        mousePressEvent(&event);
    } else {
        mouseReleaseEvent(&event);
    }
}

void CSkinButton::Click() {
    const QPointer<CSkinButton> alive(this);
    SendLeftButton(QEvent::MouseButtonPress, rect().center());
    if (alive) {
        SendLeftButton(QEvent::MouseButtonRelease, rect().center());
    }
}

void CSkinButton::keyPressEvent(QKeyEvent* event) {
    if (!IsPlainSpace(event)) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (!event->isAutoRepeat() && !m_spaceDown) {
        m_spaceDown = true;
        SendLeftButton(QEvent::MouseButtonPress, rect().center());
    }
    event->accept();
}

void CSkinButton::keyReleaseEvent(QKeyEvent* event) {
    if (!IsPlainSpace(event) || event->isAutoRepeat() || !m_spaceDown) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    m_spaceDown = false;
    SendLeftButton(QEvent::MouseButtonRelease, rect().center());
}

// Losing the focus with Space held is a release away from the button: nothing is reported.
void CSkinButton::focusOutEvent(QFocusEvent* event) {
    if (m_spaceDown) {
        m_spaceDown = false;
        SendLeftButton(QEvent::MouseButtonRelease, QPoint(-1, -1));
    }
    QWidget::focusOutEvent(event);
}

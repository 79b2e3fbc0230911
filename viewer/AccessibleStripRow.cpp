#include "viewer/AccessibleStripRow.h"

#include "viewer/PageStrip.h"

#include <QWidget>
#include <QWindow>

CAccessibleStripRow::CAccessibleStripRow(PageStrip* strip, int page)
    : m_strip(strip), m_page(page) {}

bool CAccessibleStripRow::isValid() const {
    return m_strip != nullptr && m_page >= 1 && m_page <= m_strip->Count();
}

QWindow* CAccessibleStripRow::window() const {
    return m_strip == nullptr ? nullptr : m_strip->window()->windowHandle();
}

QAccessibleInterface* CAccessibleStripRow::parent() const {
    return QAccessible::queryAccessibleInterface(m_strip.data());
}

QString CAccessibleStripRow::text(QAccessible::Text t) const {
    return t == QAccessible::Name ? PageStrip::tr("Page %1").arg(m_page) : QString();
}

QRect CAccessibleStripRow::rect() const {
    if (!isValid()) {
        return {};
    }
    const QRect cell = m_strip->CellRect(m_page);
    return {m_strip->mapToGlobal(cell.topLeft()), cell.size()};
}

QAccessible::State CAccessibleStripRow::state() const {
    QAccessible::State state;
    if (!isValid()) {
        state.invalid = true;
        return state;
    }
    state.selectable = true;
    state.multiSelectable = true;
    state.focusable = true;
    state.selected = m_strip->Selection().IsSelected(m_page);
    state.focused = m_strip->hasFocus() && m_strip->Selection().Current() == m_page;
    const QRect cell = m_strip->CellRect(m_page);
    state.invisible = !m_strip->isVisible();
    state.offscreen = !m_strip->rect().intersects(cell);
    return state;
}

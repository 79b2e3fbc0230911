#include "viewer/AccessiblePageStrip.h"

#include "viewer/AccessibleStripRow.h"
#include "viewer/PageStrip.h"

CAccessiblePageStrip::CAccessiblePageStrip(PageStrip* strip)
    : QAccessibleWidget(strip, QAccessible::List) {}

CAccessiblePageStrip::~CAccessiblePageStrip() {
    for (const auto& [page, id] : m_rows) {
        QAccessible::deleteAccessibleInterface(id);
    }
}

const PageStrip* CAccessiblePageStrip::Strip() const {
    return static_cast<const PageStrip*>(widget());
}

int CAccessiblePageStrip::childCount() const {
    return Strip()->Count();
}

QAccessibleInterface* CAccessiblePageStrip::child(int index) const {
    if (index < 0 || index >= childCount()) {
        return nullptr;
    }
    const int page = index + 1;
    if (const auto found = m_rows.find(page); found != m_rows.end()) {
        return QAccessible::accessibleInterface(found->second);
    }
    auto* row = new CAccessibleStripRow(static_cast<PageStrip*>(widget()), page);
    m_rows.emplace(page, QAccessible::registerAccessibleInterface(row));
    return row;
}

int CAccessiblePageStrip::indexOfChild(const QAccessibleInterface* child) const {
    const auto* row = dynamic_cast<const CAccessibleStripRow*>(child);
    return row != nullptr && row->isValid() ? row->Page() - 1 : -1;
}

QAccessibleInterface* CAccessiblePageStrip::childAt(int x, int y) const {
    const int page = Strip()->PageAt(Strip()->mapFromGlobal(QPoint(x, y)));
    return page == 0 ? nullptr : child(page - 1);
}

QString CAccessiblePageStrip::text(QAccessible::Text t) const {
    if (t == QAccessible::Name) {
        return PageStrip::tr("Pages");
    }
    return QAccessibleWidget::text(t);
}

void CAccessiblePageStrip::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(&CAccessiblePageStrip::Make);
        return true;
    }();
    (void)installed;
}

QAccessibleInterface* CAccessiblePageStrip::Make(const QString& className, QObject* object) {
    if (className == QLatin1String("PageStrip")) {
        return new CAccessiblePageStrip(static_cast<PageStrip*>(object));
    }
    return nullptr;
}

void CAccessiblePageStrip::Announce(PageStrip* strip, const QString& line) {
    strip->setAccessibleDescription(line);
}

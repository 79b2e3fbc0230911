#pragma once

#include <QAccessibleWidget>
#include <map>

class PageStrip;

// The strip on the accessibility bus: a list whose rows are its pages, "Page 1" to "Page N",
// each with its selected state; what the last change did is its description.
class CAccessiblePageStrip : public QAccessibleWidget {
public:
    explicit CAccessiblePageStrip(PageStrip* strip);
    ~CAccessiblePageStrip() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text t) const override;

    const PageStrip* Strip() const;

    static void Install();
    // Says `line` to screen readers, e.g. "2 pages deleted; 10 pages".
    static void Announce(PageStrip* strip, const QString& line);

private:
    static QAccessibleInterface* Make(const QString& className, QObject* object);

    // Rows are made when first asked for and live as long as the list.
    mutable std::map<int, QAccessible::Id> m_rows;
};

#pragma once

#include <QAccessibleInterface>
#include <QPointer>

class PageStrip;

// One page of the strip on the accessibility bus: a list item named "Page N".
class CAccessibleStripRow : public QAccessibleInterface {
public:
    CAccessibleStripRow(PageStrip* strip, int page);

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QWindow* window() const override;
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* focusChild() const override { return nullptr; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override;

    int Page() const { return m_page; }

private:
    QPointer<PageStrip> m_strip;
    int m_page;
};

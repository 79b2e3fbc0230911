#pragma once

#include <QAccessibleWidget>

class CNotifierDialog;

// The sliding popup on the accessibility bus: a notification named by the title of the page
// it shows.
class CAccessibleNotifier : public QAccessibleWidget {
public:
    explicit CAccessibleNotifier(CNotifierDialog* popup);

    QString text(QAccessible::Text t) const override;

    // Registers the interface with Qt's accessibility factory, once per process.
    static void Install();

private:
    static QAccessibleInterface* Make(const QString& className, QObject* object);
};

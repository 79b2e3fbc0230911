#pragma once

#include <QAccessibleWidget>

class TiffViewerWidget;

// The page view on the accessibility bus: a picture named by the page it shows ("Page 3 of
// 12"), or by the line it shows instead, with the file's name as its description.
class CAccessiblePageView : public QAccessibleWidget {
public:
    explicit CAccessiblePageView(TiffViewerWidget* view);

    QString text(QAccessible::Text t) const override;

    // Registers the interface with Qt's accessibility factory, once per process.
    static void Install();
    // Tells the bus that the page or the file of `view` changed.
    static void PageChanged(TiffViewerWidget* view);

private:
    static QAccessibleInterface* Make(const QString& className, QObject* object);
    const TiffViewerWidget* View() const;
};

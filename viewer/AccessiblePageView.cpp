#include "viewer/AccessiblePageView.h"

#include "viewer/TiffViewerWidget.h"

#include <QFileInfo>

CAccessiblePageView::CAccessiblePageView(TiffViewerWidget* view)
    : QAccessibleWidget(view, QAccessible::Graphic) {}

const TiffViewerWidget* CAccessiblePageView::View() const {
    return static_cast<const TiffViewerWidget*>(widget());
}

QString CAccessiblePageView::text(QAccessible::Text t) const {
    const TiffViewerWidget* view = View();
    if (t == QAccessible::Name) {
        if (!view->PageImage().isNull() && view->PageCount() > 0) {
            return TiffViewerWidget::tr("Page %1 of %2")
                .arg(view->CurrentPage())
                .arg(view->PageCount());
        }
        const QString line = view->StatusLine();
        return line.isEmpty() ? TiffViewerWidget::tr("No page shown") : line;
    }
    if (t == QAccessible::Description) {
        return QFileInfo(view->FileNameProperty()).fileName();
    }
    return QAccessibleWidget::text(t);
}

void CAccessiblePageView::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(&CAccessiblePageView::Make);
        return true;
    }();
    (void)installed;
}

QAccessibleInterface* CAccessiblePageView::Make(const QString& className, QObject* object) {
    if (className == QLatin1String("TiffViewerWidget")) {
        return new CAccessiblePageView(static_cast<TiffViewerWidget*>(object));
    }
    return nullptr;
}

void CAccessiblePageView::PageChanged(TiffViewerWidget* view) {
    QAccessibleEvent name(view, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&name);
    QAccessibleEvent description(view, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&description);
}

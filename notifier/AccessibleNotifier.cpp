#include "notifier/AccessibleNotifier.h"

#include "notifier/HtmlCtrl.h"
#include "notifier/NotifierDialog.h"

#include <QApplication>

CAccessibleNotifier::CAccessibleNotifier(CNotifierDialog* popup)
    : QAccessibleWidget(popup, QAccessible::Notification) {}

QString CAccessibleNotifier::text(QAccessible::Text t) const {
    if (t != QAccessible::Name || !widget()->accessibleName().isEmpty()) {
        return QAccessibleWidget::text(t);
    }
    const CHtmlCtrl* page = static_cast<CNotifierDialog*>(widget())->WebView();
    if (page != nullptr && !page->documentTitle().isEmpty()) {
        return page->documentTitle();
    }
    return widget()->windowTitle().isEmpty() ? QApplication::applicationName()
                                             : widget()->windowTitle();
}

void CAccessibleNotifier::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(&CAccessibleNotifier::Make);
        return true;
    }();
    (void)installed;
}

QAccessibleInterface* CAccessibleNotifier::Make(const QString& className, QObject* object) {
    if (className == QLatin1String("CNotifierDialog")) {
        return new CAccessibleNotifier(static_cast<CNotifierDialog*>(object));
    }
    return nullptr;
}

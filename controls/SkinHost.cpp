#include "controls/SkinHost.h"

#include <QWidget>

CSkinHost* CSkinHost::Of(const QWidget* control) {
    return dynamic_cast<CSkinHost*>(control->parentWidget());
}

QImage CSkinHost::BackdropUnder(const QWidget* control) {
    const CSkinHost* host = Of(control);
    if (host == nullptr || host->BackgroundDC().isNull()) {
        return {};
    }
    return host->BackgroundDC().copy(control->geometry());
}

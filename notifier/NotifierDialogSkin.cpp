#include "notifier/BitmapOutline.h"
#include "notifier/HtmlCtrl.h"
#include "notifier/NotifierDialog.h"

#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr unsigned kWsChild = 0x40000000;
constexpr unsigned kWsVisible = 0x10000000;

// Text that reads on the bitmap under the page: dark on light skins, light on dark ones.
QColor InkOver(const QImage& bitmap, const QRect& page) {
    const QRect area = page & bitmap.rect();
    qint64 sum = 0;
    qint64 count = 0;
    for (int y = area.top(); y <= area.bottom(); y += 2) {
        const auto* line = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
        for (int x = area.left(); x <= area.right(); x += 2) {
            sum += qGray(line[x]);
            ++count;
        }
    }
    const bool dark = count > 0 && sum / count < 128;
    return dark ? QColor(0xf4, 0xf4, 0xf6) : QColor(0x1e, 0x1e, 0x24);
}

} // namespace

QUrl CNotifierDialog::PageAddress() {
    return QUrl(QStringLiteral("qrc:/notifier/page.html"));
}

QRect CNotifierDialog::PageRect(QSize size) {
    const QRect panel(12, 48, size.width() - 24, size.height() - 60);
    if (panel.width() < 120 || panel.height() < 60) {
        return QRect(QPoint(0, 0), size);
    }
    return panel;
}

void CNotifierDialog::OnInitDialog() {
    m_webView = new CHtmlCtrl();
    m_webView->Create(PageRect(QSize(m_width, m_height)), this, kWebViewId, kWsChild | kWsVisible);
    m_webView->Navigate(PageAddress());
}

CHtmlCtrl* CNotifierDialog::WebView() {
    if (m_webView == nullptr) {
        OnInitDialog();
        LayOutPage();
    }
    return m_webView;
}

bool CNotifierDialog::SetSkin(const QString& bitmapPath, int red, int green, int blue) {
    CSkinImage bitmap = CSkinImage::FromFile(bitmapPath.toStdString());
    if (bitmap.IsNull()) {
        return false;
    }
    m_skinBitmap = std::move(bitmap);
    m_width = m_skinBitmap.Width();
    m_height = m_skinBitmap.Height();
    LayOutPage();
    if ((red & 0xFFFF) == 0xFFFF || (green & 0xFFFF) == 0xFFFF || (blue & 0xFFFF) == 0xFFFF) {
        update();
        return true;
    }
    m_outline = CBitmapOutline::Of(m_skinBitmap.Image(), red, green, blue);
    ApplyOutline();
    update();
    return true;
}

void CNotifierDialog::ApplyOutline() {
    if (!m_outline) {
        clearMask();
    } else if (m_outline->isEmpty()) {
        // An empty region hides the whole window; Qt reads an empty mask as "no mask", so
        // the mask is a pixel that lies outside the window.
        setMask(QRegion(-1, -1, 1, 1));
    } else {
        setMask(*m_outline);
    }
}

void CNotifierDialog::LayOutPage() {
    if (m_webView == nullptr) {
        return;
    }
    const QRect page = PageRect(QSize(m_width, m_height));
    m_webView->setGeometry(page);
    QPalette ink = m_webView->palette();
    const QColor text = InkOver(m_skinBitmap.Image(), page);
    ink.setColor(QPalette::Text, text);
    ink.setColor(QPalette::WindowText, text);
    ink.setColor(QPalette::Link, text);
    m_webView->setPalette(ink);
}

void CNotifierDialog::paintEvent(QPaintEvent*) {
    ++m_paintCount;
    if (m_skinBitmap.IsNull()) {
        return;
    }
    QPainter painter(this);
    m_skinBitmap.Draw(painter, QPoint(0, 0));
}

void CNotifierDialog::mouseMoveEvent(QMouseEvent* event) {
    if (m_mouseOver == 0) {
        m_mouseOver = 1;
        Redraw();
    }
    QWidget::mouseMoveEvent(event);
}

void CNotifierDialog::leaveEvent(QEvent* event) {
    if (m_mouseOver == 1) {
        m_mouseOver = 0;
        Redraw();
    }
    QWidget::leaveEvent(event);
}

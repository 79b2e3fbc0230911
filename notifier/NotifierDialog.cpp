#include "notifier/NotifierDialog.h"

#include "notifier/BitmapOutline.h"
#include "notifier/HtmlCtrl.h"
#include "platform/QtScreen.h"

#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

// The page lives in this static library's resources, which nothing else references: the
// initialiser must be called by name, at global scope.
static void InitNotifierResources() {
    static const bool done = [] {
        Q_INIT_RESOURCE(notifier);
        return true;
    }();
    (void)done;
}

namespace {

const QString kExitButtonName = QStringLiteral("TASKBUTTON_EXIT");

constexpr unsigned kWsChild = 0x40000000;
constexpr unsigned kWsVisible = 0x10000000;

// A frameless tool window above the others that is never activated and, on X11, placed
// exactly where it is told, half behind the screen edge included (no window manager moves
// it, gives it a frame or a task-bar entry).
constexpr Qt::WindowFlags kPopupFlags = Qt::Tool | Qt::FramelessWindowHint |
                                        Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus |
                                        Qt::X11BypassWindowManagerHint;

// Where the task bar is, by how the work area differs from the whole screen.
int TaskBarSide(const QRect& screen, const QRect& work) {
    if (work.width() < screen.width()) {
        return work.left() == screen.left() ? CNotifierDialog::kRight : CNotifierDialog::kLeft;
    }
    if (work.height() < screen.height() && work.top() != screen.top()) {
        return CNotifierDialog::kTop;
    }
    return CNotifierDialog::kBottom;
}

// One step every `time / (span / increment)` ms; never 0 ms, never a division by zero.
unsigned StepDelay(unsigned time, int span, int increment) {
    const unsigned steps = increment > 0 ? unsigned(span / increment) : 0U;
    const unsigned delay = steps == 0 ? time : time / steps;
    return delay == 0 ? 1U : delay;
}

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

CNotifierDialog::CNotifierDialog(QWidget* owner, std::shared_ptr<const Screen> screen)
    : QWidget(owner, kPopupFlags),
      m_screen(screen ? std::move(screen) : std::make_shared<QtScreen>(owner)), m_timers(this) {
    InitNotifierResources();
    m_timers.Register(kShowTimer);
    m_timers.Register(kStayTimer);
    m_timers.Register(kHideTimer);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_X11DoNotAcceptFocus);
    setFocusPolicy(Qt::NoFocus);
    // Moves over the popup's own area (not over the page) are the hover.
    setMouseTracking(true);
    OnInitDialog();
}

CNotifierDialog::~CNotifierDialog() = default;

void CNotifierDialog::OnInitDialog() {
    m_webView = new CHtmlCtrl();
    m_webView->Create(PageRect(QSize(m_width, m_height)), this, kWebViewId, kWsChild | kWsVisible);
    m_webView->Navigate(PageAddress());
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
    const QRect page = PageRect(QSize(m_width, m_height));
    m_webView->setGeometry(page);
    QPalette ink = m_webView->palette();
    const QColor text = InkOver(m_skinBitmap.Image(), page);
    ink.setColor(QPalette::Text, text);
    ink.setColor(QPalette::WindowText, text);
    ink.setColor(QPalette::Link, text);
    m_webView->setPalette(ink);
}

void CNotifierDialog::Show(unsigned timeToShow, unsigned timeToStay, unsigned timeToHide,
                           unsigned /*step*/) {
    m_timeToShow = timeToShow;
    m_timeToStay = timeToStay;
    m_timeToHide = timeToHide;
    const QRect work = m_screen->WorkArea();
    const int workLeft = work.left();
    const int workTop = work.top();
    const int workRight = work.left() + work.width();
    const int workBottom = work.top() + work.height();
    const int side = TaskBarSide(m_screen->Geometry(), work);

    switch (m_state) {
    case kIdle: {
        // Mend: without a bitmap there is nothing to show and nothing to divide by.
        if (m_width == 0 || m_height == 0) {
            return;
        }
        const int span = side == kLeft || side == kRight ? m_width : m_height;
        m_showStepDelay = StepDelay(m_timeToShow, span, m_increment);
        m_hideStepDelay = StepDelay(m_timeToHide, span, m_increment);
        switch (side) {
        case kRight:
            m_startX = workRight;
            m_startY = workBottom - m_height;
            break;
        case kLeft:
            m_startX = workLeft - m_width;
            m_startY = workBottom - m_height;
            break;
        case kTop:
            m_startX = workRight - m_width;
            m_startY = workTop - m_height;
            break;
        default:
            m_startX = workRight - m_width;
            m_startY = workBottom;
            break;
        }
        m_placement = side;
        m_currentX = m_startX;
        m_currentY = m_startY;
        // Placed before it is shown, so that it never flashes at the old place.
        PlaceWindow();
        show();
        m_timers.Start(kShowTimer, m_showStepDelay);
        break;
    }
    case kAppearing:
        Redraw();
        break;
    case kWaiting:
        Redraw();
        m_timers.Start(kStayTimer, m_timeToStay);
        break;
    case kDisappearing:
        m_timers.Stop(kHideTimer);
        m_timers.Start(kStayTimer, m_timeToStay);
        switch (side) {
        case kRight:
            m_currentX = workRight - m_width;
            break;
        case kLeft:
            m_currentX = workLeft;
            break;
        case kTop:
            m_currentY = workTop;
            break;
        default:
            m_currentY = workBottom - m_height;
            break;
        }
        PlaceWindow();
        Redraw();
        break;
    default:
        break;
    }
}

void CNotifierDialog::Hide() {
    // Every timer, not only the state's: a slide-out asked for while appearing runs timer 3
    // before the state says so.
    m_timers.Stop(kShowTimer);
    m_timers.Stop(kStayTimer);
    m_timers.Stop(kHideTimer);
    hide();
    setGeometry(0, 0, 0, 0);
    m_state = kIdle;
}

void CNotifierDialog::ExitRequest(const QString& name) {
    if (name == kExitButtonName) {
        StartSlideOut();
    }
}

void CNotifierDialog::OnPageClicked() {
    StartSlideOut();
}

void CNotifierDialog::StartSlideOut() {
    m_timers.Stop(kShowTimer);
    m_timers.Start(kHideTimer, m_hideStepDelay);
}

void CNotifierDialog::PlaceWindow() {
    setGeometry(m_currentX, m_currentY, m_width, m_height);
}

void CNotifierDialog::Redraw() {
    repaint();
}

void CNotifierDialog::DriveTimersByHand() {
    m_timers.DriveByHand();
}

bool CNotifierDialog::FireTimer(int id) {
    if (!m_timers.IsRunning(id)) {
        return false;
    }
    OnTimer(id);
    return true;
}

void CNotifierDialog::timerEvent(QTimerEvent* event) {
    if (const int id = m_timers.IdOf(event)) {
        OnTimer(id);
    }
    QWidget::timerEvent(event);
}

void CNotifierDialog::OnTimer(int id) {
    switch (id) {
    case kShowTimer:
        ShowStep();
        break;
    case kStayTimer:
        m_timers.Stop(kStayTimer);
        m_timers.Start(kHideTimer, m_hideStepDelay);
        break;
    case kHideTimer:
        HideStep();
        break;
    default:
        break;
    }
}

void CNotifierDialog::ShowStep() {
    m_state = kAppearing;
    bool moved = true;
    switch (m_placement) {
    case kBottom:
        moved = m_currentY > m_startY - m_height;
        if (moved) {
            m_currentY -= m_increment;
        }
        break;
    case kTop:
        moved = m_currentY - m_startY < m_height;
        if (moved) {
            m_currentY += m_increment;
        }
        break;
    case kLeft:
        moved = m_currentX - m_startX < m_width;
        if (moved) {
            m_currentX += m_increment;
        }
        break;
    case kRight:
        moved = m_currentX > m_startX - m_width;
        if (moved) {
            m_currentX -= m_increment;
        }
        break;
    default:
        moved = false;
        break;
    }
    if (!moved) {
        // Fully shown: it waits with no timer until something starts the slide-out.
        m_timers.Stop(kShowTimer);
        m_state = kWaiting;
    }
    PlaceWindow();
}

void CNotifierDialog::HideStep() {
    m_state = kDisappearing;
    bool moved = true;
    switch (m_placement) {
    case kBottom:
        moved = m_currentY < m_startY;
        if (moved) {
            m_currentY += m_increment;
        }
        break;
    case kTop:
        moved = m_currentY > m_startY;
        if (moved) {
            m_currentY -= m_increment;
        }
        break;
    case kLeft:
        moved = m_currentX > m_startX;
        if (moved) {
            m_currentX -= m_increment;
        }
        break;
    case kRight:
        moved = m_currentX < m_startX;
        if (moved) {
            m_currentX += m_increment;
        }
        break;
    default:
        moved = false;
        break;
    }
    if (!moved) {
        m_timers.Stop(kHideTimer);
        Hide();
    }
    // After Hide this only gives the hidden window its size back.
    PlaceWindow();
}

bool CNotifierDialog::event(QEvent* event) {
    switch (int(event->type())) {
    case CHtmlCtrl::kPageClickedEvent:
        OnPageClicked();
        return true;
    case CHtmlCtrl::kTitleTimerEvent:
    case CHtmlCtrl::kPageTimerEvent:
        return true; // no action on either
    default:
        return QWidget::event(event);
    }
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

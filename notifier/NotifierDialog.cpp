#include "notifier/NotifierDialog.h"

#include "notifier/HtmlCtrl.h"
#include "platform/QtScreen.h"

#include <QTimer>
#include <QTimerEvent>
#include <QWindow>

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

} // namespace

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
}

CNotifierDialog::~CNotifierDialog() = default;

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
        if (m_width == 0 || m_height == 0 || WaitForOwner()) {
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
        WebView();
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

// A popup made and shown while its owner is being mapped would only hold the owner back:
// the slide-in waits until the owner's window is exposed and has drawn its first frame.
bool CNotifierDialog::WaitForOwner() {
    const QWidget* owner = parentWidget();
    QWindow* window = owner != nullptr ? owner->windowHandle() : nullptr;
    if (window == nullptr || !owner->isVisible() || window->isExposed()) {
        return false;
    }
    if (!m_waitingForOwner) {
        m_waitingForOwner = true;
        window->installEventFilter(this);
    }
    return true;
}

bool CNotifierDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose) {
        if (auto* window = qobject_cast<QWindow*>(watched); window && window->isExposed()) {
            window->removeEventFilter(this);
            // The owner paints while it handles this event; the popup comes after.
            QTimer::singleShot(0, this, &CNotifierDialog::OwnerShown);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CNotifierDialog::OwnerShown() {
    if (m_waitingForOwner) {
        m_waitingForOwner = false;
        Show(m_timeToShow, m_timeToStay, m_timeToHide, 1);
    }
}

void CNotifierDialog::Hide() {
    m_waitingForOwner = false;
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

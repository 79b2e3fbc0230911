#include "notifier/HtmlCtrl.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimerEvent>

namespace {

constexpr unsigned kWsVisible = 0x10000000;
const QString kAppScheme = QStringLiteral("app:");

} // namespace

CHtmlCtrl::CHtmlCtrl() : m_timers(this) {
    m_timers.Register(kTitleTimer);
    m_timers.Register(kPageTimer);

    // Links are handled here, never followed by the browser itself.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, [this](const QUrl& address) {
        if (!OnBeforeNavigate(address)) {
            setSource(address);
        }
    });
    connect(this, &QTextBrowser::sourceChanged, this, &CHtmlCtrl::OnDocumentComplete);

    // A plain child control: no frame, no focus taken, the popup's bitmap shows through.
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    QPalette clear = palette();
    clear.setColor(QPalette::Base, Qt::transparent);
    clear.setColor(QPalette::Window, Qt::transparent);
    setPalette(clear);

    // A press anywhere in the view, its scroll bars included, is the click into the page.
    viewport()->installEventFilter(this);
    verticalScrollBar()->installEventFilter(this);
    horizontalScrollBar()->installEventFilter(this);
}

bool CHtmlCtrl::Create(const QRect& rect, QWidget* parent, int id, unsigned style) {
    m_notifyWindow = parent;
    setParent(parent);
    setGeometry(rect);
    m_id = id;
    setVisible((style & kWsVisible) != 0);
    return true;
}

void CHtmlCtrl::Navigate(const QUrl& address) {
    setSource(address);
}

bool CHtmlCtrl::OnBeforeNavigate(const QUrl& address) {
    const QString text = address.toString();
    if (text.left(kAppScheme.size()).compare(kAppScheme, Qt::CaseInsensitive) == 0) {
        OnAppLink(text.mid(kAppScheme.size()));
    }
    // Nothing leaves the program from a notice.
    return true;
}

void CHtmlCtrl::OnAppLink(const QString&) {}

void CHtmlCtrl::OnDocumentComplete(const QUrl&) {
    if (documentTitle() != kKnownTitle) {
        m_timers.Start(kTitleTimer, kTitleTimerPeriod);
    }
    m_timers.Start(kPageTimer, kPageTimerPeriod);
}

QVariant CHtmlCtrl::loadResource(int type, const QUrl& name) {
    // The program's own resources only; no file and no network address is ever read.
    if (name.scheme() != QLatin1String("qrc")) {
        return {};
    }
    return QTextBrowser::loadResource(type, name);
}

bool CHtmlCtrl::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        Notify(kPageClickedEvent);
    }
    return QTextBrowser::eventFilter(watched, event);
}

void CHtmlCtrl::Notify(int eventType) {
    if (m_notifyWindow) {
        QCoreApplication::postEvent(m_notifyWindow, new QEvent(QEvent::Type(eventType)));
    }
}

bool CHtmlCtrl::FireTimer(int id) {
    if (!m_timers.IsRunning(id)) {
        return false;
    }
    OnTimer(id);
    return true;
}

void CHtmlCtrl::timerEvent(QTimerEvent* event) {
    if (const int id = m_timers.IdOf(event)) {
        OnTimer(id);
        return;
    }
    QTextBrowser::timerEvent(event);
}

// Each timer fires once.
void CHtmlCtrl::OnTimer(int id) {
    m_timers.Stop(id);
    Notify(id == kTitleTimer ? kTitleTimerEvent : kPageTimerEvent);
}

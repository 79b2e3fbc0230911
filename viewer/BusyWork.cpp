#include "viewer/BusyWork.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <thread>

namespace {

constexpr int kPollMs = 20;
int g_showAfterMs = BusyWork::kShowAfterMs;
QPointer<QProgressDialog> g_shown;

bool IsUserInput(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
    case QEvent::Drop:
    case QEvent::DragEnter:
    case QEvent::DragMove:
        return true;
    default:
        return false;
    }
}

} // namespace

BusyWork::BusyWork(QWidget* window, QString what, bool cancellable)
    : m_window(window), m_what(std::move(what)), m_cancellable(cancellable) {}

BusyWork::~BusyWork() {
    delete m_dialog;
}

void BusyWork::SetShowAfter(int milliseconds) {
    g_showAfterMs = milliseconds;
}

QProgressDialog* BusyWork::Shown() {
    return g_shown;
}

void BusyWork::Run(const std::function<void(const TiffProgress& progress)>& work) {
    QApplication::instance()->installEventFilter(this);
    QEventLoop loop;
    std::thread worker([this, &work, &loop] {
        work([this](std::size_t done, std::size_t total) { return Report(done, total); });
        m_finished = true;
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    connect(&poll, &QTimer::timeout, this, [this, &clock] { Poll(clock.elapsed()); });
    poll.start(kPollMs);
    Poll(0);
    loop.exec(QEventLoop::ExcludeSocketNotifiers);
    worker.join();
    QApplication::instance()->removeEventFilter(this);
    delete m_dialog;
}

bool BusyWork::Report(std::size_t done, std::size_t total) {
    m_done = done;
    m_total = total;
    return !m_cancel;
}

void BusyWork::Poll(qint64 elapsed) {
    if (m_dialog == nullptr && !m_finished && elapsed >= g_showAfterMs) {
        ShowDialog();
    }
    if (m_dialog == nullptr) {
        return;
    }
    if (m_dialog->wasCanceled()) {
        m_cancel = true;
    }
    const std::size_t total = m_total;
    if (m_cancel) {
        m_dialog->setLabelText(tr("Cancelling..."));
    } else if (total > 0) {
        m_dialog->setMaximum(int(total));
        m_dialog->setValue(int(m_done));
        m_dialog->setLabelText(tr("%1: %2 of %3 pages").arg(m_what).arg(m_done).arg(total));
    }
}

void BusyWork::ShowDialog() {
    m_dialog = new QProgressDialog(m_what + QStringLiteral("..."), QString(), 0, 0, m_window);
    m_dialog->setWindowTitle(QApplication::applicationName());
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(0);
    m_dialog->setAutoClose(false);
    m_dialog->setAutoReset(false);
    if (m_cancellable) {
        m_dialog->setCancelButtonText(tr("Cancel"));
        connect(m_dialog, &QProgressDialog::canceled, this, [this] { m_cancel = true; });
    }
    g_shown = m_dialog;
    m_dialog->show();
}

// Input for the window is held back while the work runs; the dialog gets its own.
bool BusyWork::eventFilter(QObject* watched, QEvent* event) {
    if (!IsUserInput(event->type())) {
        return false;
    }
    const auto* widget = qobject_cast<QWidget*>(watched);
    const bool forDialog =
        m_dialog != nullptr && (watched == m_dialog->windowHandle() ||
                                (widget != nullptr && widget->window() == m_dialog));
    if (forDialog) {
        return false;
    }
    event->ignore();
    return true;
}

#pragma once

#include "viewer/TiffProgress.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <cstddef>
#include <functional>

class QProgressDialog;
class QWidget;

// Runs long work on a second thread while the window keeps painting; the caller waits, as for
// a plain call. Meanwhile the user's input is held back, so no second command can start, and
// once the work has taken half a second a small dialog says what is being done and how far
// it is, with a Cancel button when the work can stop.
class BusyWork : public QObject {
    Q_OBJECT
public:
    static constexpr int kShowAfterMs = 500;

    // `what` names the work in the dialog, e.g. "Inserting pages".
    BusyWork(QWidget* window, QString what, bool cancellable);
    ~BusyWork() override;

    // Runs `work`, which may report through the progress function it is given; that function
    // returns false once the user has cancelled.
    void Run(const std::function<void(const TiffProgress& progress)>& work);
    bool Cancelled() const { return m_cancel; }

    // How long the work runs before the dialog shows (tests set 0).
    static void SetShowAfter(int milliseconds);
    // The dialog while it shows, else null.
    static QProgressDialog* Shown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Poll(qint64 elapsed);
    void ShowDialog();
    bool Report(std::size_t done, std::size_t total);

    QPointer<QWidget> m_window;
    QString m_what;
    bool m_cancellable;
    QPointer<QProgressDialog> m_dialog;
    std::atomic<std::size_t> m_done{0};
    std::atomic<std::size_t> m_total{0};
    std::atomic<bool> m_cancel{false};
    std::atomic<bool> m_finished{false};
};

#pragma once

#include "notifier/NumberedTimers.h"

#include <QEvent>
#include <QPointer>
#include <QTextBrowser>
#include <QUrl>

// The web view of the popup: a page bundled in the program's resources, shown on a
// transparent background over the popup's bitmap. It tells its notify window (the popup)
// by posted events, as the original posted window messages:
//   kPageClickedEvent (WM_USER + 102)  a mouse press into the view; the press still reaches
//                                      the page
//   kTitleTimerEvent  (WM_USER + 100)  timer 1001 ran out (started when the loaded page's
//                                      title is not "KORVEX")
//   kPageTimerEvent   (WM_USER + 101)  timer 2001 ran out (started for every loaded page)
// Links never leave the view: "app:" addresses go to OnAppLink, everything else is
// refused, and the page loads nothing but the program's own resources.
class CHtmlCtrl : public QTextBrowser {
    Q_OBJECT

public:
    static constexpr int kTitleTimerEvent = QEvent::User + 100;
    static constexpr int kPageTimerEvent = QEvent::User + 101;
    static constexpr int kPageClickedEvent = QEvent::User + 102;

    static constexpr int kTitleTimer = 1001;
    static constexpr int kPageTimer = 2001;
    static constexpr unsigned kTitleTimerPeriod = 1000;
    static constexpr unsigned kPageTimerPeriod = 30000;
    static inline const QString kKnownTitle = QStringLiteral("KORVEX");

    CHtmlCtrl();

    // Remembers `parent` as the notify window, then becomes its child with that rectangle
    // and id; `style` says whether it is visible (WS_VISIBLE).
    bool Create(const QRect& rect, QWidget* parent, int id, unsigned style);
    void Navigate(const QUrl& address);

    QWidget* NotifyWindow() const { return m_notifyWindow; }
    int Id() const { return m_id; }

    // Before-navigation: true cancels. "app:" (any letter case) goes to OnAppLink with the
    // rest of the address; every other address is refused as well.
    virtual bool OnBeforeNavigate(const QUrl& address);
    // An "app:" link; does nothing here.
    virtual void OnAppLink(const QString& command);
    // The page has loaded (also when it could not be found).
    virtual void OnDocumentComplete(const QUrl& address);

    // The timer seam: see CNumberedTimers.
    void DriveTimersByHand() { m_timers.DriveByHand(); }
    bool TimerRunning(int id) const { return m_timers.IsRunning(id); }
    unsigned TimerPeriod(int id) const { return m_timers.Period(id); }
    // Runs the tick of timer `id` as if it had run out; false (nothing done) when it is not
    // running.
    bool FireTimer(int id);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    QVariant loadResource(int type, const QUrl& name) override;

private:
    void OnTimer(int id);
    void Notify(int eventType);

    QPointer<QWidget> m_notifyWindow;
    int m_id = 0;
    CNumberedTimers m_timers;
};

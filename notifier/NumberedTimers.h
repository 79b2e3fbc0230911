#pragma once

#include <QBasicTimer>
#include <array>

class QObject;
class QTimerEvent;

// The numbered window timers of one window (SetTimer/KillTimer): each number is one
// QBasicTimer whose events go to the window's timerEvent. Starting a running timer restarts
// it with the new period; a period of 0 ms runs as 1 ms (Qt would fire a 0 ms timer at every
// pass of the event loop).
//
// The seam for tests: after DriveByHand() no real timer runs any more; the bookkeeping goes
// on, and the owner's FireTimer runs a tick exactly when a real timer would be allowed to.
class CNumberedTimers {
public:
    static constexpr int kMaxTimers = 4;

    explicit CNumberedTimers(QObject* receiver);

    // Ids must be registered once, in the owner's constructor (at most kMaxTimers).
    void Register(int id);

    void Start(int id, unsigned periodMs);
    void Stop(int id);
    bool IsRunning(int id) const;
    // The period the timer runs with (after the 1 ms floor); 0 when stopped.
    unsigned Period(int id) const;

    // The registered id whose QBasicTimer sent `event`; 0 for none.
    int IdOf(const QTimerEvent* event) const;

    void DriveByHand();
    bool ByHand() const { return m_byHand; }

private:
    struct Entry {
        int id = 0;
        QBasicTimer timer;
        unsigned period = 0;
        bool running = false;
    };
    Entry* Find(int id);
    const Entry* Find(int id) const;

    QObject* m_receiver;
    std::array<Entry, kMaxTimers> m_entries;
    int m_count = 0;
    bool m_byHand = false;
};

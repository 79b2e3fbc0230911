#include "notifier/NumberedTimers.h"

#include <QObject>
#include <QTimerEvent>
#include <climits>

CNumberedTimers::CNumberedTimers(QObject* receiver) : m_receiver(receiver) {}

void CNumberedTimers::Register(int id) {
    if (id != 0 && Find(id) == nullptr && m_count < kMaxTimers) {
        m_entries[m_count++].id = id;
    }
}

CNumberedTimers::Entry* CNumberedTimers::Find(int id) {
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i].id == id) {
            return &m_entries[i];
        }
    }
    return nullptr;
}

const CNumberedTimers::Entry* CNumberedTimers::Find(int id) const {
    return const_cast<CNumberedTimers*>(this)->Find(id);
}

void CNumberedTimers::Start(int id, unsigned periodMs) {
    Entry* entry = Find(id);
    if (entry == nullptr) {
        return;
    }
    entry->period = periodMs == 0 ? 1U : periodMs;
    entry->running = true;
    if (m_byHand) {
        return;
    }
    const int interval = entry->period > unsigned(INT_MAX) ? INT_MAX : int(entry->period);
    // Steps of a few milliseconds must not be rounded to the coarse timers' slack.
    entry->timer.start(interval, Qt::PreciseTimer, m_receiver);
}

void CNumberedTimers::Stop(int id) {
    if (Entry* entry = Find(id)) {
        entry->timer.stop();
        entry->running = false;
        entry->period = 0;
    }
}

bool CNumberedTimers::IsRunning(int id) const {
    const Entry* entry = Find(id);
    return entry != nullptr && entry->running;
}

unsigned CNumberedTimers::Period(int id) const {
    const Entry* entry = Find(id);
    return entry != nullptr ? entry->period : 0U;
}

int CNumberedTimers::IdOf(const QTimerEvent* event) const {
    for (int i = 0; i < m_count; ++i) {
        if (m_entries[i].timer.isActive() && m_entries[i].timer.timerId() == event->timerId()) {
            return m_entries[i].id;
        }
    }
    return 0;
}

void CNumberedTimers::DriveByHand() {
    m_byHand = true;
    for (int i = 0; i < m_count; ++i) {
        m_entries[i].timer.stop();
    }
}

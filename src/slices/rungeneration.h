#pragma once

#include <QtGlobal>

// Tells the end of the latest run of a worker from the late ends of runs it
// superseded. A worker's runs end in the order they started, one end each,
// so counting both names the run every end belongs to; only the latest one,
// and only when it was not cancelled, counts.
class RunGeneration
{
public:
    // A new run starts: every earlier one is superseded.
    void start()
    {
        ++m_started;
        m_cancelled = false;
    }
    // The latest run will not count when it ends.
    void cancel() { m_cancelled = true; }
    // One run ended; true when it is the latest and was not cancelled.
    bool end()
    {
        ++m_ended;
        return isCurrent();
    }
    // Whether the run going on now is the latest and was not cancelled, so
    // that what it reports counts.
    bool latestRunning() const { return m_ended + 1 == m_started && !m_cancelled; }
    // How many runs started.
    quint64 started() const { return m_started; }

private:
    bool isCurrent() const { return m_ended == m_started && !m_cancelled; }

    quint64 m_started = 0;
    quint64 m_ended = 0;
    bool m_cancelled = false;
};

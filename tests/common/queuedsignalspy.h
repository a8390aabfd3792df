#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTest>

// Counts the emissions of a signal in the test's own thread. QSignalSpy
// records directly in the emitting thread, so a worker that emits while the
// test reads the spy races with it; here every emission is queued to the
// thread that made the spy and counted there.
class QueuedSignalSpy : public QObject
{
public:
    template <typename Sender, typename Signal>
    QueuedSignalSpy(const Sender* sender, Signal signal)
    {
        connect(sender, signal, this, [this] { ++m_count; }, Qt::QueuedConnection);
    }

    int size() const { return m_count; }
    int count() const { return m_count; }

    // Like QSignalSpy::wait: true once a further emission arrived in time.
    bool wait(int timeoutMs = 5000)
    {
        const int before = m_count;
        QElapsedTimer clock;
        clock.start();
        while (m_count == before && clock.elapsed() < timeoutMs)
            QTest::qWait(5);
        return m_count != before;
    }

private:
    int m_count = 0;
};

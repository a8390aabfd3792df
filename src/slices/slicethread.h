#pragma once

#include "slices/slicerasterdata.h"

#include <QThread>

#include <atomic>
#include <functional>

class XaThread;

// What the two slice workers share: the build whose models they sample,
// the cell size, and the raster they hand over. requestInterruption() stops
// a computation at the next cell. Deleting a running worker is safe: each
// worker stops and waits in its own destructor, while its run() and inputs
// still exist (by the time this base's destructor runs they are gone).
class SliceThread : public QThread
{
    Q_OBJECT

public:
    ~SliceThread() override;

    double step() const { return m_step; }
    // Read only after finished(). The worker hands the raster over through
    // an atomic of its own, so the hand-over does not rest on Qt's internal
    // locking alone (which a thread checker cannot see).
    const SliceRasterData& result() const
    {
        m_handedOver.load(std::memory_order_acquire);
        return m_result;
    }

    // Threads for the cells; 0 (the default) uses every core.
    void setThreadCount(int threads) { m_threadCount = threads; }

signals:
    void progress(int percent);

protected:
    explicit SliceThread(QObject* parent);

    // Only while the thread is not running. The step is kept at 0.01 or more.
    void setSource(XaThread* source, double step);

    // Interrupts a running computation and waits for the thread's end; the
    // first thing each worker's destructor does.
    void stop();

    using Computation = std::function<void(SliceRasterData& result)>;
    // Runs the computation on this thread, where no exception may leave it
    // (a failed one leaves the no-data raster), and hands the raster over.
    void compute(const Computation& computation);

    XaThread* m_source = nullptr;
    int m_threadCount = 0;

private:
    double m_step = 1.0;
    SliceRasterData m_result;
    std::atomic<quint64> m_handedOver{0};
};

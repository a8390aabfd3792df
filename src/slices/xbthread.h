#pragma once

#include "slices/slicerasterdata.h"

#include <QLineF>
#include <QThread>

class XaThread;

// Computes a vertical slice in a worker thread: a curtain standing on a line
// of the plan between the lower and the upper boundary surface, sampled
// from the models of an XaThread. requestInterruption() stops it at the
// next cell.
class XbThread : public QThread
{
    Q_OBJECT

public:
    explicit XbThread(QObject* parent = nullptr);
    ~XbThread() override;

    // Only while the thread is not running. The step is kept at 0.01 or more.
    void setData(XaThread* source, const QLineF& line, double step);
    double step() const { return m_step; }
    // Read only after finished().
    const SliceRasterData& result() const { return m_result; }

    // Threads for the cells; 0 (the default) uses every core.
    void setThreadCount(int threads) { m_threadCount = threads; }

signals:
    void progress(int percent);

protected:
    void run() override;

private:
    XaThread* m_source = nullptr;
    QLineF m_line;
    double m_step = 1.0;
    SliceRasterData m_result;
    int m_threadCount = 0;
};

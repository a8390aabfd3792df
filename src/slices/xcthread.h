#pragma once

#include "slices/slicerasterdata.h"

#include <QPolygonF>
#include <QThread>

class XaThread;

// Computes a horizontal slice in a worker thread: the cut of the volume
// between the boundary surfaces at one height inside a polygon of the plan,
// sampled from the models of an XaThread. requestInterruption() stops it at
// the next cell.
class XcThread : public QThread
{
    Q_OBJECT

public:
    explicit XcThread(QObject* parent = nullptr);
    ~XcThread() override;

    // Only while the thread is not running. The step is kept at 0.01 or more.
    void setData(XaThread* source, const QPolygonF& polygon, double height, double step);
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
    QPolygonF m_polygon;
    double m_height = 0.0;
    double m_step = 1.0;
    SliceRasterData m_result;
    int m_threadCount = 0;
};

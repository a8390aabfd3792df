#pragma once

#include "slices/slicethread.h"

#include <QPolygonF>

// Computes a horizontal slice in a worker thread: the cut of the volume
// between the boundary surfaces at one height inside a polygon of the plan,
// sampled from the models of an XaThread.
class XcThread final : public SliceThread
{
    Q_OBJECT

public:
    explicit XcThread(QObject* parent = nullptr);
    ~XcThread() override;

    // Only while the thread is not running. The step is kept at 0.01 or more.
    void setData(XaThread* source, const QPolygonF& polygon, double height, double step);

protected:
    void run() override;

private:
    QPolygonF m_polygon;
    double m_height = 0.0;
};

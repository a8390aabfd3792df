#include "slices/xcthread.h"

#include "slices/slicecomputation.h"

#include <algorithm>
#include <cmath>

XcThread::XcThread(QObject* parent) : QThread(parent)
{
}

XcThread::~XcThread()
{
    requestInterruption();
    wait();
}

void XcThread::setData(XaThread* source, const QPolygonF& polygon, double height, double step)
{
    m_source = source;
    m_polygon = polygon;
    m_height = height;
    m_step = std::max(std::fabs(step), 0.01);
}

void XcThread::run()
{
    SliceComputation::guarded(m_result, [this] {
        SliceComputation::horizontal(
            SliceComputation::Models::of(m_source), m_polygon, m_height, m_step, m_threadCount,
            [this] { return isInterruptionRequested(); }, [this](int percent) { emit progress(percent); }, m_result);
    });
}

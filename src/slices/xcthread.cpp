#include "slices/xcthread.h"

#include "slices/slicecomputation.h"

XcThread::XcThread(QObject* parent) : SliceThread(parent)
{
}

XcThread::~XcThread()
{
    stop();
}

void XcThread::setData(XaThread* source, const QPolygonF& polygon, double height, double step)
{
    setSource(source, step);
    m_polygon = polygon;
    m_height = height;
}

void XcThread::run()
{
    compute([this](SliceRasterData& result) {
        SliceComputation::horizontal(
            SliceComputation::Models::of(m_source), m_polygon, m_height, step(), m_threadCount,
            [this] { return isInterruptionRequested(); }, [this](int percent) { emit progress(percent); }, result);
    });
}

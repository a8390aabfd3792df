#include "slices/xbthread.h"

#include "slices/slicecomputation.h"

XbThread::XbThread(QObject* parent) : SliceThread(parent)
{
}

XbThread::~XbThread()
{
    stop();
}

void XbThread::setData(XaThread* source, const QLineF& line, double step)
{
    setSource(source, step);
    m_line = line;
}

void XbThread::run()
{
    compute([this](SliceRasterData& result) {
        SliceComputation::vertical(
            SliceComputation::Models::of(m_source), m_line, step(), m_threadCount,
            [this] { return isInterruptionRequested(); }, [this](int percent) { emit progress(percent); }, result);
    });
}

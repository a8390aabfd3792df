#include "slices/xbthread.h"

#include "slices/slicecomputation.h"

#include <algorithm>
#include <cmath>

XbThread::XbThread(QObject* parent) : QThread(parent)
{
}

XbThread::~XbThread()
{
    requestInterruption();
    wait();
}

void XbThread::setData(XaThread* source, const QLineF& line, double step)
{
    m_source = source;
    m_line = line;
    m_step = std::max(std::fabs(step), 0.01);
}

void XbThread::run()
{
    SliceComputation::guarded(m_result, [this] {
        SliceComputation::vertical(
            SliceComputation::Models::of(m_source), m_line, m_step, m_threadCount,
            [this] { return isInterruptionRequested(); }, [this](int percent) { emit progress(percent); }, m_result);
    });
}

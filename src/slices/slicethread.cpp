#include "slices/slicethread.h"

#include <ap.h>

#include <algorithm>
#include <cmath>
#include <exception>
#include <new>

SliceThread::SliceThread(QObject* parent) : QThread(parent)
{
}

SliceThread::~SliceThread()
{
    // A worker has stopped in its own destructor; this only guards against
    // one that forgot.
    Q_ASSERT(!isRunning());
}

void SliceThread::stop()
{
    requestInterruption();
    wait();
}

void SliceThread::setSource(XaThread* source, double step)
{
    m_source = source;
    m_step = std::max(std::fabs(step), 0.01);
}

void SliceThread::compute(const Computation& computation)
{
    try {
        computation(m_result);
    } catch (const alglib::ap_error&) {
        m_result.setNoData();
    } catch (const std::bad_alloc&) {
        m_result.setNoData();
    } catch (const std::exception&) {
        m_result.setNoData();
    }
    m_handedOver.fetch_add(1, std::memory_order_release);
}

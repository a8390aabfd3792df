#include "slices/xathread.h"

#include "slices/parallelloop.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <new>
#include <system_error>
#include <thread>
#include <vector>

XaThread::XaThread(QObject* parent) : QThread(parent), m_valueInterval(0.0, -1.0)
{
}

XaThread::~XaThread()
{
    requestInterruption();
    wait();
}

void XaThread::setData(const QList<Point3D>& bottomPoints, const QList<Point3D>& topPoints,
                       const QList<double>& samples)
{
    m_bottomPoints = bottomPoints;
    m_topPoints = topPoints;
    m_samples = samples;
    m_completed = false;
    m_runs.start();
}

// False when the list held no usable point, so the model stays as it was.
bool XaThread::buildSurface(const QList<Point3D>& points, IdwModel& model)
{
    std::vector<double> rows;
    rows.reserve(std::size_t(points.size()) * 3);
    for (const Point3D& p : points) {
        if (!p.isFinite())
            continue;
        rows.insert(rows.end(), {p.x(), p.y(), p.z()});
    }
    if (rows.empty())
        return false;
    return model.build(rows.data(), qint64(rows.size() / 3), 2, 1, 1,
                       [this] { return isInterruptionRequested(); }, m_threadCount);
}

void XaThread::run()
{
    m_completed = false;
    try {
        // Complete quadruples with every entry finite; the others are no samples.
        std::vector<double> rows;
        rows.reserve(std::size_t(m_samples.size()));
        const int quadruples = m_samples.size() / 4;
        for (int i = 0; i < quadruples; ++i) {
            const double* q = &m_samples.at(4 * i);
            if (std::isfinite(q[0]) && std::isfinite(q[1]) && std::isfinite(q[2]) && std::isfinite(q[3]))
                rows.insert(rows.end(), q, q + 4);
        }

        QwtInterval interval(0.0, -1.0);
        if (!rows.empty()) {
            double minimum = 1e15;
            double maximum = -1e15;
            for (std::size_t i = 3; i < rows.size(); i += 4) {
                minimum = std::min(minimum, rows[i]);
                maximum = std::max(maximum, rows[i]);
            }
            interval = QwtInterval(minimum, maximum);
        }
        emit progress(25);

        // The value model's kd-tree is the longest step of the build that
        // runs on one core. With more than one thread it is built, and the
        // model fitted, beside the surfaces: the models do not depend on
        // each other. Every way out of this block waits for that build; a
        // failure or cancel here stops it at its next node.
        IdwModel value;
        bool haveValue = false;
        std::exception_ptr valueFailure;
        std::atomic<bool> abandoned{false};
        auto buildValue = [&] {
            try {
                haveValue = value.build(rows.data(), qint64(rows.size() / 4), 3, 1, 1,
                                        [this, &abandoned] { return abandoned || isInterruptionRequested(); },
                                        m_threadCount);
            } catch (...) {
                valueFailure = std::current_exception();
            }
        };
        std::thread valueBuilder;
        struct Join
        {
            std::thread& thread;
            std::atomic<bool>& abandoned;
            ~Join()
            {
                if (thread.joinable()) {
                    abandoned = true;
                    thread.join();
                }
            }
        } join{valueBuilder, abandoned};
        if (!rows.empty() && m_threadCount != 1 && ParallelLoop::idealWorkerCount() > 1) {
            try {
                valueBuilder = std::thread(buildValue);
            } catch (const std::system_error&) {
                // Then it is built after the surfaces.
            }
        }

        IdwModel bottom;
        const bool haveBottom = buildSurface(m_bottomPoints, bottom);
        if (isInterruptionRequested())
            return;
        emit progress(50);

        IdwModel top;
        const bool haveTop = buildSurface(m_topPoints, top);
        if (isInterruptionRequested())
            return;
        emit progress(75);

        if (valueBuilder.joinable())
            valueBuilder.join();
        else if (!rows.empty())
            buildValue();
        if (valueFailure)
            std::rethrow_exception(valueFailure);
        if (isInterruptionRequested())
            return;

        m_valueInterval = interval;
        if (haveBottom)
            m_bottomModel = std::move(bottom);
        if (haveTop)
            m_topModel = std::move(top);
        if (haveValue)
            m_valueModel = std::move(value);
        m_completed = true;
    } catch (const alglib::ap_error&) {
        // The build failed; the previous models stay.
    } catch (const std::bad_alloc&) {
    } catch (const std::exception&) {
    }
}

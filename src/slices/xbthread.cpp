#include "slices/xbthread.h"

#include "slices/idwmodel.h"
#include "slices/parallelloop.h"
#include "slices/xathread.h"

#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>
#include <vector>

// A crossing of the row with an edge counts for every cell at or to the
// right of it; horizontal edges never count.
void XbThread::insideRow(const QVector<QPointF>& outline, double y, double step, qint64 columns,
                         std::vector<double>& crossings, char* inside)
{
    crossings.clear();
    const int n = outline.size();
    auto edge = [&](const QPointF& p1, const QPointF& p2) {
        double x1 = p1.x();
        double y1 = p1.y();
        double x2 = p2.x();
        double y2 = p2.y();
        if (qFuzzyCompare(y1, y2))
            return;
        if (y2 < y1) {
            std::swap(x1, x2);
            std::swap(y1, y2);
        }
        if (y >= y1 && y < y2)
            crossings.push_back(x1 + ((x2 - x1) / (y2 - y1)) * (y - y1));
    };
    for (int k = 1; k < n; ++k)
        edge(outline.at(k - 1), outline.at(k));
    if (n > 0 && outline.last() != outline.first())
        edge(outline.last(), outline.first());
    std::sort(crossings.begin(), crossings.end());

    std::size_t passed = 0;
    for (qint64 i = 0; i < columns; ++i) {
        const double x = double(i) * step;
        while (passed < crossings.size() && crossings[passed] <= x)
            ++passed;
        inside[i] = (passed % 2) != 0;
    }
}


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
    try {
        compute();
    } catch (const alglib::ap_error&) {
        m_result.setNoData();
    } catch (const std::bad_alloc&) {
        m_result.setNoData();
    } catch (const std::exception&) {
        m_result.setNoData();
    }
}

void XbThread::compute()
{
    if (!m_source || !m_source->valueInterval().isValid()) {
        m_result.setNoData();
        return;
    }
    const QwtInterval interval = m_source->valueInterval();
    const IdwModel& bottomModel = m_source->bottomModel();
    const IdwModel& topModel = m_source->topModel();
    const IdwModel& valueModel = m_source->valueModel();
    const double step = m_step;
    auto cancelled = [this] { return isInterruptionRequested(); };

    const double length = m_line.length();
    const double columnCount = SliceRasterData::cellCount(length / step);
    if (!(columnCount <= double(SliceRasterData::maximumCells))) {
        m_result.setNoData(true);
        return;
    }
    const qint64 columns = qint64(columnCount);
    const double x1 = m_line.x1();
    const double y1 = m_line.y1();
    const double dx = (m_line.x2() - x1) / double(columns);
    const double dy = (m_line.y2() - y1) / double(columns);

    // The rows follow from the surfaces' range over every column. On a long
    // line, evenly spaced columns first give a range no wider than that, so
    // rows no more than it will have, which refuses a slice too large for
    // the cap before its surfaces cost minutes and gigabytes.
    constexpr qint64 probes = 1024;
    if (columns > probes) {
        IdwModel::Scratch scratch;
        double low = 1e15;
        double high = -1e15;
        for (qint64 k = 0; k < probes; ++k) {
            if (cancelled()) {
                m_result.setNoData();
                return;
            }
            const qint64 i = k * (columns - 1) / (probes - 1);
            const double px = x1 + dx / 2.0 + double(i) * dx;
            const double py = y1 + dy / 2.0 + double(i) * dy;
            low = std::min(low, bottomModel.value(scratch, px, py));
            high = std::max(high, topModel.value(scratch, px, py));
        }
        if (!(SliceRasterData::cellCount((high - low) / step) * columnCount <= double(SliceRasterData::maximumCells))) {
            m_result.setNoData(true);
            return;
        }
    }

    // The plan point of each column and both surfaces there.
    std::vector<double> planX(std::size_t(columns), 0.0);
    std::vector<double> planY(std::size_t(columns), 0.0);
    std::vector<double> bottom(std::size_t(columns), 0.0);
    std::vector<double> top(std::size_t(columns), 0.0);
    int workers = ParallelLoop::workerCount(m_threadCount, columns);
    std::unique_ptr<IdwModel::Scratch[]> surfaceScratch(new IdwModel::Scratch[std::size_t(workers)]);
    const bool surfacesDone = ParallelLoop::run(
        columns, workers,
        [&](int worker, qint64 i) {
            const double px = x1 + dx / 2.0 + double(i) * dx;
            const double py = y1 + dy / 2.0 + double(i) * dy;
            planX[std::size_t(i)] = px;
            planY[std::size_t(i)] = py;
            bottom[std::size_t(i)] = bottomModel.value(surfaceScratch[worker], px, py);
            top[std::size_t(i)] = topModel.value(surfaceScratch[worker], px, py);
        },
        cancelled, ParallelLoop::ProgressFunction());
    if (!surfacesDone) {
        // Stopped before this slice had a raster: keep nothing of the last one.
        m_result.setNoData();
        return;
    }

    double lowest = 1e15;
    double highest = -1e15;
    for (qint64 i = 0; i < columns; ++i) {
        if (bottom[std::size_t(i)] < lowest)
            lowest = bottom[std::size_t(i)];
        if (top[std::size_t(i)] > highest)
            highest = top[std::size_t(i)];
    }

    const double rowCount = SliceRasterData::cellCount((highest - lowest) / step);
    if (!(rowCount * columnCount <= double(SliceRasterData::maximumCells))) {
        m_result.setNoData(true);
        return;
    }
    const qint64 rows = qint64(rowCount);
    const qint64 total = columns * rows;

    QVector<QPointF> outline;
    outline.reserve(int(2 * columns + 4));
    outline.append(QPointF(0.0, top.front()));
    for (qint64 i = 0; i < columns; ++i)
        outline.append(QPointF(double(i) * step, top[std::size_t(i)]));
    outline.append(QPointF(length, top.back()));
    outline.append(QPointF(length, bottom.back()));
    for (qint64 i = columns - 1; i >= 0; --i)
        outline.append(QPointF(double(i) * step, bottom[std::size_t(i)]));
    outline.append(QPointF(0.0, bottom.front()));

    m_result.setXInterval(QwtInterval(0.0, length));
    m_result.setYInterval(QwtInterval(lowest, highest));
    m_result.setOutline(outline);
    m_result.setColumns(int(columns));
    m_result.setTooLarge(false);

    QVector<double> values(int(total), SliceRasterData::noData);
    QVector<bool> mask(int(total), false);
    double* out = values.data();
    bool* has = mask.data();

    // The inside test, one sweep per row.
    std::vector<char> inside(std::size_t(total), 0);
    workers = ParallelLoop::workerCount(m_threadCount, rows);
    std::vector<std::vector<double>> crossings(static_cast<std::size_t>(workers));
    const bool insideDone = ParallelLoop::run(
        rows, workers,
        [&](int worker, qint64 j) {
            const double z = lowest + step / 2.0 + double(j) * step;
            insideRow(outline, z, step, columns, crossings[std::size_t(worker)], inside.data() + j * columns);
        },
        cancelled, ParallelLoop::ProgressFunction());

    if (insideDone) {
        workers = ParallelLoop::workerCount(m_threadCount, total);
        std::unique_ptr<IdwModel::Scratch[]> scratch(new IdwModel::Scratch[std::size_t(workers)]);
        // Column by column, each column bottom up.
        ParallelLoop::run(
            total, workers,
            [&](int worker, qint64 c) {
                const qint64 i = c / rows;
                const qint64 j = c % rows;
                const qint64 index = i + j * columns;
                if (!inside[std::size_t(index)])
                    return;
                const double z = lowest + step / 2.0 + double(j) * step;
                const double v = valueModel.value(scratch[worker], planX[std::size_t(i)], planY[std::size_t(i)], z);
                out[index] = SliceRasterData::clamped(v, interval);
                has[index] = true;
            },
            cancelled, [this](int percent) { emit progress(percent); });
    }
    m_result.setValues(values);
    m_result.setMask(mask);
}

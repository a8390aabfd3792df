#include "slices/xcthread.h"

#include "slices/idwmodel.h"
#include "slices/parallelloop.h"
#include "slices/xathread.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

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

void XcThread::compute()
{
    if (!m_source || !m_source->valueInterval().isValid()) {
        m_result.setNoData();
        return;
    }
    const QwtInterval interval = m_source->valueInterval();
    const IdwModel& bottomModel = m_source->bottomModel();
    const IdwModel& topModel = m_source->topModel();
    const IdwModel& valueModel = m_source->valueModel();
    const QPolygonF polygon = m_polygon;
    const double height = m_height;
    const double step = m_step;

    double xmin = 1e15;
    double ymin = 1e15;
    double xmax = -1e15;
    double ymax = -1e15;
    for (const QPointF& p : polygon) {
        if (p.x() < xmin)
            xmin = p.x();
        if (p.y() < ymin)
            ymin = p.y();
        if (p.x() > xmax)
            xmax = p.x();
        if (p.y() > ymax)
            ymax = p.y();
    }
    const double width = xmax - xmin;
    const double depth = ymax - ymin;
    const double columnCount = SliceRasterData::cellCount(width / step);
    const double rowCount = SliceRasterData::cellCount(depth / step);
    if (!(columnCount * rowCount <= double(SliceRasterData::maximumCells))) {
        m_result.setNoData(true);
        return;
    }
    const qint64 columns = qint64(columnCount);
    const qint64 rows = qint64(rowCount);
    const qint64 total = columns * rows;

    QVector<QPointF> outline;
    outline.reserve(polygon.size());
    for (const QPointF& p : polygon)
        outline.append(QPointF(p.x() - xmin, p.y() - ymin));
    m_result.setOutline(outline);
    m_result.setXInterval(QwtInterval(0.0, width));
    m_result.setYInterval(QwtInterval(0.0, depth));
    m_result.setColumns(int(columns));
    m_result.setTooLarge(false);

    QVector<double> values(int(total), SliceRasterData::noData);
    QVector<bool> mask(int(total), false);
    double* out = values.data();
    bool* has = mask.data();

    const int workers = ParallelLoop::workerCount(m_threadCount, total);
    std::unique_ptr<IdwModel::Scratch[]> scratch(new IdwModel::Scratch[std::size_t(workers) * 3]);
    // Column by column, each column from the low y up; the tests run from
    // the cheapest, so outside cells cost no model at all.
    ParallelLoop::run(
        total, workers,
        [&](int worker, qint64 c) {
            const qint64 i = c / rows;
            const qint64 j = c % rows;
            const double x = xmin + double(i) * step;
            const double y = ymin + double(j) * step;
            if (!polygon.containsPoint(QPointF(x, y), Qt::OddEvenFill))
                return;
            IdwModel::Scratch* own = &scratch[std::size_t(worker) * 3];
            if (!(height >= bottomModel.value(own[0], x, y)))
                return;
            if (!(topModel.value(own[1], x, y) >= height))
                return;
            const qint64 index = i + j * columns;
            out[index] = SliceRasterData::clamped(valueModel.value(own[2], x, y, height), interval);
            has[index] = true;
        },
        [this] { return isInterruptionRequested(); }, [this](int percent) { emit progress(percent); });
    m_result.setValues(values);
    m_result.setMask(mask);
}

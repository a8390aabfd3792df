#include "slices/slicecomputation.h"

#include "slices/idwmodel.h"
#include "slices/xathread.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

namespace {

// The cells of a raster being computed, each without data until it gets
// a value.
struct Cells
{
    QVector<double> values;
    QVector<bool> mask;
};

Cells layOut(SliceRasterData& result, const QwtInterval& x, const QwtInterval& y, const QVector<QPointF>& outline,
             qint64 columns, qint64 total)
{
    result.setXInterval(x);
    result.setYInterval(y);
    result.setOutline(outline);
    result.setColumns(int(columns));
    result.setTooLarge(false);
    return {QVector<double>(int(total), SliceRasterData::noData), QVector<bool>(int(total), false)};
}

} // namespace

SliceComputation::Models SliceComputation::Models::of(const XaThread* source)
{
    Models models;
    if (source) {
        models.bottom = &source->bottomModel();
        models.top = &source->topModel();
        models.value = &source->valueModel();
        models.interval = source->valueInterval();
    }
    return models;
}

// A crossing of the row with an edge counts for every cell at or to the
// right of it; horizontal edges never count.
void SliceComputation::insideRow(const QVector<QPointF>& outline, double y, double step, qint64 columns,
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

void SliceComputation::vertical(const Models& models, const QLineF& line, double step, int threads,
                                const ParallelLoop::CancelFunction& cancelled,
                                const ParallelLoop::ProgressFunction& progress, SliceRasterData& result)
{
    if (!models.interval.isValid()) {
        result.setNoData();
        return;
    }
    const double length = line.length();
    const double columnCount = SliceRasterData::cellCount(length / step);
    if (!(columnCount <= double(SliceRasterData::maximumCells))) {
        result.setNoData(true);
        return;
    }
    const qint64 columns = qint64(columnCount);
    const double x1 = line.x1();
    const double y1 = line.y1();
    const double dx = (line.x2() - x1) / double(columns);
    const double dy = (line.y2() - y1) / double(columns);

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
                result.setNoData();
                return;
            }
            const qint64 i = k * (columns - 1) / (probes - 1);
            const double px = x1 + dx / 2.0 + double(i) * dx;
            const double py = y1 + dy / 2.0 + double(i) * dy;
            low = std::min(low, models.bottom->value(scratch, px, py));
            high = std::max(high, models.top->value(scratch, px, py));
        }
        if (!(SliceRasterData::cellCount((high - low) / step) * columnCount <= double(SliceRasterData::maximumCells))) {
            result.setNoData(true);
            return;
        }
    }

    // The plan point of each column and both surfaces there.
    std::vector<double> planX(std::size_t(columns), 0.0);
    std::vector<double> planY(std::size_t(columns), 0.0);
    std::vector<double> bottom(std::size_t(columns), 0.0);
    std::vector<double> top(std::size_t(columns), 0.0);
    int workers = ParallelLoop::workerCount(threads, columns);
    std::unique_ptr<IdwModel::Scratch[]> surfaceScratch(new IdwModel::Scratch[std::size_t(workers)]);
    const bool surfacesDone = ParallelLoop::run(
        columns, workers,
        [&](int worker, qint64 i) {
            const double px = x1 + dx / 2.0 + double(i) * dx;
            const double py = y1 + dy / 2.0 + double(i) * dy;
            planX[std::size_t(i)] = px;
            planY[std::size_t(i)] = py;
            bottom[std::size_t(i)] = models.bottom->value(surfaceScratch[worker], px, py);
            top[std::size_t(i)] = models.top->value(surfaceScratch[worker], px, py);
        },
        cancelled, ParallelLoop::ProgressFunction());
    if (!surfacesDone) {
        // Stopped before this slice had a raster: keep nothing of the last one.
        result.setNoData();
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
        result.setNoData(true);
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

    Cells cells = layOut(result, QwtInterval(0.0, length), QwtInterval(lowest, highest), outline, columns, total);
    double* out = cells.values.data();
    bool* has = cells.mask.data();

    // The inside test, one sweep per row.
    std::vector<char> inside(std::size_t(total), 0);
    workers = ParallelLoop::workerCount(threads, rows);
    std::vector<std::vector<double>> crossings(static_cast<std::size_t>(workers));
    const bool insideDone = ParallelLoop::run(
        rows, workers,
        [&](int worker, qint64 j) {
            const double z = lowest + step / 2.0 + double(j) * step;
            insideRow(outline, z, step, columns, crossings[std::size_t(worker)], inside.data() + j * columns);
        },
        cancelled, ParallelLoop::ProgressFunction());

    if (insideDone) {
        workers = ParallelLoop::workerCount(threads, total);
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
                const double v = models.value->value(scratch[worker], planX[std::size_t(i)], planY[std::size_t(i)], z);
                out[index] = SliceRasterData::clamped(v, models.interval);
                has[index] = true;
            },
            cancelled, progress);
    }
    result.setValues(cells.values);
    result.setMask(cells.mask);
}

void SliceComputation::horizontal(const Models& models, const QPolygonF& polygon, double height, double step,
                                  int threads, const ParallelLoop::CancelFunction& cancelled,
                                  const ParallelLoop::ProgressFunction& progress, SliceRasterData& result)
{
    if (!models.interval.isValid()) {
        result.setNoData();
        return;
    }
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
        result.setNoData(true);
        return;
    }
    const qint64 columns = qint64(columnCount);
    const qint64 rows = qint64(rowCount);
    const qint64 total = columns * rows;

    QVector<QPointF> outline;
    outline.reserve(polygon.size());
    for (const QPointF& p : polygon)
        outline.append(QPointF(p.x() - xmin, p.y() - ymin));
    Cells cells = layOut(result, QwtInterval(0.0, width), QwtInterval(0.0, depth), outline, columns, total);
    double* out = cells.values.data();
    bool* has = cells.mask.data();

    const int workers = ParallelLoop::workerCount(threads, total);
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
            if (!(height >= models.bottom->value(own[0], x, y)))
                return;
            if (!(models.top->value(own[1], x, y) >= height))
                return;
            const qint64 index = i + j * columns;
            out[index] = SliceRasterData::clamped(models.value->value(own[2], x, y, height), models.interval);
            has[index] = true;
        },
        cancelled, progress);
    result.setValues(cells.values);
    result.setMask(cells.mask);
}

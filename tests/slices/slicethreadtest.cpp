#include "common/testregistry.h"

#include "slices/slicecomputation.h"
#include "slices/xathread.h"
#include "slices/xbthread.h"
#include "slices/xcthread.h"
#include "slicetestmodels.h"

#include <QPolygonF>
#include <QDeadlineTimer>
#include <QRandomGenerator>
#include <QTest>

#include <atomic>
#include <cmath>
#include <cstring>
#include <memory>

namespace {

double field(double x, double y, double z)
{
    return x + 2.0 * y + 3.0 * z;
}

// Flat surfaces over [-5, 25]^2 (bottom at bottomZ, top at topZ) and a
// linear value field sampled at scattered points of the box between them.
std::unique_ptr<XaThread> models(double bottomZ = 0.0, double topZ = 10.0, bool withSamples = true,
                                 double sampleXMax = 25.0)
{
    QList<Point3D> bottom;
    QList<Point3D> top;
    for (int i = 0; i <= 30; ++i)
        for (int j = 0; j <= 30; ++j) {
            bottom.append(Point3D(-5.0 + i, -5.0 + j, bottomZ));
            top.append(Point3D(-5.0 + i, -5.0 + j, topZ));
        }
    QList<double> samples;
    QRandomGenerator random(101);
    if (withSamples) {
        for (int k = 0; k < 3000; ++k) {
            const double x = -5.0 + (sampleXMax + 5.0) * random.generateDouble();
            const double y = -5.0 + 30.0 * random.generateDouble();
            const double z = -1.0 + 12.0 * random.generateDouble();
            samples << x << y << z << field(x, y, z);
        }
    }
    std::unique_ptr<XaThread> thread(new XaThread);
    thread->setData(bottom, top, samples);
    thread->start();
    thread->wait();
    return thread;
}

// Runs a worker to its end and collects its progress in the GUI thread.
template <typename Worker>
QList<int> runWorker(Worker& worker)
{
    QList<int> progress;
    QObject context;
    QObject::connect(&worker, &Worker::progress, &context, [&progress](int p) { progress.append(p); });
    worker.start();
    // To the run's very end, however long: the caller may start the worker
    // again or give it new inputs next.
    worker.wait();
    QCoreApplication::processEvents();
    return progress;
}

bool risingTo100(const QList<int>& progress)
{
    for (int i = 1; i < progress.size(); ++i)
        if (progress.at(i) <= progress.at(i - 1))
            return false;
    return !progress.isEmpty() && progress.last() == 100;
}

bool near(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * (1.0 + std::fabs(b));
}

// Every cell holds data exactly where the outline contains its point, and
// the data is the clamped field there.
void checkVertical(const SliceRasterData& r, const QLineF& line, double step, int rows)
{
    const int columns = r.columns();
    QCOMPARE(r.values().size(), columns * rows);
    QCOMPARE(r.mask().size(), columns * rows);
    const QPolygonF outline(r.outline());
    const double lowest = r.yInterval().minValue();
    for (int i = 0; i < columns; ++i) {
        const double px = line.x1() + (line.x2() - line.x1()) / columns / 2.0 + i * ((line.x2() - line.x1()) / columns);
        const double py = line.y1() + (line.y2() - line.y1()) / columns / 2.0 + i * ((line.y2() - line.y1()) / columns);
        for (int j = 0; j < rows; ++j) {
            const double z = lowest + step / 2.0 + j * step;
            const int index = i + j * columns;
            const bool inside = outline.containsPoint(QPointF(i * step, z), Qt::OddEvenFill);
            QCOMPARE(r.hasData(index), inside);
            if (inside)
                QVERIFY2(near(r.values().at(index), field(px, py, z)),
                         qPrintable(QString("cell %1 %2: %3").arg(i).arg(j).arg(r.values().at(index))));
            else
                QCOMPARE(r.values().at(index), -1.0);
        }
    }
}

} // namespace

class SliceThreadTest : public QObject
{
    Q_OBJECT

private slots:
    void rasterData();
    void insideRowMatchesContainsPoint();
    void verticalSlice();
    void verticalSliceEdgeCases();
    void horizontalSlice();
    void invalidIntervalResets();
    void tooLarge();
    void threadCountDoesNotChangeRaster();
    void cancelMidRun();
    void computesWithoutAThread();
    void deletingRunningWorkers();
};

void SliceThreadTest::rasterData()
{
    SliceRasterData data;
    QVERIFY(!data.xInterval().isValid());
    QCOMPARE(data.xInterval().minValue(), 0.0);
    QCOMPARE(data.yInterval().maxValue(), -1.0);
    QCOMPARE(data.columns(), 0);
    QVERIFY(data.values().isEmpty());
    QVERIFY(!data.isTooLarge());
    QVERIFY(!data.hasData(0));

    QCOMPARE(SliceRasterData::cellCount(10.0), 10.0);
    QCOMPARE(SliceRasterData::cellCount(10.4), 10.0);
    QCOMPARE(SliceRasterData::cellCount(10.5), 11.0);
    QCOMPARE(SliceRasterData::cellCount(0.0), 1.0);
    QCOMPARE(SliceRasterData::cellCount(0.3), 1.0);
    QCOMPARE(SliceRasterData::cellCount(-7.0), 1.0);
    QCOMPARE(SliceRasterData::cellCount(1e12), 1e12);
    QVERIFY(std::isnan(SliceRasterData::cellCount(std::nan(""))));
    QVERIFY(std::isnan(SliceRasterData::cellCount(HUGE_VAL)));

    const QwtInterval interval(2.0, 5.0);
    QCOMPARE(SliceRasterData::clamped(3.5, interval), 3.5);
    QCOMPARE(SliceRasterData::clamped(5.0, interval), 5.0);
    QCOMPARE(SliceRasterData::clamped(7.0, interval), 5.0);
    QCOMPARE(SliceRasterData::clamped(2.0, interval), 2.0);
    QCOMPARE(SliceRasterData::clamped(-1.0, interval), 2.0);
    QCOMPARE(SliceRasterData::clamped(std::nan(""), interval), 2.0);
    QCOMPARE(SliceRasterData::clamped(HUGE_VAL, interval), 5.0);

    data.setOutline({QPointF(1, 2)});
    data.setNoData(true);
    QVERIFY(data.isTooLarge());
    QCOMPARE(data.values(), QVector<double>({-1.0}));
    QCOMPARE(data.mask(), QVector<bool>({false}));
    QCOMPARE(data.columns(), 1);
    QVERIFY(data.outline().isEmpty());
}

void SliceThreadTest::insideRowMatchesContainsPoint()
{
    // Outlines on a coarse grid put many cells exactly on edges and vertices.
    QRandomGenerator random(7);
    std::vector<double> crossings;
    for (int trial = 0; trial < 300; ++trial) {
        QVector<QPointF> outline;
        const int n = 2 + int(random.bounded(12));
        for (int k = 0; k < n; ++k)
            outline.append(QPointF(0.5 * random.bounded(21), 0.5 * random.bounded(21)));
        if (trial % 3 == 0)
            outline.append(outline.first());
        const QPolygonF polygon(outline);
        const double step = trial % 2 ? 0.5 : 0.25;
        const qint64 columns = qint64(11.0 / step);
        std::vector<char> inside(static_cast<std::size_t>(columns));
        for (int row = -1; row <= 44; ++row) {
            const double y = row * 0.25;
            SliceComputation::insideRow(outline, y, step, columns, crossings, inside.data());
            for (qint64 i = 0; i < columns; ++i)
                if (bool(inside[std::size_t(i)]) != polygon.containsPoint(QPointF(i * step, y), Qt::OddEvenFill))
                    QFAIL(qPrintable(QString("trial %1 row %2 column %3").arg(trial).arg(y).arg(i)));
        }
    }
    // Empty and one-point outlines contain nothing.
    std::vector<char> inside(4, 1);
    SliceComputation::insideRow(QVector<QPointF>(), 0.0, 1.0, 4, crossings, inside.data());
    QVERIFY(std::all_of(inside.begin(), inside.end(), [](char c) { return c == 0; }));
}

void SliceThreadTest::verticalSlice()
{
    std::unique_ptr<XaThread> source = models();
    XbThread worker;
    // Length 10, step 1.
    QLineF line(0.0, 5.0, 10.0, 5.0);
    worker.setData(source.get(), line, 1.0);
    QList<int> progress = runWorker(worker);
    QVERIFY(risingTo100(progress));
    const SliceRasterData& r = worker.result();
    QCOMPARE(r.columns(), 10);
    QCOMPARE(r.xInterval().minValue(), 0.0);
    QCOMPARE(r.xInterval().maxValue(), 10.0);
    QVERIFY(near(r.yInterval().minValue(), 0.0));
    QVERIFY(near(r.yInterval().maxValue(), 10.0));
    QVERIFY(!r.isTooLarge());
    const QVector<QPointF>& outline = r.outline();
    QCOMPARE(outline.size(), 24);
    QCOMPARE(outline.first().x(), 0.0);
    QVERIFY(near(outline.first().y(), 10.0));
    QCOMPARE(outline.at(1).x(), 0.0);
    QCOMPARE(outline.at(10).x(), 9.0);
    QCOMPARE(outline.at(11).x(), 10.0);
    QCOMPARE(outline.at(12).x(), 10.0);
    QVERIFY(near(outline.at(12).y(), 0.0));
    QCOMPARE(outline.last().x(), 0.0);
    QVERIFY(near(outline.last().y(), 0.0));
    checkVertical(r, line, 1.0, 10);
    // Column 0 samples the plan point 0.5 along the line, row 0 half a step up.
    QVERIFY(near(r.values().at(0), field(0.5, 5.0, 0.5)));
    QVERIFY(r.hasData(99));

    // Length 10.4: still 10 columns, the outline reaches 10.4.
    line = QLineF(2.0, 1.0, 2.0, 11.4);
    worker.setData(source.get(), line, 1.0);
    progress = runWorker(worker);
    QVERIFY(risingTo100(progress));
    QCOMPARE(worker.result().columns(), 10);
    QCOMPARE(worker.result().xInterval().maxValue(), line.length());
    const QVector<QPointF>& longer = worker.result().outline();
    QCOMPARE(longer.at(11).x(), line.length());
    QCOMPARE(longer.at(10).x(), 9.0);
    QCOMPARE(longer.at(11).y(), longer.at(10).y());
    checkVertical(worker.result(), line, 1.0, 10);

    // A diagonal line with a finer step and values above the samples'
    // range, which are held to the maximum.
    std::unique_ptr<XaThread> partial = models(0.0, 10.0, true, 10.0);
    line = QLineF(14.0, 25.0, 25.0, 25.0);
    worker.setData(partial.get(), line, 0.5);
    runWorker(worker);
    const SliceRasterData& d = worker.result();
    QCOMPARE(d.columns(), 22);
    const QwtInterval interval = partial->valueInterval();
    int clamped = 0;
    for (int index = 0; index < d.values().size(); ++index) {
        if (!d.hasData(index))
            continue;
        QVERIFY(d.values().at(index) >= interval.minValue() && d.values().at(index) <= interval.maxValue());
        clamped += d.values().at(index) == interval.maxValue();
    }
    QVERIFY(clamped > 10);
}

void SliceThreadTest::verticalSliceEdgeCases()
{
    std::unique_ptr<XaThread> source = models();
    XbThread worker;
    worker.setData(source.get(), QLineF(0, 0, 1, 1), 0.0);
    QCOMPARE(worker.step(), 0.01);
    worker.setData(source.get(), QLineF(0, 0, 1, 1), -2.0);
    QCOMPARE(worker.step(), 2.0);

    // A zero-length line: one column at the line's point; its outline is a
    // vertical segment that contains no cell.
    QLineF point(3.0, 4.0, 3.0, 4.0);
    worker.setData(source.get(), point, 1.0);
    QVERIFY(risingTo100(runWorker(worker)));
    QCOMPARE(worker.result().columns(), 1);
    QCOMPARE(worker.result().xInterval().minValue(), 0.0);
    QCOMPARE(worker.result().xInterval().maxValue(), 0.0);
    QCOMPARE(worker.result().values().size(), 10);
    checkVertical(worker.result(), point, 1.0, 10);

    // The top surface below the bottom: one row, an invalid y interval.
    std::unique_ptr<XaThread> upsideDown = models(10.0, 0.0);
    const QLineF line(0.0, 5.0, 10.0, 5.0);
    worker.setData(upsideDown.get(), line, 1.0);
    QVERIFY(risingTo100(runWorker(worker)));
    QCOMPARE(worker.result().columns(), 10);
    QCOMPARE(worker.result().values().size(), 10);
    QVERIFY(!worker.result().yInterval().isValid());
    checkVertical(worker.result(), line, 1.0, 1);
}

void SliceThreadTest::horizontalSlice()
{
    std::unique_ptr<XaThread> source = models();
    XcThread worker;
    worker.setData(source.get(), QPolygonF({QPointF(0, 0), QPointF(10, 0), QPointF(10, 10), QPointF(0, 10)}), 5.0,
                   1.0);
    QVERIFY(risingTo100(runWorker(worker)));
    const SliceRasterData& r = worker.result();
    QCOMPARE(r.columns(), 10);
    QCOMPARE(r.values().size(), 100);
    QCOMPARE(r.outline(), QVector<QPointF>({QPointF(0, 0), QPointF(10, 0), QPointF(10, 10), QPointF(0, 10)}));
    QCOMPARE(r.xInterval().minValue(), 0.0);
    QCOMPARE(r.xInterval().maxValue(), 10.0);
    QCOMPARE(r.yInterval().minValue(), 0.0);
    QCOMPARE(r.yInterval().maxValue(), 10.0);
    const QPolygonF square(r.outline());
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) {
            const int index = i + 10 * j;
            const bool inside = square.containsPoint(QPointF(i, j), Qt::OddEvenFill);
            QCOMPARE(r.hasData(index), inside);
            if (inside)
                QVERIFY(near(r.values().at(index), field(i, j, 5.0)));
            else
                QCOMPARE(r.values().at(index), -1.0);
        }
    QVERIFY(r.hasData(55));

    // An offset polygon: slice coordinates from its lower-left corner, plan
    // points from the corner of each cell.
    const QPolygonF offset({QPointF(12, 3), QPointF(2, 3.5), QPointF(4, 8), QPointF(12.5, 7)});
    worker.setData(source.get(), offset, 2.5, 0.5);
    QVERIFY(risingTo100(runWorker(worker)));
    const SliceRasterData& o = worker.result();
    QCOMPARE(o.columns(), 21);
    QCOMPARE(o.values().size(), 21 * 10);
    QCOMPARE(o.outline(), QVector<QPointF>({QPointF(10, 0), QPointF(0, 0.5), QPointF(2, 5), QPointF(10.5, 4)}));
    QCOMPARE(o.xInterval().maxValue(), 10.5);
    QCOMPARE(o.yInterval().maxValue(), 5.0);
    int filled = 0;
    int held = 0;
    IdwModel::Scratch scratch;
    for (int i = 0; i < 21; ++i)
        for (int j = 0; j < 10; ++j) {
            const double x = 2.0 + i * 0.5;
            const double y = 3.0 + j * 0.5;
            const int index = i + 21 * j;
            const bool inside = offset.containsPoint(QPointF(x, y), Qt::OddEvenFill);
            QCOMPARE(o.hasData(index), inside);
            filled += inside;
            if (!inside)
                continue;
            // The model's value, which its bound holds at the data of the
            // nearest samples where they all lie on one side of the field's
            // level there.
            QCOMPARE(o.values().at(index), source->valueModel().value(scratch, x, y, 2.5));
            held += !near(o.values().at(index), field(x, y, 2.5));
        }
    QVERIFY(filled > 50);
    QVERIFY(held < filled / 10);

    // Above the top surface, below the bottom one, or at no height at all:
    // nothing, and progress still ends at 100.
    for (double height : {10.5, -0.5, std::nan("")}) {
        worker.setData(source.get(), QPolygonF({QPointF(0, 0), QPointF(10, 0), QPointF(10, 10), QPointF(0, 10)}),
                       height, 1.0);
        QVERIFY(risingTo100(runWorker(worker)));
        QCOMPARE(worker.result().values(), QVector<double>(100, -1.0));
        QCOMPARE(worker.result().mask(), QVector<bool>(100, false));
    }
}

void SliceThreadTest::invalidIntervalResets()
{
    std::unique_ptr<XaThread> source = models();
    std::unique_ptr<XaThread> empty = models(0.0, 10.0, false);
    QVERIFY(!empty->valueInterval().isValid());

    XbThread vertical;
    vertical.setData(source.get(), QLineF(0, 5, 10, 5), 1.0);
    runWorker(vertical);
    QVERIFY(vertical.result().xInterval().isValid());
    vertical.setData(empty.get(), QLineF(0, 5, 10, 5), 1.0);
    QVERIFY(runWorker(vertical).isEmpty());
    for (const SliceRasterData* r : {&vertical.result()}) {
        QCOMPARE(r->values(), QVector<double>({-1.0}));
        QCOMPARE(r->columns(), 1);
        QVERIFY(!r->xInterval().isValid());
        QVERIFY(!r->yInterval().isValid());
        QVERIFY(r->outline().isEmpty());
        QVERIFY(!r->hasData(0));
        QVERIFY(!r->isTooLarge());
    }

    XcThread horizontal;
    const QPolygonF square({QPointF(0, 0), QPointF(10, 0), QPointF(10, 10), QPointF(0, 10)});
    horizontal.setData(source.get(), square, 5.0, 1.0);
    runWorker(horizontal);
    QCOMPARE(horizontal.result().outline().size(), 4);
    horizontal.setData(empty.get(), square, 5.0, 1.0);
    QVERIFY(runWorker(horizontal).isEmpty());
    QCOMPARE(horizontal.result().values(), QVector<double>({-1.0}));
    QCOMPARE(horizontal.result().columns(), 1);
    QVERIFY(!horizontal.result().xInterval().isValid());
    QVERIFY(horizontal.result().outline().isEmpty());

    // No source at all is treated alike.
    horizontal.setData(nullptr, square, 5.0, 1.0);
    runWorker(horizontal);
    QCOMPARE(horizontal.result().values(), QVector<double>({-1.0}));
}

void SliceThreadTest::tooLarge()
{
    std::unique_ptr<XaThread> source = models();
    XbThread vertical;
    // Too many columns: refused before any model is read.
    vertical.setData(source.get(), QLineF(0, 0, 1e6, 0), 0.01);
    QVERIFY(runWorker(vertical).isEmpty());
    QVERIFY(vertical.result().isTooLarge());
    QCOMPARE(vertical.result().values(), QVector<double>({-1.0}));
    QCOMPARE(vertical.result().columns(), 1);
    QVERIFY(vertical.result().outline().isEmpty());
    // Columns within the cap but not columns times rows (10 m of height).
    vertical.setData(source.get(), QLineF(0, 0, 20, 0), 0.001);
    QCOMPARE(vertical.step(), 0.01);
    vertical.setData(source.get(), QLineF(0, 0, 20000, 0), 0.01);
    QVERIFY(runWorker(vertical).isEmpty());
    QVERIFY(vertical.result().isTooLarge());
    QCOMPARE(vertical.result().values().size(), 1);
    // 167 km at 0.01 m: 16.7 M columns fit the cap alone, not with the
    // 1000 rows of 10 m; refused without evaluating the surfaces all along.
    vertical.setData(source.get(), QLineF(0, 0, 167000, 0), 0.01);
    QVERIFY(runWorker(vertical).isEmpty());
    QVERIFY(vertical.result().isTooLarge());
    QCOMPARE(vertical.result().values().size(), 1);
    // The next slice that fits clears the flag.
    vertical.setData(source.get(), QLineF(0, 5, 10, 5), 1.0);
    runWorker(vertical);
    QVERIFY(!vertical.result().isTooLarge());
    QCOMPARE(vertical.result().values().size(), 100);
    // So does a line of more columns than are probed first, 1200 by 20.
    std::unique_ptr<XaThread> thin = models(0.0, 0.5, true);
    vertical.setData(thin.get(), QLineF(-5, 5, 25, 5), 0.025);
    runWorker(vertical);
    QVERIFY(!vertical.result().isTooLarge());
    QCOMPARE(vertical.result().columns(), 1200);
    QCOMPARE(vertical.result().values().size(), 1200 * 20);

    XcThread horizontal;
    // 2^24 cells exactly fit; one row more does not.
    horizontal.setData(source.get(), QPolygonF({QPointF(0, 0), QPointF(4096, 0), QPointF(1, 1), QPointF(0, 4096)}), -100.0, 1.0);
    QVERIFY(!runWorker(horizontal).isEmpty());
    QVERIFY(!horizontal.result().isTooLarge());
    QCOMPARE(horizontal.result().values().size(), 4096 * 4096);
    horizontal.setData(source.get(), QPolygonF({QPointF(0, 0), QPointF(4096, 0), QPointF(1, 1), QPointF(0, 4097)}), -100.0, 1.0);
    QVERIFY(runWorker(horizontal).isEmpty());
    QVERIFY(horizontal.result().isTooLarge());
    QCOMPARE(horizontal.result().values().size(), 1);
    horizontal.setData(source.get(), QPolygonF(QVector<QPointF>({QPointF(0, 0), QPointF(1e9, 1e9)})), 5.0, 0.01);
    runWorker(horizontal);
    QVERIFY(horizontal.result().isTooLarge());
}

void SliceThreadTest::threadCountDoesNotChangeRaster()
{
    // Rolling surfaces and a non-linear field make every cell differ.
    QList<Point3D> bottom;
    QList<Point3D> top;
    QList<double> samples;
    QRandomGenerator random(113);
    for (int k = 0; k < 600; ++k) {
        const double x = 40.0 * random.generateDouble();
        const double y = 40.0 * random.generateDouble();
        bottom.append(Point3D(x, y, std::sin(x / 5.0) * 2.0));
        top.append(Point3D(x, y, 10.0 + std::cos(y / 4.0) * 2.0));
    }
    for (int k = 0; k < 4000; ++k) {
        const double x = 40.0 * random.generateDouble();
        const double y = 40.0 * random.generateDouble();
        const double z = -2.0 + 14.0 * random.generateDouble();
        samples << x << y << z << std::sin(x / 3.0) * std::cos(z / 2.0) + y / 10.0;
    }
    XaThread source;
    source.setData(bottom, top, samples);
    source.start();
    source.wait();
    QVERIFY(source.lastRunCompleted());

    auto same = [](const SliceRasterData& a, const SliceRasterData& b) {
        return a.values().size() == b.values().size()
            && std::memcmp(a.values().constData(), b.values().constData(), sizeof(double) * a.values().size()) == 0
            && a.mask() == b.mask() && a.outline() == b.outline() && a.columns() == b.columns();
    };
    XbThread one;
    XbThread all;
    one.setThreadCount(1);
    const QLineF line(1.0, 2.0, 37.0, 31.0);
    one.setData(&source, line, 0.1);
    all.setData(&source, line, 0.1);
    const QList<int> progressOne = runWorker(one);
    const QList<int> progressAll = runWorker(all);
    QVERIFY(same(one.result(), all.result()));
    QCOMPARE(progressOne, progressAll);
    QCOMPARE(progressOne.size(), 101);

    XcThread horizontalOne;
    XcThread horizontalAll;
    horizontalOne.setThreadCount(1);
    horizontalAll.setThreadCount(5);
    const QPolygonF polygon({QPointF(1, 1), QPointF(39, 4), QPointF(30, 38), QPointF(3, 30)});
    horizontalOne.setData(&source, polygon, 6.0, 0.2);
    horizontalAll.setData(&source, polygon, 6.0, 0.2);
    runWorker(horizontalOne);
    runWorker(horizontalAll);
    QVERIFY(same(horizontalOne.result(), horizontalAll.result()));
    int filled = 0;
    for (bool b : horizontalAll.result().mask())
        filled += b;
    QVERIFY(filled > 10000);
}

void SliceThreadTest::cancelMidRun()
{
    std::unique_ptr<XaThread> source = models();
    XcThread worker;
    worker.setData(source.get(), QPolygonF({QPointF(0, 0), QPointF(20, 0), QPointF(20, 20), QPointF(0, 20)}), 5.0,
                   0.01);
    QList<int> progress;
    QObject context;
    connect(&worker, &XcThread::progress, &context, [&progress](int p) { progress.append(p); });
    worker.start();
    QTRY_VERIFY_WITH_TIMEOUT(!progress.isEmpty() && progress.last() >= 2, 60000);
    worker.requestInterruption();
    QVERIFY(worker.wait(2000));
    QCoreApplication::processEvents();
    QVERIFY(!progress.contains(100));
    // What was done so far is kept; the rest holds no data.
    const SliceRasterData& r = worker.result();
    QCOMPARE(r.values().size(), 2000 * 2000);
    int filled = 0;
    for (int index = 0; index < r.values().size(); ++index) {
        if (r.hasData(index))
            ++filled;
        else
            QCOMPARE(r.values().at(index), -1.0);
    }
    QVERIFY(filled > 0);
    QVERIFY(filled < 2000 * 2000 / 2);

    // The vertical worker stops alike.
    XbThread vertical;
    vertical.setData(source.get(), QLineF(0, 0, 25, 25), 0.01);
    QList<int> verticalProgress;
    connect(&vertical, &XbThread::progress, &context, [&verticalProgress](int p) { verticalProgress.append(p); });
    vertical.start();
    QTRY_VERIFY_WITH_TIMEOUT(!verticalProgress.isEmpty() && verticalProgress.last() >= 1, 60000);
    vertical.requestInterruption();
    QVERIFY(vertical.wait(2000));
    QCoreApplication::processEvents();
    QVERIFY(!verticalProgress.contains(100));
}

void SliceThreadTest::computesWithoutAThread()
{
    // The plain computation gives what the worker gives, with progress on
    // the calling thread, and a run cancelled from the start lays out nothing.
    const auto source = SliceTestModels::flatModels();
    const SliceComputation::Models models = SliceComputation::Models::of(source.get());
    const QPolygonF square({QPointF(0, 0), QPointF(6, 0), QPointF(6, 6), QPointF(0, 6)});
    SliceRasterData direct;
    QList<int> percents;
    SliceComputation::horizontal(models, square, 5.0, 0.5, 1, [] { return false; },
                                 [&percents](int percent) { percents.append(percent); }, direct);
    XcThread worker;
    worker.setThreadCount(1);
    worker.setData(source.get(), square, 5.0, 0.5);
    worker.start();
    QVERIFY(worker.wait(60000));
    QCOMPARE(direct.values(), worker.result().values());
    QCOMPARE(direct.mask(), worker.result().mask());
    QCOMPARE(percents.value(percents.size() - 1), 100);

    SliceRasterData cancelled;
    SliceComputation::vertical(models, QLineF(0, 0, 10, 10), 0.5, 1, [] { return true; },
                               ParallelLoop::ProgressFunction(), cancelled);
    QCOMPARE(cancelled.values(), QVector<double>({SliceRasterData::noData}));
    QVERIFY(!cancelled.isTooLarge());
    SliceComputation::vertical(SliceComputation::Models::of(nullptr), QLineF(0, 0, 10, 10), 0.5, 1,
                               [] { return false; }, ParallelLoop::ProgressFunction(), cancelled);
    QCOMPARE(cancelled.columns(), 1);
}

namespace {

// Starts a worker and deletes it, either at once (its thread may not have
// entered run() yet) or once it is in its cells. True when it was in them.
template <typename Worker>
bool startAndDelete(Worker* worker, bool inCells)
{
    std::atomic<bool> computing{false};
    QObject::connect(worker, &Worker::progress, worker, [&computing](int) { computing = true; }, Qt::DirectConnection);
    worker->start();
    QDeadlineTimer deadline(10000);
    while (inCells && !computing && !deadline.hasExpired())
        QThread::yieldCurrentThread();
    delete worker;
    return computing;
}

} // namespace

void SliceThreadTest::deletingRunningWorkers()
{
    // Each deletion must stop the worker before its inputs go: otherwise the
    // cells read a freed polygon or line, or a thread not yet in run() runs
    // an event loop that nothing ends.
    std::unique_ptr<XaThread> source = models();
    const QPolygonF square({QPointF(0, 0), QPointF(10, 0), QPointF(10, 10), QPointF(0, 10)});
    int inCells = 0;
    for (int i = 0; i < 400; ++i) {
        const bool waitForCells = i % 2 == 1;
        if (i % 4 < 2) {
            auto* worker = new XcThread;
            worker->setThreadCount(2);
            worker->setData(source.get(), square, 5.0, 0.01);
            inCells += startAndDelete(worker, waitForCells);
        } else {
            auto* worker = new XbThread;
            worker->setThreadCount(2);
            worker->setData(source.get(), QLineF(0, 0, 20, 20), 0.01);
            inCells += startAndDelete(worker, waitForCells);
        }
    }
    QVERIFY(inCells >= 200);
}

TUNDRACK_TEST(SliceThreadTest)
#include "slicethreadtest.moc"

#include "common/queuedsignalspy.h"
#include "common/testregistry.h"

#include "slices/xadialog.h"
#include "slices/xathread.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <cstring>
#include <utility>

namespace {

// A survey-shaped data set: records on lines, several samples per record.
struct Lists
{
    QList<Point3D> bottom;
    QList<Point3D> top;
    QList<double> samples;
};

Lists survey(int records, double topHeight, double valueOffset, quint32 seed)
{
    Lists lists;
    QRandomGenerator random(seed);
    const int perLine = qMax(1, int(std::sqrt(10.0 * records)));
    for (int r = 0; r < records; ++r) {
        const double x = r % perLine + 0.1 * random.generateDouble();
        const double y = 10.0 * (r / perLine) + 0.1 * random.generateDouble();
        const double top = topHeight + 0.01 * x;
        lists.top.append(Point3D(x, y, top));
        double z = top;
        for (int d = 0; d < 4; ++d) {
            z = top - 0.5 * (d + 1);
            lists.samples << x << y << z << valueOffset + std::sin(x / 5.0) + 0.1 * d;
        }
        lists.bottom.append(Point3D(x, y, z));
    }
    return lists;
}

// Runs the build to its end, with progress values collected in the GUI thread.
bool runBuild(XaThread& thread, QList<int>* progress = nullptr)
{
    QObject context;
    if (progress)
        QObject::connect(&thread, &XaThread::progress, &context, [progress](int p) { progress->append(p); });
    thread.start();
    // Waits for the thread itself, not for its finished signal: the caller
    // may start it again next. Only a hung build gives up.
    if (!thread.wait(10 * 60 * 1000))
        return false;
    QCoreApplication::processEvents();
    return true;
}

} // namespace

class XaThreadTest : public QObject
{
    Q_OBJECT

private slots:
    void progressInOrder();
    void valueInterval();
    void emptyListsKeepModels();
    void secondBuildReplacesAll();
    void cancelKeepsPreviousModels();
    void threadCountDoesNotChangeModels();
    void nonFiniteRowsLeftOut();
    void destroyWhileRunning();
};

void XaThreadTest::progressInOrder()
{
    XaThread thread;
    const Lists lists = survey(300, 100.0, 0.0, 1);
    thread.setData(lists.bottom, lists.top, lists.samples);
    QVERIFY(!thread.lastRunCompleted());
    QList<int> progress;
    QVERIFY(runBuild(thread, &progress));
    QCOMPARE(progress, QList<int>({25, 50, 75}));
    QVERIFY(thread.lastRunCompleted());
    QCOMPARE(thread.bottomModel().count(), qint64(300));
    QCOMPARE(thread.topModel().count(), qint64(300));
    QCOMPARE(thread.valueModel().count(), qint64(1200));
    QCOMPARE(thread.bottomModel().dimensions(), 2);
    QCOMPARE(thread.valueModel().dimensions(), 3);
    QCOMPARE(thread.valueModel().nq(), 16);
    QCOMPARE(thread.valueModel().nw(), 9);

    // The models answer at the data points.
    IdwModel::Scratch scratch;
    QCOMPARE(thread.topModel().value(scratch, lists.top.at(7).x(), lists.top.at(7).y()), lists.top.at(7).z());
    QCOMPARE(thread.valueModel().value(scratch, lists.samples.at(40), lists.samples.at(41), lists.samples.at(42)),
             lists.samples.at(43));
}

void XaThreadTest::valueInterval()
{
    XaThread thread;
    QVERIFY(!thread.valueInterval().isValid());
    QCOMPARE(thread.valueInterval().minValue(), 0.0);
    QCOMPARE(thread.valueInterval().maxValue(), -1.0);

    const Lists lists = survey(50, 100.0, 0.0, 2);
    // No samples: invalid interval, no value model.
    thread.setData(lists.bottom, lists.top, QList<double>());
    QVERIFY(runBuild(thread));
    QVERIFY(thread.lastRunCompleted());
    QVERIFY(!thread.valueInterval().isValid());
    QCOMPARE(thread.valueInterval().minValue(), 0.0);
    QCOMPARE(thread.valueInterval().maxValue(), -1.0);
    QVERIFY(thread.valueModel().isEmpty());
    QVERIFY(!thread.bottomModel().isEmpty());

    // One sample: a valid interval of one value; trailing partial quadruple ignored.
    thread.setData(lists.bottom, lists.top, QList<double>({1.0, 2.0, 3.0, 4.5, 9.0, 9.0}));
    QVERIFY(runBuild(thread));
    QVERIFY(thread.valueInterval().isValid());
    QCOMPARE(thread.valueInterval().minValue(), 4.5);
    QCOMPARE(thread.valueInterval().maxValue(), 4.5);
    QCOMPARE(thread.valueInterval().borderFlags(), QwtInterval::IncludeBorders);
    QCOMPARE(thread.valueModel().count(), qint64(1));

    // Many samples.
    thread.setData(lists.bottom, lists.top, QList<double>({0, 0, 0, 3.0, 1, 0, 0, -2.5, 0, 1, 0, 7.0, 1, 1, 1, 0.0}));
    QVERIFY(runBuild(thread));
    QCOMPARE(thread.valueInterval().minValue(), -2.5);
    QCOMPARE(thread.valueInterval().maxValue(), 7.0);
    QCOMPARE(thread.valueModel().count(), qint64(4));
}

void XaThreadTest::emptyListsKeepModels()
{
    XaThread thread;
    const Lists lists = survey(100, 100.0, 0.0, 3);
    thread.setData(lists.bottom, lists.top, lists.samples);
    QVERIFY(runBuild(thread));
    IdwModel::Scratch scratch;
    const double bottom = thread.bottomModel().value(scratch, 3.3, 4.4);
    const double top = thread.topModel().value(scratch, 3.3, 4.4);
    const double value = thread.valueModel().value(scratch, 3.3, 4.4, 99.0);

    thread.setData(QList<Point3D>(), QList<Point3D>(), QList<double>());
    QVERIFY(runBuild(thread));
    QVERIFY(thread.lastRunCompleted());
    QCOMPARE(thread.bottomModel().value(scratch, 3.3, 4.4), bottom);
    QCOMPARE(thread.topModel().value(scratch, 3.3, 4.4), top);
    QCOMPARE(thread.valueModel().value(scratch, 3.3, 4.4, 99.0), value);
    QVERIFY(!thread.valueInterval().isValid());
}

void XaThreadTest::secondBuildReplacesAll()
{
    XaThread thread;
    const Lists first = survey(100, 100.0, 0.0, 4);
    thread.setData(first.bottom, first.top, first.samples);
    QVERIFY(runBuild(thread));
    const quint64 serial = thread.runSerial();
    const QwtInterval interval = thread.valueInterval();

    const Lists second = survey(60, 50.0, 20.0, 5);
    thread.setData(second.bottom, second.top, second.samples);
    QCOMPARE(thread.runSerial(), serial + 1);
    QVERIFY(!thread.lastRunCompleted());
    QVERIFY(runBuild(thread));
    QVERIFY(thread.lastRunCompleted());
    QVERIFY(thread.valueInterval().minValue() > interval.maxValue());
    QCOMPARE(thread.bottomModel().count(), qint64(60));
    QCOMPARE(thread.topModel().count(), qint64(60));
    QCOMPARE(thread.valueModel().count(), qint64(240));
    IdwModel::Scratch scratch;
    QCOMPARE(thread.bottomModel().value(scratch, second.bottom.at(3).x(), second.bottom.at(3).y()),
             second.bottom.at(3).z());
    QCOMPARE(thread.topModel().value(scratch, second.top.at(3).x(), second.top.at(3).y()), second.top.at(3).z());
    QCOMPARE(thread.valueModel().value(scratch, second.samples.at(8), second.samples.at(9), second.samples.at(10)),
             second.samples.at(11));
}

void XaThreadTest::cancelKeepsPreviousModels()
{
    XaThread thread;
    const Lists small = survey(80, 100.0, 0.0, 6);
    thread.setData(small.bottom, small.top, small.samples);
    QVERIFY(runBuild(thread));
    const QwtInterval interval = thread.valueInterval();
    IdwModel::Scratch scratch;
    const double before = thread.valueModel().value(scratch, 5.0, 5.0, 99.0);
    auto unchanged = [&] {
        QVERIFY(!thread.lastRunCompleted());
        QCOMPARE(thread.valueInterval().minValue(), interval.minValue());
        QCOMPARE(thread.valueInterval().maxValue(), interval.maxValue());
        QCOMPARE(thread.bottomModel().count(), qint64(80));
        QCOMPARE(thread.topModel().count(), qint64(80));
        QCOMPARE(thread.valueModel().count(), qint64(320));
        QCOMPARE(thread.valueModel().value(scratch, 5.0, 5.0, 99.0), before);
    };

    // Sample columns make every value fit rank-deficient, and one fitting
    // thread keeps the value model's fitting under way well after its
    // kd-tree and progress 75.
    const Lists large = survey(60000, 10.0, 50.0, 7);
    thread.setData(large.bottom, large.top, large.samples);
    thread.setThreadCount(1);
    QList<int> progress;
    QObject context;
    connect(&thread, &XaThread::progress, &context, [&progress](int p) { progress.append(p); });
    QueuedSignalSpy finished(&thread, &QThread::finished);
    thread.start();
    QTRY_VERIFY_WITH_TIMEOUT(progress.contains(75), 60000);
    QTest::qWait(150);
    QVERIFY(thread.isRunning());

    QElapsedTimer timer;
    timer.start();
    thread.requestInterruption();
    QVERIFY(thread.wait(5000));
    QVERIFY2(timer.elapsed() < 100, qPrintable(QString("stopped after %1 ms").arg(timer.elapsed())));
    QVERIFY(finished.wait(1000) || finished.count() == 1);
    unchanged();

    // With every core the value model is built beside the surfaces. A
    // cancel while the surfaces are fitted stops that build too, long before
    // it would end.
    thread.setThreadCount(0);
    QElapsedTimer whole;
    whole.start();
    QVERIFY(runBuild(thread));
    const qint64 wholeBuild = whole.elapsed();
    QVERIFY(thread.lastRunCompleted());
    thread.setData(small.bottom, small.top, small.samples);
    QVERIFY(runBuild(thread));
    QCOMPARE(thread.valueModel().value(scratch, 5.0, 5.0, 99.0), before);

    thread.setData(large.bottom, large.top, large.samples);
    QElapsedTimer sinceCancel;
    QObject direct;
    connect(
        &thread, &XaThread::progress, &direct,
        [&thread, &sinceCancel](int p) {
            if (p == 50) {
                sinceCancel.start();
                thread.requestInterruption();
            }
        },
        Qt::DirectConnection);
    QVERIFY(runBuild(thread));
    const qint64 afterCancel = sinceCancel.elapsed();
    QVERIFY2(afterCancel < wholeBuild / 2,
             qPrintable(QString("stopped %1 ms after the cancel; a whole build takes %2 ms")
                            .arg(afterCancel)
                            .arg(wholeBuild)));
    unchanged();
}

void XaThreadTest::threadCountDoesNotChangeModels()
{
    // One thread builds the models one after another; more build the value
    // model beside the surfaces.
    const Lists lists = survey(4000, 100.0, 0.0, 9);
    XaThread single;
    single.setThreadCount(1);
    single.setData(lists.bottom, lists.top, lists.samples);
    QVERIFY(runBuild(single));
    QVERIFY(single.lastRunCompleted());
    for (int threads : {0, 3}) {
        XaThread parallel;
        parallel.setThreadCount(threads);
        parallel.setData(lists.bottom, lists.top, lists.samples);
        QVERIFY(runBuild(parallel));
        QVERIFY(parallel.lastRunCompleted());
        const std::pair<const IdwModel*, const IdwModel*> models[] = {
            {&single.bottomModel(), &parallel.bottomModel()},
            {&single.topModel(), &parallel.topModel()},
            {&single.valueModel(), &parallel.valueModel()}};
        for (const auto& [a, b] : models) {
            QCOMPARE(a->count(), b->count());
            const int m = IdwModel::coefficientCount(a->dimensions());
            for (qint64 i = 0; i < a->count(); ++i)
                if (std::memcmp(a->coefficients(i), b->coefficients(i), std::size_t(m) * sizeof(double)) != 0)
                    QFAIL(qPrintable(QString("%1 threads: node %2 of a %3-D model differs")
                                         .arg(threads)
                                         .arg(i)
                                         .arg(a->dimensions())));
        }
        QCOMPARE(parallel.valueInterval().minValue(), single.valueInterval().minValue());
        QCOMPARE(parallel.valueInterval().maxValue(), single.valueInterval().maxValue());
    }
}

void XaThreadTest::nonFiniteRowsLeftOut()
{
    XaThread thread;
    const double nan = std::nan("");
    QList<Point3D> bottom = {Point3D(0, 0, 1), Point3D(nan, 0, 1), Point3D(1, 0, 2), Point3D(0, 1, HUGE_VAL),
                             Point3D(1, 1, 3)};
    QList<Point3D> top = {Point3D(0, 0, 5), Point3D(1, 0, 6), Point3D(0, -HUGE_VAL, 1)};
    QList<double> samples = {0, 0, 0, 1.0, nan, 0, 0, 100.0, 1, 0, 0, 2.0, 0, 1, 0, HUGE_VAL, 1, 1, 1, -nan};
    thread.setData(bottom, top, samples);
    QVERIFY(runBuild(thread));
    QVERIFY(thread.lastRunCompleted());
    QCOMPARE(thread.bottomModel().count(), qint64(3));
    QCOMPARE(thread.topModel().count(), qint64(2));
    QCOMPARE(thread.valueModel().count(), qint64(2));
    QCOMPARE(thread.valueInterval().minValue(), 1.0);
    QCOMPARE(thread.valueInterval().maxValue(), 2.0);
    IdwModel::Scratch scratch;
    QCOMPARE(thread.bottomModel().value(scratch, 1.0, 1.0), 3.0);

    // Nothing usable at all: the interval is invalid and the models stay.
    thread.setData({Point3D(nan, 0, 0)}, {Point3D(0, nan, 0)}, {nan, nan, nan, nan});
    QVERIFY(runBuild(thread));
    QVERIFY(thread.lastRunCompleted());
    QVERIFY(!thread.valueInterval().isValid());
    QCOMPARE(thread.bottomModel().count(), qint64(3));
    QCOMPARE(thread.topModel().count(), qint64(2));
    QCOMPARE(thread.valueModel().count(), qint64(2));
}

void XaThreadTest::destroyWhileRunning()
{
    const Lists large = survey(30000, 10.0, 0.0, 8);
    QElapsedTimer timer;
    {
        XaThread thread;
        thread.setData(large.bottom, large.top, large.samples);
        thread.start();
        QTest::qWait(50);
        timer.start();
    }
    // The destructor interrupted and waited; nothing is left running.
    QVERIFY(timer.elapsed() < 5000);
}

class XaDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void form();
    void cancelWhileRunning();
    void noCancelAfterFinish();
};

void XaDialogTest::form()
{
    XaDialog dialog;
    QCOMPARE(dialog.objectName(), QString("UIXaDialog"));
    QCOMPARE(dialog.windowFlags() & ~Qt::WindowType_Mask, Qt::CustomizeWindowHint);
    QVERIFY(dialog.isModal());
    QVERIFY(dialog.windowTitle().isEmpty());
    QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
    QCOMPARE(dialog.size(), dialog.sizeHint());
    QCOMPARE(dialog.progressBar->value(), 0);
    QVERIFY(!dialog.progressBar->isTextVisible());
    QCOMPARE(dialog.buttonBox->standardButtons(), QDialogButtonBox::Cancel);
    QVERIFY(!dialog.isRunning());

    dialog.setProgress(50);
    QCOMPARE(dialog.progressBar->value(), 50);
    dialog.setRunning(true);
    QCOMPARE(dialog.progressBar->value(), 0);
    dialog.setProgress(75);
    dialog.setRunning(false);
    QCOMPARE(dialog.progressBar->value(), 75);
}

void XaDialogTest::cancelWhileRunning()
{
    {
        XaDialog dialog;
        QSignalSpy canceled(&dialog, &XaDialog::canceled);
        dialog.setRunning(true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Cancel), Qt::LeftButton);
        QCOMPARE(canceled.count(), 1);
        QVERIFY(!dialog.isVisible());
        // Closing it again does not cancel twice.
        dialog.close();
        dialog.reject();
        QCOMPARE(canceled.count(), 1);
    }
    {
        XaDialog dialog;
        QSignalSpy canceled(&dialog, &XaDialog::canceled);
        dialog.setRunning(true);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QCOMPARE(canceled.count(), 1);
        QVERIFY(!dialog.isVisible());
    }
}

void XaDialogTest::noCancelAfterFinish()
{
    XaDialog dialog;
    QSignalSpy canceled(&dialog, &XaDialog::canceled);
    dialog.setRunning(true);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    // The build finished: the owner clears the flag, then closes.
    dialog.setRunning(false);
    dialog.close();
    QVERIFY(!dialog.isVisible());
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::mouseClick(dialog.buttonBox->button(QDialogButtonBox::Cancel), Qt::LeftButton);
    QCOMPARE(canceled.count(), 0);
}

TUNDRACK_TEST(XaThreadTest)
TUNDRACK_TEST(XaDialogTest)
#include "xathreadtest.moc"

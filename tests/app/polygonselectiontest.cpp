#include "common/sessionwriter.h"
#include "common/testregistry.h"

#include "app/polygonselection.h"
#include "survey/trackblocklist.h"

#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#include <QTemporaryDir>
#include <QTest>

namespace {

// A track whose records sit at the given (x, y), one per second from t0.
Track trackAt(const QList<QPointF>& points, const QList<qint64>& msecs = {})
{
    Track track;
    track.setProbeId(ProbeId(0, 0));
    const QDateTime t0(QDate(2026, 5, 1), QTime(12, 0), Qt::UTC);
    for (int i = 0; i < points.size(); ++i) {
        TrackRecord record;
        record.setPosition(Point3D(points.at(i).x(), points.at(i).y(), 100.0 + i));
        record.setData(QByteArray(1, char(i)));
        record.setTime(t0.addMSecs(msecs.isEmpty() ? i * 1000 : msecs.at(i)));
        track.appendRecord(record);
    }
    return track;
}

QList<QPointF> line(int count, double y, double step = 10.0)
{
    QList<QPointF> points;
    for (int i = 0; i < count; ++i)
        points.append(QPointF(i * step, y));
    return points;
}

QPolygonF box(double x0, double y0, double x1, double y1)
{
    return QPolygonF({QPointF(x0, y0), QPointF(x1, y0), QPointF(x1, y1), QPointF(x0, y1)});
}

Point3D position(TrackBlockList& list, int block, int entry, int record)
{
    return list.block(block).entry(entry).track().records().at(record).position();
}

} // namespace

class PolygonSelectionTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    // Loads one block with the given tracks into the list.
    void load(TrackBlockList& list, const QList<Track>& tracks)
    {
        const QString path = m_dir.filePath(QStringLiteral("b%1.kv").arg(++m_files));
        QVERIFY(SessionWriter::write(path, {}, tracks));
        QVERIFY(list.loadSession(path));
    }

private slots:
    void selectsInsideEnabledEntriesOnly()
    {
        TrackBlockList list;
        load(list, {trackAt(line(10, 0)), trackAt(line(10, 5))});
        load(list, {trackAt(line(10, 2)), trackAt(line(10, 3))});
        load(list, {trackAt(line(10, 1))});
        list.block(1).entry(1).setEnabled(false);
        list.block(2).setEnabled(false);

        // x from 15 to 45 and y from 0 to 5 (lower and left edges count as
        // inside, upper and right ones do not).
        const PolygonSelection selection = PolygonSelection::select(list, box(15, 0, 45, 5));
        QVERIFY(!selection.isEmpty());
        QCOMPARE(selection.records().keys(), (QList<int>{0, 1}));
        QCOMPARE(selection.records().value(0).keys(), QList<int>{0});
        QCOMPARE(selection.records().value(0).value(0), (QVector<int>{2, 3, 4}));
        QCOMPARE(selection.records().value(1).keys(), QList<int>{0});
        QCOMPARE(selection.records().value(1).value(0), (QVector<int>{2, 3, 4}));
        QCOMPARE(selection.first().block, 0);
        QCOMPARE(selection.first().record, 2);
        QCOMPARE(selection.last().block, 1);
        QCOMPARE(selection.last().entry, 0);
        QCOMPARE(selection.last().record, 4);

        QVERIFY(PolygonSelection::select(list, box(1000, 1000, 1010, 1010)).isEmpty());
        QVERIFY(PolygonSelection::select(list, QPolygonF()).isEmpty());
    }

    void deleteRemovesTheSelectedRecords()
    {
        QwtPlot plot;
        TrackBlockList list;
        load(list, {trackAt(line(10, 0)), trackAt(line(10, 1))});
        for (int e = 0; e < 2; ++e) {
            auto* curve = new QwtPlotCurve;
            curve->attach(&plot);
            auto* fixed = new QwtPlotCurve;
            fixed->attach(&plot);
            list.block(0).entry(e).setCurve(curve);
            list.block(0).entry(e).setFixedCurve(fixed);
        }
        // Records 2 to 4 of both tracks of the block.
        const PolygonSelection selection = PolygonSelection::select(list, box(15, -1, 45, 2));
        selection.deleteRecords(list);
        for (int e = 0; e < 2; ++e) {
            const QList<TrackRecord>& records = list.block(0).entry(e).track().records();
            QCOMPARE(records.size(), 7);
            QCOMPARE(records.at(1).position().x(), 10.0);
            QCOMPARE(records.at(2).position().x(), 50.0);
            QCOMPARE(records.at(2).data(), QByteArray(1, char(5)));
            QCOMPARE(int(list.block(0).entry(e).curve()->dataSize()), 7);
        }
    }

    void fixPlacesRecordsByTime()
    {
        // Records 3 to 5 of ten, off the line, go between records 2 and 6.
        QList<QPointF> points = line(10, 0);
        points[2] = QPointF(20, 2);
        points[3] = QPointF(30, 50);
        points[4] = QPointF(40, 60);
        points[5] = QPointF(50, 55);
        points[6] = QPointF(60, 10);
        // Times (ms): record 4 comes late, so it lands beyond the middle.
        QwtPlot plot;
        TrackBlockList list;
        load(list, {trackAt(points, {0, 1000, 2000, 3000, 5000, 5000, 6000, 7000, 8000, 9000})});
        auto* curve = new QwtPlotCurve;
        curve->attach(&plot);
        auto* fixed = new QwtPlotCurve;
        fixed->attach(&plot);
        list.block(0).entry(0).setCurve(curve);
        list.block(0).entry(0).setFixedCurve(fixed);

        const PolygonSelection selection = PolygonSelection::select(list, box(25, 40, 55, 70));
        QCOMPARE(selection.records().value(0).value(0), (QVector<int>{3, 4, 5}));
        selection.fixRecords(list);
        // dx = 40, dy = 8, dt = 4000 ms from record 2 at (20, 2).
        QCOMPARE(position(list, 0, 0, 3).x(), 30.0);
        QCOMPARE(position(list, 0, 0, 3).y(), 4.0);
        QCOMPARE(position(list, 0, 0, 4).x(), 50.0);
        QCOMPARE(position(list, 0, 0, 4).y(), 8.0);
        QCOMPARE(position(list, 0, 0, 5).x(), 50.0);
        QCOMPARE(position(list, 0, 0, 5).y(), 8.0);
        // Heights, times and raw bytes stay; anchors stay; the fixed flag shows.
        QCOMPARE(position(list, 0, 0, 4).z(), 104.0);
        const QList<TrackRecord>& records = list.block(0).entry(0).track().records();
        QCOMPARE(records.at(4).data(), QByteArray(1, char(4)));
        QVERIFY(records.at(3).isFixed() && records.at(4).isFixed() && records.at(5).isFixed());
        QVERIFY(!records.at(2).isFixed() && !records.at(6).isFixed());
        QCOMPARE(position(list, 0, 0, 2).y(), 2.0);
        QCOMPARE(int(fixed->dataSize()), 3);
        QCOMPARE(fixed->sample(1), QPointF(50, 8));
        QCOMPARE(curve->sample(3), QPointF(30, 4));
    }

    void fixAtTheEndsUsesTheRecordsThemselves()
    {
        // Every record selected: records 0 and 9 are the anchors and stay,
        // apart from the single-precision rounding of their coordinates.
        QList<QPointF> points;
        for (int i = 0; i < 10; ++i)
            points.append(QPointF(0.1 + i, i == 5 ? 7.3 : 0.3));
        TrackBlockList list;
        load(list, {trackAt(points)});
        PolygonSelection::select(list, box(-1, -1, 20, 20)).fixRecords(list);
        QCOMPARE(position(list, 0, 0, 0).x(), double(float(0.1)));
        QCOMPARE(position(list, 0, 0, 0).y(), double(float(0.3)));
        QCOMPARE(position(list, 0, 0, 9).x(), double(float(9.1)));
        const float x0 = float(0.1);
        const float dx = float(9.1) - x0;
        const float dy = float(0.3) - float(0.3);
        QCOMPARE(position(list, 0, 0, 5).x(), double(dx * float(5000) / float(9000) + x0));
        QCOMPARE(position(list, 0, 0, 5).y(), double(float(5000) * dy / float(9000) + float(0.3)));
        for (const TrackRecord& record : list.block(0).entry(0).track().records())
            QVERIFY(record.isFixed());
    }

    void fixWithEqualAnchorTimes()
    {
        // Anchors at the same time: dt counts as 1 ms.
        TrackBlockList list;
        load(list, {trackAt({QPointF(0, 0), QPointF(5, 5), QPointF(10, 0)}, {1000, 1002, 1000})});
        PolygonSelection::select(list, box(4, 4, 6, 6)).fixRecords(list);
        QCOMPARE(position(list, 0, 0, 1).x(), 20.0);
        QCOMPARE(position(list, 0, 0, 1).y(), 0.0);
    }

    void fixAcrossEntriesUsesOneLine()
    {
        // Selection from the last record of one track to the first of the
        // next: start is the record before the first, end the one after the last.
        TrackBlockList list;
        load(list, {trackAt({QPointF(0, 0), QPointF(10, 0), QPointF(20, 9)}, {0, 1000, 2000}),
                    trackAt({QPointF(30, 9), QPointF(40, 0)}, {3000, 4000})});
        const PolygonSelection selection = PolygonSelection::select(list, box(15, 5, 35, 12));
        QCOMPARE(selection.records().value(0).keys(), (QList<int>{0, 1}));
        selection.fixRecords(list);
        // From (10, 0) at 1000 ms to (40, 0) at 4000 ms.
        QCOMPARE(position(list, 0, 0, 2).x(), 20.0);
        QCOMPARE(position(list, 0, 0, 2).y(), 0.0);
        QCOMPARE(position(list, 0, 1, 0).x(), 30.0);
        QCOMPARE(position(list, 0, 1, 0).y(), 0.0);
        QCOMPARE(position(list, 0, 0, 1).x(), 10.0);
    }

    void fixAtTheStartOfATrack()
    {
        TrackBlockList list;
        load(list, {trackAt({QPointF(0, 8), QPointF(10, 8), QPointF(20, 0), QPointF(30, 0)})});
        PolygonSelection::select(list, box(-1, 7, 11, 9)).fixRecords(list);
        // Start is record 0 itself; end is record 2 at 2000 ms.
        QCOMPARE(position(list, 0, 0, 0).y(), 8.0);
        QCOMPARE(position(list, 0, 0, 1).x(), 10.0);
        QCOMPARE(position(list, 0, 0, 1).y(), 4.0);
    }
};

TUNDRACK_TEST(PolygonSelectionTest)
#include "polygonselectiontest.moc"

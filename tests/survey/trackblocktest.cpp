#include "common/bytebuilder.h"
#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "survey/trackblocklist.h"

#include <qwt_plot.h>
#include <qwt_plot_curve.h>

#include <QTest>

using TestSupport::streamed;
using TestSupport::unstreamed;

namespace {

TrackBlockEntry makeEntry(const QString& name, const QList<Point3D>& positions)
{
    Track track;
    track.setProbeId(ProbeId(0, 0));
    for (const Point3D& p : positions) {
        TrackRecord record;
        record.setPosition(p);
        track.appendRecord(record);
    }
    TrackBlockEntry entry;
    entry.setName(name);
    entry.setTrack(track);
    return entry;
}

QwtPlotCurve* attachedCurve(QwtPlot& plot)
{
    auto* curve = new QwtPlotCurve;
    curve->attach(&plot);
    return curve;
}

} // namespace

class TrackBlockTest : public QObject
{
    Q_OBJECT

private slots:
    void entryAndBlockBytes()
    {
        TrackBlockEntry entry = makeEntry(QStringLiteral("Track 1"), {Point3D(1, 2, 3)});
        entry.setEnabled(false);
        const QByteArray entryBytes = ByteBuilder()
                                          .u8(0)
                                          .string(QStringLiteral("Track 1"))
                                          .raw(streamed(entry.track()))
                                          .bytes();
        QCOMPARE(streamed(entry), entryBytes);

        TrackBlock block;
        block.setName(QStringLiteral("a.kv"));
        block.info().insert(QStringLiteral("alpha"), QStringLiteral("1"));
        block.info().insert(QStringLiteral("beta"), QStringLiteral("2"));
        block.setOrigin(Point3D(5, 6, 7));
        block.appendEntry(entry);
        block.markDeleted();
        // The pair of the greater key is written first.
        const QByteArray blockBytes = ByteBuilder()
                                          .u8(1)
                                          .u8(1)
                                          .string(QStringLiteral("a.kv"))
                                          .u32(2)
                                          .string(QStringLiteral("beta"))
                                          .string(QStringLiteral("2"))
                                          .string(QStringLiteral("alpha"))
                                          .string(QStringLiteral("1"))
                                          .point(5, 6, 7)
                                          .u32(1)
                                          .raw(entryBytes)
                                          .bytes();
        QCOMPARE(streamed(block), blockBytes);

        TrackBlockList list;
        QCOMPARE(streamed(list), QByteArray(4, '\0'));
    }

    void listRoundTrip()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.kv"));
        QList<Track> tracks;
        tracks << SessionWriter::track(ProbeId(0, 0), QByteArray("\1\2\3\4\5", 5),
                                       {SessionWriter::simulatorRecord({1, 2, 3, 4, 5}, {1, 1, 1, 1, 1}),
                                        SessionWriter::simulatorRecord({-1, 2, 3, 4, 5}, {1, 0, 1, 0, 1})});
        tracks << SessionWriter::track(ProbeId(1, 0), QByteArray(360, '\1'), {QByteArray(176, '\0')}, 10, 2);
        QVERIFY(SessionWriter::write(path, {{QStringLiteral("latitude"), QStringLiteral("59.5")}}, tracks));

        TrackBlockList list;
        QVERIFY(list.loadSession(path));
        QVERIFY(list.loadSession(path));
        list.block(0).setEnabled(false);
        list.block(1).entry(1).setEnabled(false);
        list.block(1).setOrigin(Point3D(1, 2, 3));
        list.block(1).entry(0).track().records()[0].setFixed();

        TrackBlockList read;
        QVERIFY(unstreamed(streamed(list), read));
        QCOMPARE(read.count(), 2);
        QVERIFY(!read.block(0).isEnabled());
        QVERIFY(read.block(1).isEnabled());
        QVERIFY(read.block(1).entry(0).isEnabled());
        QVERIFY(!read.block(1).entry(1).isEnabled());
        QCOMPARE(read.block(1).origin().z(), 3.0);
        QCOMPARE(read.block(0).name(), QStringLiteral("s.kv"));
        QCOMPARE(read.block(0).info().value(QStringLiteral("latitude")), QStringLiteral("59.5"));
        QCOMPARE(read.block(1).entry(1).name(), QStringLiteral("Track 2"));
        QCOMPARE(read.block(1).entry(1).track().probeId(), ProbeId(1, 0));
        QCOMPARE(read.block(1).entry(1).track().records().at(0).position().y(), 10.0);
        QCOMPARE(read.block(1).entry(0).track().records().size(), 2);
        QVERIFY(!read.block(1).entry(0).track().records().at(0).isFixed());
        QVERIFY(read.block(1).entry(0).curve() == nullptr);
        QCOMPARE(streamed(read), streamed(list));

        // A truncated list stream empties the list and keeps the error.
        const QByteArray bytes = streamed(list);
        for (int cut : {3, 10, bytes.size() / 2, bytes.size() - 1}) {
            TrackBlockList cutRead;
            QVERIFY(unstreamed(streamed(list), cutRead));
            QVERIFY2(!unstreamed(bytes.left(cut), cutRead), qPrintable(QString::number(cut)));
            QCOMPARE(cutRead.count(), 0);
        }
        // A damaged block count fails fast and allocates nothing for it.
        TrackBlockList huge;
        QVERIFY(!unstreamed(ByteBuilder().u32(0x7FFFFFFF).u8(0).bytes(), huge));
        QCOMPARE(huge.count(), 0);
    }

    void clampedAccess()
    {
        TrackBlock block;
        QCOMPARE(&block.entry(0), &emptyTrackBlockEntry);
        QCOMPARE(&block.entry(-3), &emptyTrackBlockEntry);
        block.appendEntry(makeEntry(QStringLiteral("a"), {}));
        block.appendEntry(makeEntry(QStringLiteral("b"), {}));
        block.appendEntry(makeEntry(QStringLiteral("c"), {}));
        QCOMPARE(block.entry(-5).name(), QStringLiteral("a"));
        QCOMPARE(block.entry(99).name(), QStringLiteral("c"));
        QCOMPARE(block.entry(1).name(), QStringLiteral("b"));

        TrackBlockList list;
        QCOMPARE(&list.block(0), &emptyTrackBlock);
        QCOMPARE(&list.block(100000), &emptyTrackBlock);
        QVERIFY(emptyTrackBlock.isEnabled());
        QVERIFY(!emptyTrackBlock.isDeleted());
        QCOMPARE(emptyTrackBlock.entryCount(), 0);
    }

    void addressesStayPut()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.kv"));
        QList<Track> tracks;
        tracks << SessionWriter::track(ProbeId(0, 0), QByteArray("\1\1\1\1\1", 5),
                                       {SessionWriter::simulatorRecord({1, 1, 1, 1, 1}, {1, 1, 1, 1, 1})});
        QVERIFY(SessionWriter::write(path, {}, tracks));
        TrackBlockList list;
        QVERIFY(list.loadSession(path));
        QVERIFY(list.loadSession(path));
        QVERIFY(list.loadSession(path));
        TrackBlock* third = &list.block(2);
        TrackBlockEntry* thirdEntry = &list.block(2).entry(0);
        for (int i = 0; i < 20; ++i)
            QVERIFY(list.loadSession(path));
        list.block(0).markDeleted();
        list.block(1).markDeleted();
        list.block(5).markDeleted();
        list.removeDeleted();
        QCOMPARE(list.count(), 20);
        QCOMPARE(&list.block(0), third);
        QCOMPARE(&list.block(0).entry(0), thirdEntry);
    }

    void probeIds()
    {
        TrackBlockList list;
        QVERIFY(list.probeIds().isEmpty());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.kv"));
        QList<Track> tracks;
        tracks << SessionWriter::track(ProbeId(0, 0), {}, {QByteArray(1, '\0')});
        tracks << SessionWriter::track(ProbeId(7, 7), {}, {QByteArray(1, '\0')});
        tracks << SessionWriter::track(ProbeId(1, 0), {}, {});  // no records: no entry
        QVERIFY(SessionWriter::write(path, {}, tracks));
        QVERIFY(list.loadSession(path));
        list.block(0).setEnabled(false);
        list.block(0).entry(1).setEnabled(false);
        // Disabled blocks and entries count too.
        QCOMPARE(list.probeIds(), (QSet<ProbeId>{ProbeId(0, 0), ProbeId(7, 7)}));
    }

    void transforms()
    {
        TrackBlock block;
        block.appendEntry(makeEntry(QStringLiteral("a"), {Point3D(1, 0, 7), Point3D(2, 3, 4)}));
        auto position = [&block](int record) { return block.entry(0).track().records().at(record).position(); };

        // Moves of at most 1 mm on every axis change nothing.
        QVERIFY(!block.moveTo(Point3D(0.001, -0.001, 0.001)));
        QCOMPARE(block.origin().x(), 0.0);
        QCOMPARE(position(0).x(), 1.0);
        QVERIFY(block.moveTo(Point3D(0, 0.0011, 0)));
        QCOMPARE(block.origin().y(), 0.0011);
        QCOMPARE(position(0).y(), 0.0011);
        QCOMPARE(position(1).y(), 3.0011);
        QVERIFY(block.moveTo(Point3D(0, 0, 0)));
        QCOMPARE(position(1).y(), 3.0);

        QVERIFY(!block.scale(1, 1));
        QVERIFY(!block.scale(0, 2));
        QVERIFY(!block.scale(2, -1));
        QVERIFY(!block.scale(qQNaN(), 2));
        QVERIFY(block.scale(1, 2));
        QCOMPARE(position(1).x(), 2.0);
        QCOMPARE(position(1).y(), 6.0);
        QCOMPARE(position(1).z(), 4.0);

        // Scaling and rotation are about the origin, which stays.
        block.setOrigin(Point3D(1, 1, 0));
        QVERIFY(block.scale(3, 0.5));
        QCOMPARE(position(1).x(), 4.0);
        QCOMPARE(position(1).y(), 3.5);
        QCOMPARE(block.origin().x(), 1.0);

        // Rotation is counter-clockwise about the origin in the plane.
        TrackBlock turned;
        turned.appendEntry(makeEntry(QStringLiteral("r"), {Point3D(1, 0, 7)}));
        auto turnedPosition = [&turned]() { return turned.entry(0).track().records().at(0).position(); };
        QVERIFY(turned.rotate(90));
        QVERIFY(qAbs(turnedPosition().x() - 0.0) < 1e-12);
        QVERIFY(qAbs(turnedPosition().y() - 1.0) < 1e-12);
        QCOMPARE(turnedPosition().z(), 7.0);
        QVERIFY(turned.rotate(0));
        QVERIFY(qAbs(turnedPosition().y() - 1.0) < 1e-12);
        turned.setOrigin(Point3D(1, 1, 5));
        QVERIFY(turned.rotate(-90));
        QVERIFY(qAbs(turnedPosition().x() - 1.0) < 1e-12);
        QVERIFY(qAbs(turnedPosition().y() - 2.0) < 1e-12);
        QCOMPARE(turned.origin().z(), 5.0);

        // The empty block has nothing to move but still takes the origin.
        TrackBlock empty;
        QVERIFY(empty.moveTo(Point3D(5, 0, 0)));
        QCOMPARE(empty.origin().x(), 5.0);
    }

    void transformsRefuseNonFiniteResults()
    {
        TrackBlock block;
        block.appendEntry(makeEntry(QStringLiteral("a"), {Point3D(1, 2, 3)}));
        block.appendEntry(makeEntry(QStringLiteral("b"), {Point3D(1.5e308, 1.5e308, 0)}));
        // One record would overflow: no record moves, not even the others.
        QVERIFY(!block.scale(10, 1));
        QVERIFY(!block.moveTo(Point3D(1e308, 0, 0)));
        QVERIFY(!block.rotate(45));
        QCOMPARE(block.entry(0).track().records().at(0).position().x(), 1.0);
        QCOMPARE(block.entry(1).track().records().at(0).position().x(), 1.5e308);
        QCOMPARE(block.origin().x(), 0.0);
        // A non-finite origin is refused even where no record would show it.
        TrackBlock empty;
        QVERIFY(!empty.moveTo(Point3D(0, qQNaN(), 0)));
        QCOMPARE(empty.origin().y(), 0.0);
    }

    void curvesFollowFlagsAndTransforms()
    {
        QwtPlot plot;
        TrackBlock block;
        block.appendEntry(makeEntry(QStringLiteral("a"), {Point3D(0, 0, 0), Point3D(1, 1, 0), Point3D(2, 0, 0)}));
        block.appendEntry(makeEntry(QStringLiteral("b"), {Point3D(5, 5, 0)}));
        for (int i = 0; i < 2; ++i) {
            block.entry(i).setCurve(attachedCurve(plot));
            block.entry(i).setFixedCurve(attachedCurve(plot));
        }
        QwtPlotCurve* curve = block.entry(0).curve();
        QwtPlotCurve* fixed = block.entry(0).fixedCurve();
        QCOMPARE(int(curve->dataSize()), 3);
        QCOMPARE(int(fixed->dataSize()), 0);

        block.entry(0).track().records()[1].setFixed();
        block.entry(0).updateCurves();
        QCOMPARE(int(fixed->dataSize()), 1);
        QCOMPARE(fixed->sample(0), QPointF(1, 1));

        QVERIFY(block.moveTo(Point3D(10, 0, 0)));
        QCOMPARE(curve->sample(2), QPointF(12, 0));
        QCOMPARE(fixed->sample(0), QPointF(11, 1));

        // Disabling the block hides every curve; enabling shows only enabled entries.
        block.entry(1).setEnabled(false);
        QVERIFY(!block.entry(1).curve()->isVisible());
        block.setEnabled(false);
        QVERIFY(!curve->isVisible());
        QVERIFY(!fixed->isVisible());
        block.setEnabled(true);
        QVERIFY(curve->isVisible());
        QVERIFY(fixed->isVisible());
        QVERIFY(!block.entry(1).curve()->isVisible());
        QVERIFY(!block.entry(1).fixedCurve()->isVisible());
        QVERIFY(block.entry(1).isEnabled() == false);

        // A copy takes the data but never the curves.
        TrackBlockEntry copy(block.entry(0));
        QVERIFY(copy.curve() == nullptr);
        QVERIFY(copy.fixedCurve() == nullptr);
        QCOMPARE(copy.track().records().size(), 3);
    }

    void copiesNeverTakeCurves()
    {
        QwtPlot plot;
        TrackBlock block;
        block.appendEntry(makeEntry(QStringLiteral("a"), {Point3D(1, 2, 3)}));
        block.appendEntry(makeEntry(QStringLiteral("b"), {Point3D(4, 5, 6), Point3D(7, 8, 9)}));
        for (int i = 0; i < 2; ++i) {
            block.entry(i).setCurve(attachedCurve(plot));
            block.entry(i).setFixedCurve(attachedCurve(plot));
        }
        TrackBlockEntry* first = &block.entry(0);
        QwtPlotCurve* curve = first->curve();
        QwtPlotCurve* fixed = first->fixedCurve();
        {
            TrackBlock copy(block);
            // Asking the original for an entry, as every row does, leaves it
            // where it was and with its curves.
            QCOMPARE(&block.entry(0), first);
            QCOMPARE(block.entry(0).curve(), curve);
            QCOMPARE(block.entry(0).fixedCurve(), fixed);
            QCOMPARE(copy.entry(1).track().records().size(), 2);
            for (int i = 0; i < 2; ++i)
                QVERIFY(!copy.entry(i).curve() && !copy.entry(i).fixedCurve());

            // Assigning releases the target's own curves and takes none.
            TrackBlock other;
            other.appendEntry(makeEntry(QStringLiteral("c"), {}));
            other.entry(0).setCurve(attachedCurve(plot));
            other = block;
            QCOMPARE(other.entryCount(), 2);
            QVERIFY(!other.entry(0).curve());
            QCOMPARE(block.entry(0).curve(), curve);
        }
        // Destroying the copies deleted nothing of the original's.
        const QwtPlotItemList items = plot.itemList(QwtPlotItem::Rtti_PlotCurve);
        QCOMPARE(items.size(), 4);
        QVERIFY(items.contains(curve) && items.contains(fixed));
    }

    void removingBlocksReleasesBothCurves()
    {
        QwtPlot plot;
        TrackBlockList list;
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("s.kv"));
        QVERIFY(SessionWriter::write(path, {}, {SessionWriter::track(ProbeId(0, 0), {}, {QByteArray(1, 'x')})}));
        QVERIFY(list.loadSession(path));
        QVERIFY(list.loadSession(path));
        for (int b = 0; b < 2; ++b) {
            list.block(b).entry(0).setCurve(attachedCurve(plot));
            list.block(b).entry(0).setFixedCurve(attachedCurve(plot));
        }
        QCOMPARE(plot.itemList(QwtPlotItem::Rtti_PlotCurve).size(), 4);
        // Handing an entry new curves releases the ones it held.
        list.block(0).entry(0).setCurve(attachedCurve(plot));
        list.block(0).entry(0).setFixedCurve(attachedCurve(plot));
        QCOMPARE(plot.itemList(QwtPlotItem::Rtti_PlotCurve).size(), 4);
        QwtPlotCurve* kept = list.block(1).entry(0).curve();
        list.block(0).markDeleted();
        list.removeDeleted();
        const QwtPlotItemList items = plot.itemList(QwtPlotItem::Rtti_PlotCurve);
        QCOMPARE(items.size(), 2);
        QVERIFY(items.contains(kept));
    }

    void entryWithoutCurves()
    {
        // Everything that touches curves is safe before the curves exist.
        TrackBlockEntry entry = makeEntry(QStringLiteral("a"), {Point3D(1, 1, 1)});
        entry.setEnabled(false);
        entry.applyHidden(true);
        entry.updateCurves();
        entry.transform([](const Point3D& p) { return Point3D(p.x() * 2, p.y() + 1, p.z()); });
        QCOMPARE(entry.track().records().size(), 1);
        QCOMPARE(entry.track().records().at(0).position().x(), 2.0);
    }
};

TUNDRACK_TEST(TrackBlockTest)
#include "trackblocktest.moc"

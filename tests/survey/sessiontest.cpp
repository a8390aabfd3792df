#include "common/bytebuilder.h"
#include "common/exhaustingdevice.h"
#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "survey/readbytearray.h"
#include "survey/trackblocklist.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray simRecord(int v)
{
    return SessionWriter::simulatorRecord({v, v, v, v, v}, {1, 1, 1, 1, 1});
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

class SessionTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void entriesAreNamedSkippingEmptyTracks()
    {
        const Track empty = SessionWriter::track(ProbeId(0, 0), {}, {});
        const Track a = SessionWriter::track(ProbeId(0, 0), QByteArray("\1\2\3\4\5", 5), {simRecord(1)});
        const Track b = SessionWriter::track(ProbeId(0, 0), {}, {simRecord(2), simRecord(3)});
        const Track c = SessionWriter::track(ProbeId(1, 0), {}, {QByteArray(176, '\0')});
        QMap<QString, QString> info{{QStringLiteral("latitude"), QStringLiteral("60.1")}};
        QVERIFY(SessionWriter::write(path(QStringLiteral("line 7.kv")), info, {a, empty, b, c}));

        TrackBlockList list;
        QVERIFY(list.loadSession(path(QStringLiteral("line 7.kv"))));
        QCOMPARE(list.count(), 1);
        TrackBlock& block = list.block(0);
        QCOMPARE(block.name(), QStringLiteral("line 7.kv"));
        QCOMPARE(block.info(), info);
        QVERIFY(block.isEnabled());
        QVERIFY(!block.isDeleted());
        QCOMPARE(block.entryCount(), 3);
        QCOMPARE(block.entry(0).name(), QStringLiteral("Track 1"));
        QCOMPARE(block.entry(1).name(), QStringLiteral("Track 2"));
        QCOMPARE(block.entry(2).name(), QStringLiteral("Track 3"));
        QCOMPARE(block.entry(1).track().records().size(), 2);
        QCOMPARE(block.entry(2).track().probeId(), ProbeId(1, 0));
        QCOMPARE(block.entry(0).track().specifications(), QByteArray("\1\2\3\4\5", 5));
        QVERIFY(block.entry(0).isEnabled());
    }

    void trackless()
    {
        // Tracks without records give a block without entries, and that loads.
        QVERIFY(SessionWriter::write(path(QStringLiteral("e.kv")), {},
                                     {SessionWriter::track(ProbeId(0, 0), {}, {})}));
        TrackBlockList list;
        QVERIFY(list.loadSession(path(QStringLiteral("e.kv"))));
        QCOMPARE(list.count(), 1);
        QCOMPARE(list.block(0).entryCount(), 0);

        QVERIFY(SessionWriter::write(path(QStringLiteral("none.kv")), {}, {}));
        QVERIFY(list.loadSession(path(QStringLiteral("none.kv"))));
        QCOMPARE(list.count(), 2);
    }

    void trailingBytesAreIgnored()
    {
        QByteArray bytes = SessionWriter::bytes({}, {SessionWriter::track(ProbeId(0, 0), {}, {simRecord(1)})});
        bytes.append("trailing garbage");
        QVERIFY(writeBytes(path(QStringLiteral("t.kv")), bytes));
        TrackBlockList list;
        QVERIFY(list.loadSession(path(QStringLiteral("t.kv"))));
        QCOMPARE(list.block(0).entryCount(), 1);
    }

    void damagedFilesLeaveTheListAlone()
    {
        const QByteArray good = SessionWriter::bytes(
            {{QStringLiteral("k"), QStringLiteral("v")}},
            {SessionWriter::track(ProbeId(0, 0), QByteArray("\1\1\1\1\1", 5), {simRecord(1), simRecord(2)}),
             SessionWriter::track(ProbeId(1, 0), QByteArray(360, '\3'), {QByteArray(176, '\7')})});
        TrackBlockList list;
        QVERIFY(writeBytes(path(QStringLiteral("good.kv")), good));
        QVERIFY(list.loadSession(path(QStringLiteral("good.kv"))));

        // Truncated anywhere: inside the map, a count, a track, a record, the time.
        for (int cut = 0; cut < good.size(); cut += (cut < 64 ? 1 : 13)) {
            QVERIFY(writeBytes(path(QStringLiteral("cut.kv")), good.left(cut)));
            QVERIFY2(!list.loadSession(path(QStringLiteral("cut.kv"))), qPrintable(QString::number(cut)));
            QCOMPARE(list.count(), 1);
        }

        // A foreign file (text) and an empty file.
        QVERIFY(writeBytes(path(QStringLiteral("foreign.kv")), "Hello, this is not a session file.\n"));
        QVERIFY(!list.loadSession(path(QStringLiteral("foreign.kv"))));
        QVERIFY(writeBytes(path(QStringLiteral("empty.kv")), QByteArray()));
        QVERIFY(!list.loadSession(path(QStringLiteral("empty.kv"))));

        // Missing files and folders.
        QVERIFY(!list.loadSession(path(QStringLiteral("missing.kv"))));
        QVERIFY(!list.loadSession(m_dir.path()));
        QCOMPARE(list.count(), 1);
    }

    void hugeCountsFailQuickly()
    {
        // 0x7FFFFFFF tracks, path points or records: a clean failure without
        // reserving memory for them.
        const QByteArray tracksCount = ByteBuilder().u32(0).u32(0x7FFFFFFF).u8(0).u8(0).bytes();
        const QByteArray pathCount =
            ByteBuilder().u32(0).u32(1).u8(0).u8(0).u32(0xFFFFFFFFu).u32(0x7FFFFFFF).point(1, 2, 3).bytes();
        const QByteArray extraCount =
            ByteBuilder().u32(0).u32(1).u8(0).u8(0).u32(0xFFFFFFFFu).u32(0).u32(0x7FFFFFFF).bytes();
        const QByteArray recordCount = ByteBuilder()
                                           .u32(0)
                                           .u32(1)
                                           .u8(0)
                                           .u8(0)
                                           .u32(0xFFFFFFFFu)
                                           .u32(0)
                                           .u32(0)
                                           .u32(0x7FFFFFFF)
                                           .raw(TestSupport::streamed(TrackRecord()))
                                           .bytes();
        const QByteArray mapCount = ByteBuilder().u32(0x7FFFFFFF).string("a").string("b").bytes();
        const QByteArray hugeArray = ByteBuilder().u32(0).u32(1).u8(0).u8(0).u32(0x7FFFFFF0).bytes();
        QElapsedTimer timer;
        timer.start();
        for (const QByteArray& bytes : {tracksCount, pathCount, extraCount, recordCount, mapCount, hugeArray}) {
            QBuffer buffer;
            buffer.setData(bytes);
            buffer.open(QIODevice::ReadOnly);
            TrackBlockList list;
            QVERIFY(!list.loadSession(buffer, QStringLiteral("huge.kv")));
            QCOMPARE(list.count(), 0);
        }
        // Generous: a reserve of 0x7FFFFFFF elements would take far longer or abort.
        QVERIFY(timer.elapsed() < 5000);
    }

    void longByteArraysAreDamage()
    {
        // A specifications block or raw record of at most 1 MiB loads; one
        // byte more is refused before anything is allocated for it.
        const QByteArray bound(int(maxStoredByteArray), '\5');
        const auto session = [](const QByteArray& specifications, const QByteArray& record) {
            return SessionWriter::bytes({}, {SessionWriter::track(ProbeId(9, 9), specifications, {record})});
        };
        TrackBlockList list;
        QVERIFY(writeBytes(path(QStringLiteral("bound.kv")), session(bound, bound)));
        QVERIFY(list.loadSession(path(QStringLiteral("bound.kv"))));
        QCOMPARE(list.block(0).entry(0).track().specifications(), bound);
        QCOMPARE(list.block(0).entry(0).track().records().first().data(), bound);
        // An empty array reads back empty but not null, so it is written back the same.
        QVERIFY(writeBytes(path(QStringLiteral("empty.kv")), session(QByteArray(""), QByteArray(""))));
        QVERIFY(list.loadSession(path(QStringLiteral("empty.kv"))));
        QVERIFY(!list.block(1).entry(0).track().specifications().isNull());
        QCOMPARE(TestSupport::streamed(list.block(1).entry(0).track()),
                 TestSupport::streamed(SessionWriter::track(ProbeId(9, 9), QByteArray(""), {QByteArray("")})));
        for (const QByteArray& bytes : {session(bound + 'x', QByteArray(176, '\0')), session(QByteArray(), bound + 'x')}) {
            QVERIFY(writeBytes(path(QStringLiteral("over.kv")), bytes));
            QVERIFY(!list.loadSession(path(QStringLiteral("over.kv"))));
        }

        // A 2 GB specifications field that the file really holds (sparse:
        // claimed and sized, never written) is refused too.
        QFile sparse(path(QStringLiteral("sparse.kv")));
        QVERIFY(sparse.open(QIODevice::WriteOnly));
        const QByteArray head = ByteBuilder().u32(0).u32(1).u8(1).u8(0).u32(0x7FFFFFF0).bytes();
        QVERIFY(sparse.write(head) == head.size() && sparse.resize(head.size() + 0x7FFFFFF0LL));
        sparse.close();
        QVERIFY(!list.loadSession(sparse.fileName()));

        // Running out of memory while reading (a string of gigabytes, say)
        // leaves the list as it was.
        ExhaustingDevice exhausted(session(QByteArray("probe"), QByteArray(176, '\1')).left(20));
        QVERIFY(!list.loadSession(exhausted, QStringLiteral("big.kv")));
        QCOMPARE(list.count(), 2);
    }

    void valuesOfAnEntry()
    {
        // Simulator records through the stored process options (offset 0).
        TestSupport::clearAllSettings();
        const Track track = SessionWriter::track(
            ProbeId(0, 0), QByteArray("\1\2\3\4\5", 5),
            {SessionWriter::simulatorRecord({10, -3, 0, 7, 1}, {1, 0, 1, 1, 0}),
             SessionWriter::simulatorRecord({1, 2, 3, 4, 5}, {0, 0, 0, 0, 0}),
             SessionWriter::simulatorRecord({5, 5, 5, 5, 5}, {0, 0, 0, 0, 1})});
        TrackBlockEntry entry;
        entry.setTrack(track);
        QList<double> values{99.0};
        entry.values(values);
        QCOMPARE(values, (QList<double>{99.0, 10.0, 0.0, 7.0, 5.0}));

        // Rejected specifications and unknown probes give nothing.
        QList<double> none;
        entry.setSpecifications(QByteArray("\1\2\0\4\5", 5));
        entry.values(none);
        QVERIFY(none.isEmpty());
        Track unknown = track;
        unknown.setProbeId(ProbeId(9, 9));
        entry.setTrack(unknown);
        entry.values(none);
        QVERIFY(none.isEmpty());
    }
};

TUNDRACK_TEST(SessionTest)
#include "sessiontest.moc"

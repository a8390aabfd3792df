#include "common/bytebuilder.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "shared/applicationconstants.h"
#include "survey/acquisitionconstants.h"
#include "survey/track.h"

#include <QTest>
#include <QTimeZone>

#include <limits>

using TestSupport::streamed;
using TestSupport::unstreamed;

class RecordTest : public QObject
{
    Q_OBJECT

private slots:
    void constants()
    {
        QCOMPARE(acquisitionProgramName, QStringLiteral("Kvarn"));
        QCOMPARE(applicationName, QStringLiteral("Tundrack"));
        QCOMPARE(applicationVersion, QStringLiteral("4.05"));
    }

    void point()
    {
        const Point3D a(1.5, -2.0, 1e300);
        QCOMPARE(streamed(a), ByteBuilder().point(1.5, -2.0, 1e300).bytes());
        QCOMPARE(streamed(a).size(), 24);
        Point3D b;
        QVERIFY(unstreamed(streamed(a), b));
        QCOMPARE(b.x(), 1.5);
        QCOMPARE(b.y(), -2.0);
        QCOMPARE(b.z(), 1e300);

        QCOMPARE(Point3D(0, 0, 0).distance(Point3D(2, 3, 6)), 7.0);
        QCOMPARE(Point3D(0, 0, 0).distance2D(Point3D(3, 4, 100)), 5.0);

        // A short stream leaves its status set and zeroes what it could not read.
        Point3D c(9, 9, 9);
        QVERIFY(!unstreamed(streamed(a).left(20), c));
        QCOMPARE(c.x(), 1.5);
        QCOMPARE(c.z(), 0.0);
    }

    void probeId()
    {
        QVERIFY(!ProbeId().isValid());
        QCOMPARE(ProbeId().type(), quint8(0xFF));
        QVERIFY(ProbeId(254, 254).isValid());
        QVERIFY(!ProbeId(255, 0).isValid());
        QVERIFY(!ProbeId(0, 255).isValid());
        QVERIFY(ProbeId(0, 5) < ProbeId(1, 0));
        QVERIFY(ProbeId(1, 0) < ProbeId(1, 1));
        QVERIFY(!(ProbeId(1, 1) < ProbeId(1, 0)));
        QVERIFY(ProbeId(1, 0) == ProbeId(1, 0));
        QVERIFY(!(ProbeId(1, 0) == ProbeId(0, 1)));
        QCOMPARE(qHash(ProbeId(1, 0)), 1u);
        QCOMPARE(qHash(ProbeId(0, 1)), 256u);

        ProbeId id(3, 4);
        id.clear();
        QVERIFY(!id.isValid());

        QCOMPARE(streamed(ProbeId(1, 0)), QByteArray("\x01\x00", 2));
        ProbeId read;
        QVERIFY(unstreamed(QByteArray("\xFE\xFE", 2), read));
        QCOMPARE(read, ProbeId(254, 254));
    }

    void recordBytes()
    {
        // A default record: null data and a null time.
        const QByteArray defaultBytes = ByteBuilder()
                                            .point(0, 0, 0)
                                            .u32(0xFFFFFFFFu)
                                            .i64(std::numeric_limits<qint64>::min())
                                            .u32(0xFFFFFFFFu)
                                            .u8(0)
                                            .bytes();
        QCOMPARE(streamed(TrackRecord()), defaultBytes);

        // A dated UTC record: Julian day, milliseconds since midnight, then 1 for UTC.
        TrackRecord record;
        record.setPosition(Point3D(10.25, -3, 7));
        record.setData(QByteArray("\x01\x02\x03", 3));
        record.setTime(QDateTime(QDate(2020, 1, 2), QTime(3, 4, 5, 6), Qt::UTC));
        const QByteArray utcBytes = ByteBuilder()
                                        .point(10.25, -3, 7)
                                        .array(QByteArray("\x01\x02\x03", 3))
                                        .i64(2458851)
                                        .u32((3 * 3600 + 4 * 60 + 5) * 1000 + 6)
                                        .u8(1)
                                        .bytes();
        QCOMPARE(streamed(record), utcBytes);

        // An offset time carries its offset in seconds after the time-kind byte.
        record.setTime(QDateTime(QDate(2020, 1, 2), QTime(0, 0), Qt::OffsetFromUTC, 3 * 3600));
        QCOMPARE(streamed(record).right(9),
                 ByteBuilder().u32(0).u8(2).i32(3 * 3600).bytes());

        // The fixed flag is not stored.
        record.setFixed();
        QVERIFY(record.isFixed());
        TrackRecord read;
        QVERIFY(unstreamed(streamed(record), read));
        QVERIFY(!read.isFixed());
        QCOMPARE(read.position().x(), 10.25);
        QCOMPARE(read.data(), record.data());
        QCOMPARE(read.time(), record.time());
        QCOMPARE(read.time().offsetFromUtc(), 3 * 3600);
    }

    void unknownTimeZone()
    {
        // A time in a zone the system does not know reads as the same
        // wall-clock time in UTC and can be written again.
        const QByteArray bytes = ByteBuilder()
                                     .point(1, 2, 3)
                                     .array(QByteArray("x"))
                                     .i64(2458851)
                                     .u32(3600 * 1000)
                                     .u8(3)
                                     .string(QStringLiteral("Nowhere/Nothing"))
                                     .bytes();
        TrackRecord record;
        QVERIFY(unstreamed(bytes, record));
        QCOMPARE(record.time().timeSpec(), Qt::UTC);
        QCOMPARE(record.time().date(), QDate(2020, 1, 2));
        QCOMPARE(record.time().time(), QTime(1, 0));
        QCOMPARE(streamed(record).right(13), ByteBuilder().i64(2458851).u32(3600 * 1000).u8(1).bytes());

        // A zone it knows is kept as it is.
        const QByteArray known = ByteBuilder()
                                     .point(1, 2, 3)
                                     .array(QByteArray("x"))
                                     .i64(2458851)
                                     .u32(3600 * 1000)
                                     .u8(3)
                                     .string(QStringLiteral("Europe/Berlin"))
                                     .bytes();
        QVERIFY(unstreamed(known, record));
        QCOMPARE(record.time().timeSpec(), Qt::TimeZone);
        QCOMPARE(record.time().timeZone().id(), QByteArray("Europe/Berlin"));
        QCOMPARE(streamed(record), known);
    }

    void trackBytesAndRoundTrip()
    {
        Track track;
        track.setId(42);
        track.setProbeId(ProbeId(0, 0));
        track.setSpecifications(QByteArray("\x05\x04", 2));
        track.setPath({Point3D(1, 2, 3)});
        track.appendExtraPoint(Point3D(4, 5, 6));
        track.appendExtraPoint(Point3D(7, 8, 9));
        TrackRecord record;
        record.setData(QByteArray(""));
        track.appendRecord(record);

        const QByteArray expected = ByteBuilder()
                                        .u8(0)
                                        .u8(0)
                                        .array(QByteArray("\x05\x04", 2))
                                        .u32(1)
                                        .point(1, 2, 3)
                                        .u32(2)
                                        .point(4, 5, 6)
                                        .point(7, 8, 9)
                                        .u32(1)
                                        .raw(streamed(record))
                                        .bytes();
        QCOMPARE(streamed(track), expected);

        // The id is not stored: the reader keeps its own.
        Track read;
        read.setId(7);
        QVERIFY(unstreamed(expected, read));
        QCOMPARE(read.id(), 7);
        QCOMPARE(read.probeId(), ProbeId(0, 0));
        QCOMPARE(read.specifications(), track.specifications());
        QCOMPARE(read.path().size(), 1);
        QCOMPARE(read.extraPoints().size(), 2);
        QCOMPARE(read.extraPoints().at(1).z(), 9.0);
        QCOMPARE(read.records().size(), 1);
        // An empty, non-null array stays empty and non-null.
        QVERIFY(!read.records().at(0).data().isNull());

        // Null specifications are written as 0xFFFFFFFF and read back as null.
        Track nullSpec;
        nullSpec.setProbeId(ProbeId(1, 0));
        QCOMPARE(streamed(nullSpec).mid(2, 4), QByteArray("\xFF\xFF\xFF\xFF", 4));
        Track readNull;
        QVERIFY(unstreamed(streamed(nullSpec), readNull));
        QVERIFY(readNull.specifications().isNull());
        Track emptySpec;
        emptySpec.setSpecifications(QByteArray(""));
        QCOMPARE(streamed(emptySpec).mid(2, 4), QByteArray("\0\0\0\0", 4));
        Track readEmpty;
        QVERIFY(unstreamed(streamed(emptySpec), readEmpty));
        QVERIFY(!readEmpty.specifications().isNull());

        // Copies keep the id.
        Track copy(track);
        QCOMPARE(copy.id(), 42);
    }

    void trackReaderFailures()
    {
        Track track;
        track.setProbeId(ProbeId(1, 0));
        for (int i = 0; i < 3; ++i) {
            TrackRecord record;
            record.setPosition(Point3D(i, i, i));
            record.setData(QByteArray(176, char(i)));
            track.appendRecord(record);
        }
        const QByteArray bytes = streamed(track);
        // Cut inside the last record: the list is emptied, the stream fails.
        Track read;
        QVERIFY(!unstreamed(bytes.left(bytes.size() - 3), read));
        QVERIFY(read.records().isEmpty());

        // A count of 0x7FFFFFFF records fails at once without reserving for it.
        QByteArray huge = ByteBuilder().u8(1).u8(0).u32(0xFFFFFFFFu).u32(0).u32(0).u32(0x7FFFFFFF).bytes();
        Track hugeRead;
        QVERIFY(!unstreamed(huge, hugeRead));
        QVERIFY(hugeRead.records().isEmpty());
    }

    void trackLength()
    {
        Track track;
        QCOMPARE(track.length(), 0.0);
        track.setPath({Point3D(1, 1, 1)});
        QCOMPARE(track.length(), 0.0);
        track.setPath({Point3D(0, 0, 0), Point3D(3, 4, 0), Point3D(3, 4, 12)});
        QCOMPARE(track.length(), 17.0);
        QCOMPARE(Track().id(), -1);
        QVERIFY(!Track().probeId().isValid());
    }
};

TUNDRACK_TEST(RecordTest)
#include "recordtest.moc"

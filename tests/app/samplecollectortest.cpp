#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"
#include "probes/probebytes.h"

#include "app/samplecollector.h"
#include "shared/preferences.h"
#include "survey/processoptionsstore.h"
#include "survey/trackblocklist.h"

#include <QBuffer>
#include <QSettings>
#include <QTest>

#include <cmath>
#include <limits>

using ProbeBytes::KestrionBlock;
using ProbeBytes::RawRecordBytes;

namespace {

const ProbeId simulator(0, 0);
const ProbeId kestrion(1, 0);
const QByteArray simulatorSpecifications("\1\2\3\4\5", 5);
const double infinity = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();

QByteArray simulatorRecord(const QList<int>& values, const QList<int>& validity = {1, 1, 1, 1, 1})
{
    return SessionWriter::simulatorRecord(values, validity);
}

// Calibration under which a channel's real part is (V.Re / 128 - 1) volts:
// |C| = GF = IA = 1, XA = YA = 1, AC = XP = YP = 1. The values are then whole
// numbers of microvolts, computed without rounding.
QByteArray kestrionSpecifications()
{
    KestrionBlock block;
    block.mode = 1;
    for (int v : {KestrionBlock::XP, KestrionBlock::YP, KestrionBlock::XA, KestrionBlock::YA,
                  KestrionBlock::IA, KestrionBlock::XAU, KestrionBlock::YAU, KestrionBlock::IAU,
                  KestrionBlock::GF, KestrionBlock::AC, KestrionBlock::BC, KestrionBlock::IC})
        block.vectors[v] = {1, 1, 1};
    return block.bytes();
}

// A mode-1 record whose frequency f (channel f, depth 3 - f) has the real
// part volts[f] and a zero imaginary part; validity bit f set when valid[f].
QByteArray kestrionRecord(const QList<int>& volts, const QList<bool>& valid = {true, true, true})
{
    RawRecordBytes r;
    for (int f = 0; f < 3; ++f)
        r.setChannel(f, (volts.at(f) + 1) * 128, 128, 1, 0, valid.at(f));
    return r.bytes;
}

// Adds one block read through the session loader, one entry per track.
void addBlock(TrackBlockList& list, const QList<Track>& tracks)
{
    QByteArray bytes = SessionWriter::bytes({}, tracks);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QVERIFY(list.loadSession(buffer, QStringLiteral("block")));
}

QList<double> sample(double x, double y, double z, double value)
{
    return {x, y, z, value};
}

SpecificProcessOptions options(bool enabled, bool specificData)
{
    SpecificProcessOptions o;
    o.enabled = enabled;
    o.specificData = specificData;
    return o;
}

void storeSetting(const char* application, const char* key, const QVariant& value)
{
    QSettings settings(QStringLiteral("Kvarn"), QString::fromLatin1(application));
    settings.setValue(QString::fromLatin1(key), value);
}

struct Collected
{
    QList<Point3D> bottom;
    QList<Point3D> top;
    QList<double> samples;
    bool allKnown = false;
};

Collected collect(const TrackBlockList& list, double min = -1e200, double max = 1e200)
{
    Collected c;
    c.allKnown = SampleCollector::collect(list, &c.bottom, &c.top, &c.samples, min, max);
    return c;
}

bool samePoints(const QList<Point3D>& actual, const QList<Point3D>& expected)
{
    if (actual.size() != expected.size())
        return false;
    for (int i = 0; i < actual.size(); ++i) {
        const Point3D& a = actual.at(i);
        const Point3D& e = expected.at(i);
        if (a.x() != e.x() || a.y() != e.y() || a.z() != e.z())
            return false;
    }
    return true;
}

QString describe(const QList<Point3D>& points)
{
    QStringList parts;
    for (const Point3D& p : points)
        parts << QStringLiteral("(%1, %2, %3)").arg(p.x()).arg(p.y()).arg(p.z());
    return parts.join(QStringLiteral(" "));
}

#define COMPARE_POINTS(actual, expected) \
    QVERIFY2(samePoints(actual, expected), qPrintable(describe(actual)))

} // namespace

class SampleCollectorTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        TestSupport::clearAllSettings();
        Preferences::destroy();
        ProcessOptionsStore::instance()->clear();
    }

    void cleanupTestCase()
    {
        Preferences::destroy();
        ProcessOptionsStore::instance()->clear();
        TestSupport::clearAllSettings();
    }

    void messageText()
    {
        QCOMPARE(SampleCollector::unknownProbeMessage(),
                 QStringLiteral("Project data contain unknown probe"));
    }

    void emptyProjects()
    {
        TrackBlockList list;
        Collected c;
        c.top << Point3D(9, 9, 9);
        c.samples << 1.0;
        QVERIFY(SampleCollector::collect(list, &c.bottom, &c.top, &c.samples, -1e200, 1e200));
        // Appended to, never cleared.
        QCOMPARE(c.top.size(), 1);
        QCOMPARE(c.samples, QList<double>({1.0}));
        QVERIFY(c.bottom.isEmpty());

        // Enabled blocks without entries: nothing either, and all known.
        addBlock(list, {});
        addBlock(list, {Track()});
        QCOMPARE(list.count(), 2);
        QCOMPARE(list.block(1).entryCount(), 0);
        c = collect(list);
        QVERIFY(c.allKnown);
        QVERIFY(c.top.isEmpty() && c.bottom.isEmpty() && c.samples.isEmpty());
    }

    void simulatorEveryFrequency()
    {
        TrackBlockList list;
        addBlock(list, {SessionWriter::track(simulator, simulatorSpecifications,
                                             {simulatorRecord({10, -3, 0, 7, 1}, {1, 0, 1, 1, 0}),
                                              simulatorRecord({5, 6, 7, 8, 9})},
                                             2.5, 100.0)});
        Collected c;
        c.bottom << Point3D(-1, -1, -1);
        c.samples << 42.0;
        QVERIFY(SampleCollector::collect(list, &c.bottom, &c.top, &c.samples, -1e200, 1e200));
        COMPARE_POINTS(c.top, QList<Point3D>({Point3D(0, 2.5, 100), Point3D(1, 2.5, 100)}));
        // Depth = channel number; the bottom at the last valid channel.
        COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(-1, -1, -1), Point3D(0, 2.5, 96),
                                                 Point3D(1, 2.5, 95)}));
        QList<double> expected = {42.0};
        expected << sample(0, 2.5, 99, 10) << sample(0, 2.5, 97, 0) << sample(0, 2.5, 96, 7);
        for (int ch = 1; ch <= 5; ++ch)
            expected << sample(1, 2.5, 100 - ch, 4 + ch);
        QCOMPARE(c.samples, expected);

        // The process options stored by the user are applied.
        storeSetting("ProcessOptionsWidget_Simulator", "add", 3);
        c = collect(list);
        QCOMPARE(c.samples.size(), 32);
        QCOMPARE(c.samples.at(3), 13.0);
        QCOMPARE(c.samples.at(31), 12.0);
    }

    void rangeBoundsAndBottomPoints()
    {
        TrackBlockList list;
        addBlock(list, {SessionWriter::track(simulator, simulatorSpecifications,
                                             {simulatorRecord({20, 30, 40, 19, 41}),
                                              simulatorRecord({20, 100, 100, 0, 0}, {1, 1, 1, 0, 0})})});
        Collected c = collect(list, 20, 40);
        // Both bounds belong to the range; 19 and 41 lie outside.
        QList<double> expected;
        expected << sample(0, 0, -1, 20) << sample(0, 0, -2, 30) << sample(0, 0, -3, 40);
        // Three pairs, only the first in range: one sample, bottom at the third.
        expected << sample(1, 0, -1, 20);
        QCOMPARE(c.samples, expected);
        COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(0, 0, -5), Point3D(1, 0, -3)}));
        QCOMPARE(c.top.size(), 2);

        // An empty range and a NaN bound take nothing but keep the points.
        for (const auto& range : {qMakePair(41.0, 19.0), qMakePair(notANumber, 100.0),
                                  qMakePair(-100.0, notANumber)}) {
            c = collect(list, range.first, range.second);
            QVERIFY(c.samples.isEmpty());
            QCOMPARE(c.bottom.size(), 2);
            QCOMPARE(c.top.size(), 2);
        }

        // Null point lists are left alone, as the export asks.
        QList<double> samples;
        QVERIFY(SampleCollector::collect(list, nullptr, nullptr, &samples, 20, 20));
        QCOMPARE(samples, QList<double>() << sample(0, 0, -1, 20) << sample(1, 0, -1, 20));
        QList<Point3D> top;
        QVERIFY(SampleCollector::collect(list, nullptr, &top, nullptr, 20, 20));
        QCOMPARE(top.size(), 2);
    }

    void nonFiniteNumbersAreNoSamples()
    {
        const Point3D p(1, 2, 10);
        QList<Point3D> bottom;
        QList<double> samples;
        // Even an unbounded range lets no infinity or NaN through.
        SampleCollector::appendPairs(p,
                                     {QPointF(1, notANumber), QPointF(2, infinity), QPointF(3, -infinity),
                                      QPointF(4, 5), QPointF(notANumber, 6), QPointF(infinity, 7),
                                      QPointF(5, -1e300)},
                                     -infinity, infinity, &bottom, &samples);
        QCOMPARE(samples, QList<double>() << sample(1, 2, 6, 5) << sample(1, 2, 5, -1e300));
        COMPARE_POINTS(bottom, QList<Point3D>({Point3D(1, 2, 5)}));

        // A NaN value is never in range, however wide; the bottom point is
        // still made at its depth.
        bottom.clear();
        samples.clear();
        SampleCollector::appendPairs(p, {QPointF(4, notANumber)}, -1e200, 1e200, &bottom, &samples);
        QVERIFY(samples.isEmpty());
        COMPARE_POINTS(bottom, QList<Point3D>({Point3D(1, 2, 6)}));

        // No bottom point at a depth that is no number, nor without pairs.
        bottom.clear();
        SampleCollector::appendPairs(p, {QPointF(4, 1), QPointF(notANumber, 1)}, 0, 1, &bottom, &samples);
        SampleCollector::appendPairs(p, {QPointF(-infinity, 1)}, 0, 1, &bottom, &samples);
        SampleCollector::appendPairs(p, {}, 0, 1, &bottom, &samples);
        QVERIFY(bottom.isEmpty());
        QCOMPARE(samples, sample(1, 2, 6, 1));
        SampleCollector::appendPairs(p, {QPointF(4, 1)}, 0, 1, nullptr, nullptr);
    }

    void disabledBlocksAndEntries()
    {
        TrackBlockList list;
        const QByteArray record = simulatorRecord({1, 2, 3, 4, 5}, {1, 0, 0, 0, 0});
        for (int b = 0; b < 2; ++b) {
            addBlock(list, {SessionWriter::track(simulator, simulatorSpecifications, {record}, 10 * b),
                            SessionWriter::track(simulator, simulatorSpecifications, {record},
                                                 10 * b + 1)});
        }
        list.block(0).entry(1).setEnabled(false);
        list.block(1).setEnabled(false);
        Collected c = collect(list);
        COMPARE_POINTS(c.top, QList<Point3D>({Point3D(0, 0, 0)}));
        QCOMPARE(c.samples, sample(0, 0, -1, 1));
        QCOMPARE(c.bottom.size(), 1);

        // An enabled entry of a disabled block stays out; a disabled one of
        // an enabled block too.
        list.block(1).setEnabled(true);
        list.block(1).entry(0).setEnabled(false);
        list.block(0).setEnabled(false);
        c = collect(list);
        COMPARE_POINTS(c.top, QList<Point3D>({Point3D(0, 11, 0)}));
        QCOMPARE(c.samples, sample(0, 11, -1, 1));
    }

    void probeLeftOutByTheStore()
    {
        storeSetting("GraphicOptionsWidget_Kestrion", "f", 1);
        TrackBlockList list;
        addBlock(list, {SessionWriter::track(simulator, simulatorSpecifications,
                                             {simulatorRecord({1, 2, 3, 4, 5})}, 0),
                        SessionWriter::track(kestrion, kestrionSpecifications(),
                                             {kestrionRecord({7, 8, 9})}, 1)});
        // Disabled, whatever its specific data says: top points only.
        for (bool specific : {false, true}) {
            ProcessOptionsStore::instance()->setOptions({{simulator, options(false, specific)}});
            Collected c = collect(list);
            QVERIFY(c.allKnown);
            COMPARE_POINTS(c.top, QList<Point3D>({Point3D(0, 0, 0), Point3D(0, 1, 0)}));
            QCOMPARE(c.samples, QList<double>() << sample(0, 1, -1, 9e6) << sample(0, 1, -2, 8e6)
                                                << sample(0, 1, -3, 7e6));
            COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(0, 1, -3)}));
        }
        // Now the other way round.
        ProcessOptionsStore::instance()->setOptions({{kestrion, options(false, true)}});
        Collected c = collect(list);
        QCOMPARE(c.top.size(), 2);
        QCOMPARE(c.samples.size(), 20);
        COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(0, 0, -5)}));
    }

    void specificDataVersusEveryFrequency()
    {
        storeSetting("GraphicOptionsWidget_Simulator", "f", 2);
        storeSetting("GraphicOptionsWidget_Kestrion", "f", 1);
        // Real parts, so that negative values show the stored process options.
        storeSetting("ProcessOptionsWidget_Kestrion", "signalPart", 1);
        TrackBlockList list;
        addBlock(list, {SessionWriter::track(simulator, simulatorSpecifications,
                                             {simulatorRecord({1, 2, 3, 4, 5}),
                                              simulatorRecord({1, 2, 3, 4, 5}, {1, 1, 0, 1, 1})}, 0),
                        SessionWriter::track(kestrion, kestrionSpecifications(),
                                             {kestrionRecord({7, -8, 9}),
                                              kestrionRecord({7, 8, 9}, {true, false, true})}, 1)});

        // No entry and enabled without specific data: every valid frequency.
        QList<double> every;
        every << sample(0, 0, -1, 1) << sample(0, 0, -2, 2) << sample(0, 0, -3, 3)
              << sample(0, 0, -4, 4) << sample(0, 0, -5, 5);
        every << sample(1, 0, -1, 1) << sample(1, 0, -2, 2) << sample(1, 0, -4, 4)
              << sample(1, 0, -5, 5);
        every << sample(0, 1, -1, 9e6) << sample(0, 1, -2, -8e6) << sample(0, 1, -3, 7e6);
        every << sample(1, 1, -1, 9e6) << sample(1, 1, -3, 7e6);
        for (bool stored : {false, true}) {
            if (stored) {
                ProcessOptionsStore::instance()->setOptions(
                    {{simulator, options(true, false)}, {kestrion, options(true, false)}});
            }
            const Collected c = collect(list);
            QVERIFY(c.allKnown);
            QCOMPARE(c.samples, every);
            QCOMPARE(c.top.size(), 4);
            COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(0, 0, -5), Point3D(1, 0, -5),
                                                     Point3D(0, 1, -3), Point3D(1, 1, -3)}));
        }

        // Specific data: the one chosen frequency per record. Where it is not
        // valid the record gives neither sample nor bottom point.
        ProcessOptionsStore::instance()->setOptions(
            {{simulator, options(true, true)}, {kestrion, options(true, true)}});
        Collected c = collect(list);
        QCOMPARE(c.samples, QList<double>() << sample(0, 0, -3, 3) << sample(0, 1, -2, -8e6));
        COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(0, 0, -3), Point3D(0, 1, -2)}));
        QCOMPARE(c.top.size(), 4);

        // The chosen frequency out of range still gives the bottom point.
        c = collect(list, 0, 1e200);
        QCOMPARE(c.samples, sample(0, 0, -3, 3));
        QCOMPARE(c.bottom.size(), 2);
    }

    void heightIgnored()
    {
        TrackBlockList list;
        addBlock(list, {SessionWriter::track(simulator, simulatorSpecifications,
                                             {simulatorRecord({1, 2, 3, 4, 5}, {1, 0, 0, 1, 0})},
                                             7.0, 250.0)});
        Preferences::instance()->setIgnoreHeightValues(true);
        Collected c = collect(list);
        COMPARE_POINTS(c.top, QList<Point3D>({Point3D(0, 7, 0)}));
        QCOMPARE(c.samples, QList<double>() << sample(0, 7, -1, 1) << sample(0, 7, -4, 4));
        COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(0, 7, -4)}));

        Preferences::instance()->setIgnoreHeightValues(false);
        c = collect(list);
        COMPARE_POINTS(c.top, QList<Point3D>({Point3D(0, 7, 250)}));
        QCOMPARE(c.samples.at(2), 249.0);
        COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(0, 7, 246)}));
    }

    void legacyEntries()
    {
        // Every frequency of the first record holds the modulus 0.001; the
        // second has frequency 0 and a frequency 5 whose |C| is 0.
        const QByteArray specifications = ProbeBytes::LegacyBlock::plain().bytes();
        RawRecordBytes all;
        for (int f = 0; f < 14; ++f)
            all.setMilli(f);
        RawRecordBytes two;
        two.setMilli(0);
        two.setChannel(5, 3 * 128, 4 * 128, 0, 0);
        TrackBlockList list;
        addBlock(list, {SessionWriter::track(ProbeId(254, 254), specifications, {all.bytes, two.bytes}, 2.5, 100),
                        SessionWriter::track(ProbeId(254, 254), specifications.left(1163), {all.bytes}, 5)});
        const double resistivity = 1.0 / 1.4394612206290798;
        Collected c = collect(list);
        QVERIFY(!c.allKnown);
        COMPARE_POINTS(c.top, QList<Point3D>({Point3D(0, 2.5, 100), Point3D(1, 2.5, 100)}));
        COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(0, 2.5, 100 - 9.996), Point3D(1, 2.5, 100 - 9.996)}));
        QCOMPARE(c.samples.size(), 15 * 4);
        for (int i = 0; i < 15; ++i) {
            const double depth = i < 14 ? (i + 1) * 0.714 : 9.996;
            QVERIFY(qAbs(c.samples.at(4 * i + 2) - (100 - depth)) < 1e-12);
            QVERIFY(qAbs(c.samples.at(4 * i + 3) - resistivity) < 1e-13);
        }

        // Specific data: the stored frequency 14 only, which the second record lacks.
        storeSetting("GraphicOptionsWidget_Legacy", "f", 13);
        ProcessOptionsStore::instance()->setOptions({{ProbeId(254, 254), options(true, true)}});
        c = collect(list);
        QCOMPARE(c.samples, sample(0, 2.5, 100 - 0.714, c.samples.value(3)));
        QVERIFY(qAbs(c.samples.at(3) - resistivity) < 1e-13);
        QCOMPARE(c.bottom.size(), 1);
        QCOMPARE(c.top.size(), 2);
    }

    void unusableEntriesAreLeftOut()
    {
        const QByteArray record = simulatorRecord({1, 2, 3, 4, 5}, {0, 0, 1, 0, 0});
        KestrionBlock refused;
        refused.serial = 0;
        const QList<Track> unusable = {
            SessionWriter::track(ProbeId(7, 7), simulatorSpecifications, {record}, 1),
            SessionWriter::track(ProbeId(0, 1), simulatorSpecifications, {record}, 2),
            SessionWriter::track(simulator, QByteArray("\1\2\0\4\5", 5), {record}, 3),
            SessionWriter::track(simulator, simulatorSpecifications.left(4), {record}, 4),
            SessionWriter::track(kestrion, refused.bytes(), {kestrionRecord({1, 2, 3})}, 5),
        };
        const Track usable = SessionWriter::track(simulator, simulatorSpecifications, {record}, 0);
        for (const Track& track : unusable) {
            TrackBlockList list;
            addBlock(list, {track, usable, track});
            Collected c = collect(list);
            QVERIFY(!c.allKnown);
            // The other entries are collected all the same.
            COMPARE_POINTS(c.top, QList<Point3D>({Point3D(0, 0, 0)}));
            QCOMPARE(c.samples, sample(0, 0, -3, 3));
            COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(0, 0, -3)}));

            // A disabled entry is not looked at, so it is not reported.
            list.block(0).entry(0).setEnabled(false);
            list.block(0).entry(2).setEnabled(false);
            QVERIFY(collect(list).allKnown);
            // Nor is one of a disabled block.
            list.block(0).entry(2).setEnabled(true);
            list.block(0).setEnabled(false);
            QVERIFY(collect(list).allKnown);
        }

        // A probe left out by the store is still reported when unknown.
        ProcessOptionsStore::instance()->setOptions({{ProbeId(7, 7), options(false, false)}});
        TrackBlockList list;
        addBlock(list, {unusable.at(0)});
        Collected c = collect(list);
        QVERIFY(!c.allKnown);
        QVERIFY(c.top.isEmpty());
    }

    void recordsThatDoNotConvertKeepTheirTopPoint()
    {
        TrackBlockList list;
        addBlock(list, {SessionWriter::track(simulator, simulatorSpecifications,
                                             {simulatorRecord({1, 2, 3, 4, 5}).left(9),
                                              simulatorRecord({1, 2, 3, 4, 5}, {0, 0, 0, 0, 0}),
                                              simulatorRecord({1, 2, 3, 4, 5}, {0, 1, 0, 0, 0})}),
                        SessionWriter::track(kestrion, kestrionSpecifications(),
                                             {kestrionRecord({1, 2, 3}).left(175),
                                              kestrionRecord({1, 2, 3}, {false, false, false})},
                                             1)});
        for (bool specific : {false, true}) {
            ProcessOptionsStore::instance()->setOptions(
                {{simulator, options(true, specific)}, {kestrion, options(true, specific)}});
            Collected c = collect(list);
            QVERIFY(c.allKnown);
            QCOMPARE(c.top.size(), 5);
            // The simulator's chosen channel is the first, which is invalid.
            if (specific) {
                QVERIFY(c.samples.isEmpty());
                QVERIFY(c.bottom.isEmpty());
            } else {
                QCOMPARE(c.samples, sample(2, 0, -2, 2));
                COMPARE_POINTS(c.bottom, QList<Point3D>({Point3D(2, 0, -2)}));
            }
        }
    }
};

TUNDRACK_TEST(SampleCollectorTest)

#include "samplecollectortest.moc"

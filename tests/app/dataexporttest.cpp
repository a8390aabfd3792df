#include "common/commadesktop.h"
#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"
#include "probes/probebytes.h"

#include "app/dataexport.h"
#include "app/exportsource.h"
#include "app/mainwindow.h"
#include "app/numbertext.h"
#include "survey/trackblocklist.h"

#include <QBuffer>
#include <QFile>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>

#include <cmath>
#include <limits>

using ProbeBytes::KestrionBlock;
using ProbeBytes::LegacyBlock;
using ProbeBytes::RawRecordBytes;

namespace {

// Local metres to degrees on the sphere that Qt's positioning uses.
const double metresPerDegree = 6371007.2 * 3.141592653589793 / 180.0;

QString voxler(const QList<double>& samples)
{
    QString text;
    QTextStream out(&text);
    DataExport::writeVoxler(out, samples);
    out.flush();
    return text;
}

QStringList csvLines(const ExportSource& source)
{
    QString text;
    QTextStream out(&text);
    DataExport::writeCsv(out, source);
    out.flush();
    // Every line ends with a line feed, so the last piece is empty.
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lines.takeLast() != QString())
        lines.append(QStringLiteral("(unterminated line)"));
    return lines;
}

// A Kestrion record whose channel f (mode 1: frequency f) holds V.Re and V.Im
// of whole volts after the device's shift, and a normalising signal of 1.
QByteArray kestrionRecord(const QList<QPair<int, int>>& volts)
{
    RawRecordBytes r;
    for (int f = 0; f < volts.size(); ++f)
        r.setChannel(f, volts.at(f).first * 128, volts.at(f).second * 128, 1, 0);
    return r.bytes;
}

Track kestrionTrack(const QList<QByteArray>& records, double y = 0.0, double z = 0.0)
{
    return SessionWriter::track(ProbeId(1, 0), KestrionBlock().bytes(), records, y, z);
}

Track legacyTrack(const QList<QByteArray>& records, double y = 0.0, double z = 0.0)
{
    return SessionWriter::track(ProbeId(254, 254), LegacyBlock::plain().bytes(), records, y, z);
}

Track simulatorTrack(const QList<QByteArray>& records, double y = 0.0, double z = 0.0)
{
    return SessionWriter::track(ProbeId(0, 0), QByteArray("\1\2\3\4\5", 5), records, y, z);
}

void addBlock(TrackBlockList& list, const QMap<QString, QString>& info, const QList<Track>& tracks)
{
    QByteArray bytes = SessionWriter::bytes(info, tracks);
    QBuffer buffer(&bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QVERIFY(list.loadSession(buffer, QStringLiteral("block")));
}

} // namespace

class DataExportTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::clearAllSettings(); }

    void numbersAsQtWritesThem()
    {
        auto general = [](double v) {
            QString s;
            QTextStream t(&s);
            t << v;
            t.flush();
            return s;
        };
        QList<double> values = {1234565.0, 12345650.0, 0.0625, -0.0625, 0.1875, 2.5, 123456.5, -0.0, 0.0, 1e21,
                                1e-5,      -1e-320,    1e300,  0.0005,  9.9999995, 999999.5,
                                std::numeric_limits<double>::quiet_NaN(), -std::numeric_limits<double>::infinity(),
                                std::numeric_limits<double>::infinity()};
        QRandomGenerator random(3);
        for (int i = 0; i < 20000; ++i) {
            // Ties come from few binary digits; the rest from anywhere.
            values.append(i % 2 ? (random.generateDouble() - 0.5) * std::pow(10.0, random.bounded(24) - 10)
                                : std::ldexp(double(random.bounded(1 << 20)) - (1 << 19), random.bounded(40) - 20));
        }
        for (double v : values) {
            QByteArray out;
            NumberText::appendGeneral(out, v);
            QCOMPARE(QString::fromLatin1(out), general(v));
            for (int decimals : {3, 6, 8}) {
                out.clear();
                NumberText::appendFixed(out, v, decimals);
                QCOMPARE(QString::fromLatin1(out), QString("%1").arg(v, 0, 'f', decimals));
            }
        }
        QByteArray out;
        NumberText::appendInt(out, -14);
        QCOMPARE(out, QByteArray("-14"));
    }

    void gatheringAndPlacement()
    {
        TrackBlockList list;
        const QList<QByteArray> one = {QByteArray(1, '\0')};
        addBlock(list, {{"latitude", "10"}, {"site", "first"}}, {simulatorTrack(one), kestrionTrack(one)});
        addBlock(list, {{"latitude", "20"}, {"longitude", "30"}}, {simulatorTrack(one)});
        addBlock(list, {{"site", "disabled"}, {"longitude", "99"}}, {kestrionTrack(one)});
        list.block(2).setEnabled(false);
        list.block(0).entry(0).setEnabled(false);

        const ExportSource source = ExportSource::gather(list);
        QCOMPARE(source.info().value("latitude"), QString("20"));
        QCOMPARE(source.info().value("longitude"), QString("30"));
        QCOMPARE(source.info().value("site"), QString("first"));
        QCOMPARE(source.tracks().size(), 2);
        QCOMPARE(source.tracks().at(0).probeId(), ProbeId(1, 0));
        QCOMPARE(source.tracks().at(1).probeId(), ProbeId(0, 0));

        // The last matching key in key order wins; a capital L is another word.
        QGeoCoordinate origin = ExportSource::origin(
            {{"Latitude", "70"}, {"zone latitude", "12.5"}, {"latitude", "-33.25"}, {"longitude", "x"}});
        QCOMPARE(origin.latitude(), 12.5);
        QCOMPARE(origin.longitude(), 0.0);
        origin = ExportSource::origin({{"Latitude", "70"}});
        QCOMPARE(origin.latitude(), 0.0);
        QVERIFY(!ExportSource::origin({{"latitude", "91"}}).isValid());

        origin = ExportSource::origin({{"latitude", "60"}, {"longitude", "30"}});
        QCOMPARE(ExportSource::place(origin, 0, 0), origin);
        const QGeoCoordinate p = ExportSource::place(origin, -5, 3);
        QVERIFY(std::fabs(p.latitude() - (60 + 3 / metresPerDegree)) < 1e-10);
        QVERIFY(std::fabs(p.longitude() - (30 - 5 / metresPerDegree / std::cos(p.latitude() * M_PI / 180))) < 1e-10);
        QVERIFY(!ExportSource::place(QGeoCoordinate(), 1, 1).isValid());
    }

    void voxlerLines()
    {
        QCOMPARE(voxler({12.5, -3, 0.25, 1e6, 1, 2, 3}), QString("12.500000 -3.000000 0.250000 1000000.000000\n"));
        QCOMPARE(voxler({}), QString());

        // Simulator values at depths 1 ... 5 below a record at z = 10; the
        // invalid third channel gives nothing. A comma desktop changes nothing.
        CommaDesktop comma;
        MainWindow window;
        addBlock(*window.trackBlockList(), {}, {simulatorTrack({SessionWriter::simulatorRecord({4, -2, 9, 0, 7}, {1, 1, 0, 1, 1})}, 2.5, 10)});
        QTemporaryDir dir;
        const QString path = dir.filePath("points.dat");
        TestSupport::acceptNextFileDialog({path}, window.tr("Voxler data files") + " (*.dat)");
        window.exportData();
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromLatin1(file.readAll()), QString("0.000000 2.500000 9.000000 4.000000\n"
                                                             "0.000000 2.500000 8.000000 -2.000000\n"
                                                             "0.000000 2.500000 6.000000 0.000000\n"
                                                             "0.000000 2.500000 5.000000 7.000000\n"));
    }

    void typedExtensionChoosesTheFormat()
    {
        MainWindow window;
        addBlock(*window.trackBlockList(), {}, {kestrionTrack({kestrionRecord({{4, 5}})}),
                                                 simulatorTrack({SessionWriter::simulatorRecord({4, -2, 9, 0, 7}, {1, 1, 0, 1, 1})}, 2.5, 10)});
        const QString voxlerFilter = window.tr("Voxler data files") + " (*.dat)";
        const QString csvFilter = window.tr("CSV files") + " (*.csv)";
        const QString header = "Freq[#], X[m], Y[m], EMFAbs[uV], EMFRe[uV], EMFIm[uV], Phase[*], "
                               "AppRes[Ohm*m], Lat[*], Lon[*], GNSS altitude, UTC";
        QTemporaryDir dir;
        const auto exported = [&](const QString& name, const QString& filter) {
            TestSupport::acceptNextFileDialog({dir.filePath(name)}, filter);
            window.exportData();
            return QString::fromLatin1(TestSupport::fileBytes(dir.filePath(name))).split('\n');
        };
        const QRegularExpression voxlerLine("^(-?\\d+\\.\\d{6} ){3}-?\\d+\\.\\d{6}$");
        // Either extension wins over the other filter, whatever its case.
        QCOMPARE(exported("legacy.csv", voxlerFilter).first(), header);
        const QStringList points = exported("points.DAT", csvFilter);
        QVERIFY(voxlerLine.match(points.first()).hasMatch());
        QCOMPARE(points.value(points.size() - 2), QString("0.000000 2.500000 5.000000 7.000000"));
        // Any other name: the filter decides.
        QCOMPARE(exported("table.txt", csvFilter).first(), header);
        QVERIFY(voxlerLine.match(exported("points.txt", voxlerFilter).first()).hasMatch());
    }

    void kestrionTable()
    {
        // Frequency 0 has every constant 1: re = 4 - 1, im = 5 - 1 volts.
        // Frequency 1 has constants 2: re = 3 / 0.5 - 2, im = 2 / 0.5 - 2.
        QList<QByteArray> records = {kestrionRecord({{4, 5}, {3, 2}, {1, 1}}), QByteArray(10, '\0')};
        Track track = kestrionTrack(records, 3, 120.5);
        track.records()[0].position() = Point3D(-5, 3, 120.5);
        const ExportSource source({{"latitude", "60"}, {"longitude", "30"}}, {track, simulatorTrack({})});
        const QStringList lines = csvLines(source);
        QCOMPARE(lines.size(), 1 + 2 * 3);
        QCOMPARE(lines.at(0), QString("Freq[#], X[m], Y[m], EMFAbs[uV], EMFRe[uV], EMFIm[uV], Phase[*], "
                                      "AppRes[Ohm*m], Lat[*], Lon[*], GNSS altitude, UTC"));
        const QGeoCoordinate placed = ExportSource::place(ExportSource::origin(source.info()), -5, 3);
        const QString tail = QString(", %1, %2, 120.5, 2026.06.01 10:00:00:000")
                                 .arg(placed.latitude(), 0, 'f', 8)
                                 .arg(placed.longitude(), 0, 'f', 8);
        QVERIFY(tail.startsWith(", 60.00002698, 29.99991007"));
        QCOMPARE(lines.at(1), "1, -5.000, 3.000, 5e+06, 3e+06, 4e+06, 53.1301, 50" + tail);
        QCOMPARE(lines.at(2), "2, -5.000, 3.000, 4.47214e+06, 4e+06, 2e+06, 26.5651, 2000" + tail);
        QVERIFY(lines.at(3).startsWith("3, -5.000, 3.000, "));
        // A record of the wrong length still gives its rows, all zeros.
        QCOMPARE(lines.at(4), QString("1, 1.000, 3.000, 0, 0, 0, 0, 0, 60.00002698, 30.00001799, 120.5, "
                                      "2026.06.01 10:00:01:000"));

        // An origin off the globe gives no positions; a simulator first track
        // gives no table at all, nor does an empty list.
        QVERIFY(csvLines(ExportSource({{"latitude", "95"}}, {track})).at(1).endsWith(", nan, nan, 120.5, 2026.06.01 10:00:00:000"));
        QVERIFY(csvLines(ExportSource({}, {simulatorTrack({}), track})).isEmpty());
        QVERIFY(csvLines(ExportSource()).isEmpty());
    }

    void legacyTable()
    {
        // Under the plain calibration re = V.Re / |C| and im = V.Im / |C|: a
        // modulus of 0.001 has the conductivity 1.4394612206290798 S/m, and
        // its ppm is 0.001 / (k * 10 * 1000 * pi * 0.25 / (4 * pi)) * 1e6.
        RawRecordBytes r;
        r.setChannel(0, 128, 0, 1000, 0);
        r.setChannel(5, 128, 0, 1000, 0, false);
        Track track = legacyTrack({r.bytes}, 4, 100.5);
        track.records()[0].position() = Point3D(3, 4, 100.5);
        track.records()[0].time() = QDateTime(QDate(2026, 8, 9), QTime(7, 5, 3, 42), Qt::UTC);
        const QStringList lines = csvLines(ExportSource({}, {track, kestrionTrack({kestrionRecord({{4, 5}})})}));
        QCOMPARE(lines.size(), 1 + 14);
        QCOMPARE(lines.at(0), QString("Freq[#], X[m], Y[m], V[m], Z[m], Log(Abs)[*], Log(Im)[*], Log(Re)[*], Phase[*], "
                                      "Con[mS/m], Ro[Om*m], PPM, Lat[*], Lon[*], GNSS altitude, UTC"));
        const QGeoCoordinate placed = ExportSource::place(ExportSource::origin({}), 3, 4);
        const QString tail = QString(", %1, %2, 100.5, 2026.08.09 07:05:03:042")
                                 .arg(placed.latitude(), 0, 'f', 8)
                                 .arg(placed.longitude(), 0, 'f', 8);
        QVERIFY(tail.startsWith(", 0.00003597, 0.00002698"));
        QCOMPARE(lines.at(1), "1, 3.000, 4.000, 5.000, 90.5, 0.001, 0, 0.001, 0, 1439.46, 0.694704, 20.2642" + tail);
        // An invalid channel still gives its row: zeros, and its depth.
        QCOMPARE(lines.at(6), "6, 3.000, 4.000, 5.000, 94.0714, 0, 0, 0, 0, 0, 0, 0" + tail);
        QVERIFY(lines.at(14).startsWith("14, 3.000, 4.000, 5.000, 99.7857, "));
    }

    void failedWrites()
    {
        MainWindow window;
        addBlock(*window.trackBlockList(), {}, {kestrionTrack({kestrionRecord({{4, 5}})})});
        const QString csvFilter = window.tr("CSV files") + " (*.csv)";
        QStringList texts;
        if (QFile::exists("/dev/full")) {
            // The file dialog asks before replacing an existing file.
            TestSupport::acceptNextFileDialog({"/dev/full"}, csvFilter);
            TestSupport::answerNextMessageBoxes({QMessageBox::Yes, QMessageBox::Ok}, &texts);
            window.exportData();
            QCOMPARE(texts.value(1), window.tr("Can not write data to file"));
        }
        texts.clear();
        TestSupport::acceptNextFileDialog({"/nonexistent-folder/out.csv"}, csvFilter);
        TestSupport::answerNextMessageBoxes({QMessageBox::Ok}, &texts);
        window.exportData();
        QCOMPARE(texts, QStringList{window.tr("Can not open file")});
    }
};

TUNDRACK_TEST(DataExportTest)
#include "dataexporttest.moc"

#include "common/sessionwriter.h"
#include "common/testregistry.h"
#include "common/testsupport.h"
#include "probes/probebytes.h"

#include "app/converterdialog.h"
#include "app/exportsource.h"
#include "app/vktconversion.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextStream>
#include <QTimer>
#include <QtEndian>

#include <functional>

using ProbeBytes::LegacyBlock;
using ProbeBytes::RawRecordBytes;

namespace {

Track legacyTrack(qint32 serial, const QList<QByteArray>& records, double y = 0.0, double z = 0.0)
{
    LegacyBlock block = LegacyBlock::plain();
    block.serial = serial;
    return SessionWriter::track(ProbeId(254, 254), block.bytes(), records, y, z);
}

QByteArray record(int marker)
{
    RawRecordBytes r;
    r.setChannel(0, marker, 2, 3, 4);
    return r.bytes;
}

// Little-endian fields of the device file, built byte by byte.
template <typename T>
QByteArray le(T value)
{
    QByteArray bytes(sizeof(T), '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray header(qint16 serial, qint32 count)
{
    return QByteArray("VKT\0", 4) + le<qint16>(1) + le<qint16>(0) + QByteArray(768, '\0') + QByteArray("\1\1", 2) +
           le<qint16>(2000) + le<qint16>(serial) + le<qint16>(1) + le<qint32>(788) + le<qint32>(count) +
           le<qint32>(0) + le<qint32>(800);
}

QString lla(const QList<QStringList>& rows)
{
    QString text = QString::fromUtf8("Latitude [\u00B0]\tLongitude [\u00B0]\tAltitude [m]\n");
    for (const QStringList& row : rows)
        text += row.join('\t') + '\n';
    return text;
}

// Answers every message box while it lives, Yes when it is offered and Ok
// otherwise, and keeps its text followed by what note() says at that moment.
class BoxAnswerer : public QObject
{
public:
    explicit BoxAnswerer(std::function<QString()> note) : m_note(std::move(note))
    {
        connect(&m_timer, &QTimer::timeout, this, [this]() {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            texts << box->text() + m_note();
            QAbstractButton* yes = box->button(QMessageBox::Yes);
            (yes ? yes : box->button(QMessageBox::Ok))->click();
        });
        m_timer.start(10);
    }

    QStringList texts;

private:
    std::function<QString()> m_note;
    QTimer m_timer;
};

QString coordinates(const VktConversion& conversion)
{
    QString text;
    QTextStream out(&text);
    conversion.writeCoordinates(out);
    out.flush();
    return text;
}

} // namespace

class ConverterDialogTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::clearAllSettings(); }

    void deviceFileBytes()
    {
        // At the origin a record carries the origin itself.
        Track track = legacyTrack(7, {record(5)}, 0, 12.25);
        const VktConversion conversion({{"latitude", "60.5"}, {"longitude", "-30.25"}}, {track}, 7);
        QCOMPARE(conversion.recordCount(), 1);
        QCOMPARE(conversion.deviceFile(), header(7, 1) + record(5) + le<qint32>(0) + le<double>(-30.25) + le<double>(60.5));
        QCOMPARE(coordinates(conversion), lla({{"60.50000000", "-30.25000000", "12.250"}}));

        // Single precision shows in the coordinate file: 59.9 is 59.900001525878906 as a float.
        const VktConversion placed({{"latitude", "59.9"}}, {legacyTrack(7, {record(5)}, 3, 0.1)}, 7);
        const QGeoCoordinate p = ExportSource::place(QGeoCoordinate(59.9, 0), 0, 3);
        QCOMPARE(placed.deviceFile().mid(800 + 180), le<double>(p.longitude()) + le<double>(p.latitude()));
        QCOMPARE(coordinates(placed), lla({{QString::number(double(float(p.latitude())), 'f', 8), "0.00000000", "0.100"}}));
        QVERIFY(coordinates(placed).contains("\t0.100\n"));
    }

    void selectionAndOrder()
    {
        const Track kestrion = SessionWriter::track(ProbeId(1, 0), QByteArray(360, '\1'), {record(9)});
        const Track simulator = SessionWriter::track(ProbeId(0, 0), QByteArray("\1\2\3\4\5", 5), {QByteArray(10, '\1')});
        const QList<Track> tracks = {legacyTrack(12, {record(1)}), kestrion, legacyTrack(300, {record(2)}),
                                     legacyTrack(7, {record(3), QByteArray(175, '\0'), record(4)}), simulator,
                                     legacyTrack(12, {record(5), record(6)}), legacyTrack(70000, {record(8)})};
        QCOMPARE(VktConversion::serials(tracks), (QList<qint32>{7, 12, 300, 70000}));

        const VktConversion twelve({}, tracks, 12);
        QCOMPARE(twelve.recordCount(), 3);
        const QByteArray bytes = twelve.deviceFile();
        QCOMPARE(bytes.size(), 800 + 3 * 196);
        QCOMPARE(bytes.mid(788, 4), le<qint32>(3));
        QCOMPARE(bytes.mid(800, 176), record(1));
        QCOMPARE(bytes.mid(800 + 196, 176), record(5));
        QCOMPARE(bytes.mid(800 + 2 * 196, 176), record(6));

        // A record of another length would shift every later one: left out.
        const VktConversion seven({}, tracks, 7);
        QCOMPARE(seven.recordCount(), 2);
        QCOMPARE(seven.skippedCount(), 1);
        QCOMPARE(seven.deviceFile().mid(800 + 196, 176), record(4));

        // The header has room for the serial's low 16 bits only.
        QCOMPARE(VktConversion({}, tracks, 70000).deviceFile().mid(780, 2), le<qint16>(qint16(70000 & 0xFFFF)));
        QCOMPARE(VktConversion({}, tracks, 5).recordCount(), 0);
    }

    void dialog()
    {
        QStringList texts;
        {
            // Warned over the dialog once it is on screen; it stays open
            // with nothing to choose.
            ConverterDialog none({}, {SessionWriter::track(ProbeId(1, 0), QByteArray(360, '\1'), {record(9)})});
            bool overTheDialog = false;
            QTimer watcher;
            connect(&watcher, &QTimer::timeout, [&]() {
                auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                if (box && box->isVisible()) {
                    overTheDialog = box->parentWidget() == &none && none.isVisible();
                    texts << box->text();
                    box->button(QMessageBox::Ok)->click();
                } else if (!texts.isEmpty()) {
                    none.reject();
                }
            });
            watcher.start(10);
            QCOMPARE(none.exec(), int(QDialog::Rejected));
            QCOMPARE(texts, QStringList{ConverterDialog::tr("No data to convert")});
            QVERIFY(overTheDialog);
            QVERIFY(!none.serialComboBox->isEnabled());
            QVERIFY(!none.convertPushButton->isEnabled());
        }

        ConverterDialog dialog({}, {legacyTrack(300, {record(1), QByteArray(5, '\0')}),
                                    legacyTrack(7, {record(2), QByteArray(3, '\0')})});
        // Qt adds the title and menu that a close button needs, nothing else.
        QCOMPARE(dialog.windowFlags() & ~(Qt::WindowType_Mask | Qt::WindowTitleHint | Qt::WindowSystemMenuHint),
                 Qt::CustomizeWindowHint | Qt::WindowCloseButtonHint);
        QCOMPARE(dialog.serialComboBox->count(), 2);
        QCOMPARE(dialog.serialComboBox->itemText(0), QString("7"));
        QVERIFY(dialog.convertPushButton->isEnabled());

        QTemporaryDir dir;
        const QString path = dir.filePath("out.vkt");
        // Each message is noted with the lines of the coordinate file then written.
        BoxAnswerer answerer([&]() {
            return QString(" [%1]").arg(QString::fromUtf8(TestSupport::fileBytes(path + ".lla")).count('\n'));
        });
        bool shown = false;
        TestSupport::onNextModal([&](QWidget*) {
            shown = true;
            QVERIFY(dialog.isVisible());
            // Cancel in the file dialog keeps the converter open; nothing
            // was written, so nothing is said of the left-out records.
            TestSupport::rejectNextFileDialog();
            QTest::mouseClick(dialog.convertPushButton, Qt::LeftButton);
            QVERIFY(dialog.isVisible());
            QCOMPARE(answerer.texts, QStringList());

            dialog.m_llaCheckBox->setChecked(true);
            dialog.serialComboBox->setCurrentIndex(1);
            TestSupport::acceptNextFileDialog({path});
            QTest::mouseClick(dialog.convertPushButton, Qt::LeftButton);
            QVERIFY(!dialog.isVisible());
            QCOMPARE(TestSupport::fileBytes(path).mid(800, 176), record(1));
            QCOMPARE(QString::fromUtf8(TestSupport::fileBytes(path + ".lla")).count('\n'), 2);
            // Said once, after both files were written.
            QCOMPARE(answerer.texts, QStringList{ConverterDialog::tr("Records of another length left out: %1").arg(1) + " [2]"});
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(shown);

        // A full disk is reported with the file's name; the device file
        // then holds nothing, so nothing is said of the left-out records.
        if (QFile::exists("/dev/full")) {
            ConverterDialog full({}, {legacyTrack(7, {record(2), QByteArray(3, '\0')})});
            answerer.texts.clear();
            QFile::remove(path + ".lla");
            TestSupport::onNextModal([&](QWidget*) {
                TestSupport::acceptNextFileDialog({"/dev/full"});
                QTest::mouseClick(full.convertPushButton, Qt::LeftButton);
            });
            full.exec();
            QCOMPARE(answerer.texts.size(), 2); // the question before replacing, then the failure
            QCOMPARE(answerer.texts.value(1), ConverterDialog::tr("Can not write data to file") + " \"/dev/full\" [0]");
        }
    }
};

TUNDRACK_TEST(ConverterDialogTest)
#include "converterdialogtest.moc"

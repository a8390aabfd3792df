#include "common/testregistry.h"
#include "common/testsupport.h"
#include "probes/probebytes.h"

#include "app/trackdatafiles.h"
#include "probes/kestrion/zndtranslator_kestrion.h"
#include "probes/legacy/zndtranslator_legacy.h"
#include "probes/simulator/zndtranslator_simulator.h"
#include "survey/track.h"

#include <QTemporaryDir>
#include <QTest>

using TestSupport::fileBytes;
using TestSupport::writeFileBytes;

class TrackDataFilesTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void specificationsFiles()
    {
        // Every byte value, line ends included, comes back unchanged.
        QByteArray bytes = ProbeBytes::KestrionBlock().bytes();
        for (int b = 0; b < 256; ++b)
            bytes.append(char(b));
        bytes.append("\r\n\n\r");
        const QString file = m_dir.filePath(QStringLiteral("specs.bin"));
        writeFileBytes(file, QByteArray(5000, 'x'));
        QCOMPARE(TrackDataFiles::writeSpecifications(file, bytes), TrackDataFiles::Done);
        QCOMPARE(fileBytes(file), bytes);
        QByteArray read;
        QCOMPARE(TrackDataFiles::readSpecifications(file, &read), TrackDataFiles::Done);
        QCOMPARE(read, bytes);
        QCOMPARE(TrackDataFiles::writeSpecifications(QStringLiteral("/dev/full"), bytes), TrackDataFiles::CannotWrite);
        QCOMPARE(TrackDataFiles::writeSpecifications(m_dir.filePath(QStringLiteral("no/dir")), bytes),
                 TrackDataFiles::CannotOpen);

        writeFileBytes(file, QByteArray(64 * 1024, 'a'));
        QCOMPARE(TrackDataFiles::readSpecifications(file, &read), TrackDataFiles::Done);
        QCOMPARE(read, QByteArray(64 * 1024, 'a'));
        // One byte more is refused as too large, and an endless device is
        // never read whole.
        writeFileBytes(file, QByteArray(64 * 1024 + 1, 'b'));
        read = "kept";
        QCOMPARE(TrackDataFiles::readSpecifications(file, &read), TrackDataFiles::TooLarge);
        QCOMPARE(TrackDataFiles::readSpecifications(QStringLiteral("/dev/zero"), &read), TrackDataFiles::TooLarge);
        // Opens, then fails to read (nothing is mapped at 0): close() would forget that.
        QCOMPARE(TrackDataFiles::readSpecifications(QStringLiteral("/proc/self/mem"), &read), TrackDataFiles::CannotRead);
        QCOMPARE(TrackDataFiles::readSpecifications(m_dir.filePath(QStringLiteral("missing")), &read),
                 TrackDataFiles::CannotOpen);
        QCOMPARE(read, QByteArray("kept"));
    }

    void rawDataText()
    {
        ProbeBytes::KestrionBlock block;
        block.mode = 1; // frequencies on channels 0, 1, 2
        Track track;
        track.setSpecifications(block.bytes());
        ProbeBytes::RawRecordBytes raw;
        raw.setChannel(0, 1280, -129, 5, -6);
        raw.setChannel(1, 999, 999, 999, 999, false);
        raw.setChannel(2, -8388608, 8388607, 8388607, -8388608);
        TrackRecord record;
        for (const auto& r : {qMakePair(Point3D(12.3456789, 0.5, 1e7), raw.bytes),
                              qMakePair(Point3D(-0.000123456789, 123456789, 0), ProbeBytes::RawRecordBytes().bytes),
                              qMakePair(Point3D(1, 2, 3), QByteArray("short"))}) {
            record.setPosition(r.first);
            record.setData(r.second);
            track.appendRecord(record);
        }
        ZndTranslator_Kestrion kestrion;
        QVERIFY(kestrion.setSpecifications(track.specifications()));
        const QByteArray header = "X[m] Y[m] Z[m] V.Re[1] V.Im[1] C.Re[1] C.Im[1] V.Re[2] V.Im[2] C.Re[2] C.Im[2] "
                                  "V.Re[3] V.Im[3] C.Re[3] C.Im[3] \n";
        // V parts are divided by 128 towards minus infinity; an invalid channel gives zeros.
        const QByteArray lines = "12.3457 0.5 1e+07 10 -2 5 -6 0 0 0 0 -65536 65535 8.38861e+06 -8.38861e+06 \n"
                                 "-0.000123457 1.23457e+08 0 0 0 0 0 0 0 0 0 0 0 0 0 \n"
                                 "1 2 3 \n";

        // Replacing, appending with a second header line, replacing again.
        const QString file = m_dir.filePath(QStringLiteral("raw.txt"));
        writeFileBytes(file, QByteArray(9000, 'z'));
        QCOMPARE(TrackDataFiles::saveRawData(file, false, track, kestrion, true), TrackDataFiles::Done);
        QCOMPARE(fileBytes(file), header + lines);
        QCOMPARE(TrackDataFiles::saveRawData(file, true, track, kestrion, true), TrackDataFiles::Done);
        QCOMPARE(fileBytes(file), header + lines + header + lines);
        QCOMPARE(TrackDataFiles::saveRawData(file, true, track, kestrion, false), TrackDataFiles::Done);
        QCOMPARE(fileBytes(file), header + lines + header + lines + lines);
        QCOMPARE(TrackDataFiles::saveRawData(file, false, track, kestrion, false), TrackDataFiles::Done);
        QCOMPARE(fileBytes(file), lines);
        // A model without raw columns gives the positions only.
        ZndTranslator_Simulator simulator;
        QCOMPARE(TrackDataFiles::saveRawData(file, false, track, simulator, true), TrackDataFiles::Done);
        QCOMPARE(fileBytes(file), QByteArray("X[m] Y[m] Z[m] \n12.3457 0.5 1e+07 \n-0.000123457 1.23457e+08 0 \n1 2 3 \n"));

        // A full disk fails within the buffers and, beyond them, long before close().
        const QString full = QStringLiteral("/dev/full");
        QCOMPARE(TrackDataFiles::saveRawData(full, true, track, kestrion, true), TrackDataFiles::CannotWrite);
        for (int i = 0; i < 10; ++i)
            track.records() += track.records();
        QCOMPARE(TrackDataFiles::saveRawData(full, false, track, kestrion, true), TrackDataFiles::CannotWrite);
        QCOMPARE(TrackDataFiles::saveRawData(m_dir.filePath(QStringLiteral("no/raw.txt")), false, track, kestrion, true),
                 TrackDataFiles::CannotOpen);
    }

    void legacyRawDataText()
    {
        // 14 channels of four columns each; a clear validity bit gives zeros.
        ProbeBytes::RawRecordBytes raw;
        raw.setChannel(0, 1280, -129, 5, -6);
        raw.setChannel(13, 256, 384, 7, 8);
        raw.setChannel(6, 999, 999, 999, 999, false);
        TrackRecord record;
        record.setPosition(Point3D(1.5, -2, 100.25));
        record.setData(raw.bytes);
        Track track;
        track.appendRecord(record);
        ZndTranslator_Legacy legacy;
        legacy.setSpecifications(ProbeBytes::LegacyBlock().bytes());

        QByteArray header = "X[m] Y[m] Z[m] ";
        QByteArray line = "1.5 -2 100.25 10 -2 5 -6 ";
        for (int n = 1; n <= 14; ++n) {
            for (const char* column : {"V.Re", "V.Im", "C.Re", "C.Im"})
                header += QByteArray(column) + '[' + QByteArray::number(n) + "] ";
            if (n > 1 && n < 14)
                line += "0 0 0 0 ";
        }
        line += "2 3 7 8 \n";
        header += '\n';
        const QString file = m_dir.filePath(QStringLiteral("legacy.txt"));
        QCOMPARE(TrackDataFiles::saveRawData(file, false, track, legacy, true), TrackDataFiles::Done);
        QCOMPARE(TrackDataFiles::saveRawData(file, true, track, legacy, false), TrackDataFiles::Done);
        QCOMPARE(fileBytes(file), header + line + line);
    }
};

TUNDRACK_TEST(TrackDataFilesTest)
#include "trackdatafilestest.moc"

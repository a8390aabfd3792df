// tundrack-bench export [--records N]
//   writes a CSV export of N legacy records into a temporary file.
#include "benchcommand.h"
#include "syntheticrecord.h"

#include "app/dataexport.h"
#include "app/exportsource.h"
#include "probes/legacy/legacyspecifications.h"
#include "shared/writtenfile.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

int exportCsv(const QStringList& args)
{
    const int records = benchOption(args, "--records", "100000").toInt();
    QRandomGenerator random(11);
    // A plausible device: every constant non-zero, frequencies 0.5 ... 7 kHz.
    LegacySpecifications specifications;
    specifications.serial = 12;
    for (int f = 0; f < LegacySpecifications::frequencyCount; ++f) {
        specifications.F[f] = 0.5 * (f + 1);
        for (QVector<double>* vector : {&specifications.XP, &specifications.YP, &specifications.CC, &specifications.XAir,
                                        &specifications.YAir, &specifications.IAir, &specifications.M1,
                                        &specifications.GF})
            (*vector)[f] = 1.0 + 0.01 * f;
        specifications.M2[f] = 3.0;
    }
    specifications.Rt = 0.5;
    specifications.Nt = 10;
    specifications.R1 = 1.0;
    specifications.R2 = 2.0;
    Track track;
    track.setProbeId(ProbeId(254, 254));
    track.setSpecifications(specifications.toByteArray());
    const QDateTime start(QDate(2026, 7, 1), QTime(9, 0), Qt::UTC);
    for (int i = 0; i < records; ++i)
        track.appendRecord(syntheticKestrionRecord(random, Point3D(i * 0.5 - 2000.0, (i % 200) * 10.0 - 1000.0, 100.0 + random.bounded(1.0)),
                                                   start.addMSecs(qint64(i) * 100)));
    QMap<QString, QString> info;
    info.insert("latitude", "59.9");
    info.insert("longitude", "30.3");
    const ExportSource source(info, {track});

    QTemporaryDir dir;
    const QString fileName = dir.filePath("export.csv");
    QElapsedTimer timer;
    timer.start();
    const WrittenFile::Result result =
        WrittenFile::writeText(fileName, [&source](QTextStream& out) { DataExport::writeCsv(out, source); });
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (result != WrittenFile::Written)
        return 1;
    const double megabytes = QFileInfo(fileName).size() / 1e6;
    benchPrint(QStringLiteral("export records=%1 rows=%2 seconds=%3 MBps=%4")
                   .arg(records)
                   .arg(qint64(records) * LegacySpecifications::frequencyCount)
                   .arg(seconds, 0, 'f', 3)
                   .arg(seconds > 0 ? megabytes / seconds : 0.0, 0, 'f', 1));
    return 0;
}

BenchCommand exportCommand("export", exportCsv);

} // namespace

// tundrack-bench rawdata [--records N]
//   writes the raw-data text of one Kestrion track of N records (header line
//   included) the way the entry information dialog saves it.
#include "benchcommand.h"
#include "syntheticrecord.h"

#include "app/trackdatafiles.h"
#include "probes/kestrion/zndtranslator_kestrion.h"
#include "survey/track.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

int rawData(const QStringList& args)
{
    const int records = benchOption(args, "--records", "100000").toInt();
    Track track;
    track.setProbeId(ProbeId(1, 0));
    QRandomGenerator random(21);
    const QDateTime start(QDate(2026, 7, 1), QTime(9, 0), Qt::UTC);
    for (int i = 0; i < records; ++i) {
        const Point3D position(i * 0.137, 50.0 + i * 0.0031, 100.25);
        track.appendRecord(syntheticKestrionRecord(random, position, start.addMSecs(qint64(i) * 200)));
    }
    ZndTranslator_Kestrion translator;
    translator.setSpecifications(track.specifications());

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("raw.txt"));
    QElapsedTimer timer;
    timer.start();
    const bool ok = TrackDataFiles::saveRawData(path, false, track, translator, true) == TrackDataFiles::Done;
    const double seconds = timer.nsecsElapsed() / 1e9;
    if (!ok)
        return 1;
    benchPrint(QStringLiteral("rawdata records=%1 seconds=%2 bytes=%3")
                   .arg(records)
                   .arg(seconds, 0, 'f', 3)
                   .arg(QFileInfo(path).size()));
    return 0;
}

BenchCommand rawDataCommand("rawdata", rawData);

} // namespace

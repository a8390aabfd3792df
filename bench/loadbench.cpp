// tundrack-bench make-session FILE [--records N] [--tracks T] [--local-time]
//   writes a synthetic session file of Kestrion-sized records (UTC times,
//   or local times, which are slower to read).
// tundrack-bench load FILE...
//   loads each session file and prints its figures.
#include "benchcommand.h"
#include "syntheticrecord.h"

#include "survey/trackblocklist.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

namespace {

int makeSession(const QStringList& args)
{
    const QStringList files = benchPositional(args);
    if (files.size() != 1)
        return 2;
    const int records = benchOption(args, "--records", "200000").toInt();
    const int trackCount = qMax(1, benchOption(args, "--tracks", "10").toInt());

    QFile file(files.first());
    if (!file.open(QIODevice::WriteOnly))
        return 1;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_5_2);
    QMap<QString, QString> info;
    info.insert("latitude", "59.9");
    info.insert("longitude", "30.3");
    info.insert("altitude", "12.0");
    out << info << quint32(trackCount);

    QRandomGenerator random(7);
    const Qt::TimeSpec timeSpec = args.contains("--local-time") ? Qt::LocalTime : Qt::UTC;
    const QDateTime start(QDate(2026, 7, 1), QTime(9, 0), timeSpec);
    int written = 0;
    for (int t = 0; t < trackCount; ++t) {
        const int count = records / trackCount + (t < records % trackCount ? 1 : 0);
        Track track;
        track.setProbeId(ProbeId(1, 0));
        track.setSpecifications(QByteArray(360, '\x01'));
        out << track.probeId() << track.specifications() << track.path() << track.extraPoints();
        out << qint32(count);
        for (int i = 0; i < count; ++i, ++written) {
            const Point3D position(i * 1.0, t * 10.0, 100.0 + random.bounded(1.0));
            out << syntheticKestrionRecord(random, position, start.addMSecs(qint64(written) * 100));
        }
    }
    file.close();
    return file.error() == QFileDevice::NoError && out.status() == QDataStream::Ok ? 0 : 1;
}

int load(const QStringList& args)
{
    const QStringList files = benchPositional(args);
    if (files.isEmpty())
        return 2;
    int status = 0;
    for (const QString& name : files) {
        TrackBlockList list;
        QElapsedTimer timer;
        timer.start();
        const bool ok = list.loadSession(name);
        const double seconds = timer.nsecsElapsed() / 1e9;
        int entries = 0;
        qint64 records = 0;
        if (ok) {
            const TrackBlock& block = list.block(0);
            entries = block.entryCount();
            for (const TrackBlockEntry& entry : block.entries())
                records += entry.track().records().size();
        } else {
            status = 1;
        }
        const double megabytes = QFileInfo(name).size() / 1e6;
        benchPrint(QStringLiteral("load %1 ok=%2 entries=%3 records=%4 seconds=%5 MBps=%6")
                       .arg(name)
                       .arg(ok ? 1 : 0)
                       .arg(entries)
                       .arg(records)
                       .arg(seconds, 0, 'f', 3)
                       .arg(seconds > 0 ? megabytes / seconds : 0.0, 0, 'f', 1));
    }
    return status;
}

BenchCommand makeSessionCommand("make-session", makeSession);
BenchCommand loadCommand("load", load);

} // namespace

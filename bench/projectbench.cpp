// tundrack-bench project [--records N]
//   builds a project of N Kestrion-sized records in 20 blocks with 10 slices,
//   saves it the way the main window does and opens it again.
#include "benchcommand.h"
#include "syntheticrecord.h"

#include "app/projectfile.h"
#include "slices/sliceobjectlist.h"
#include "survey/trackblocklist.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>

namespace {

// One synthetic session of count records, loaded as a block.
bool appendBlock(TrackBlockList& list, int index, int count)
{
    QMap<QString, QString> info{{"latitude", "59.9"}, {"longitude", "30.3"}};
    QList<Track> tracks;
    QRandomGenerator random(index);
    const QDateTime start(QDate(2026, 7, 1), QTime(9, 0), Qt::UTC);
    const int trackCount = 5;
    for (int t = 0; t < trackCount; ++t) {
        Track track;
        track.setProbeId(ProbeId(1, 0));
        track.setSpecifications(QByteArray(360, '\x01'));
        const int records = count / trackCount + (t < count % trackCount ? 1 : 0);
        QList<TrackRecord> list;
        list.reserve(records);
        for (int i = 0; i < records; ++i) {
            const Point3D position(i * 0.5, index * 50.0 + t * 10.0, 100.0);
            list.append(syntheticKestrionRecord(random, position, start.addMSecs(qint64(i) * 200)));
        }
        track.setRecords(list);
        tracks.append(track);
    }
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setVersion(QDataStream::Qt_5_2);
        out << info << tracks;
    }
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    return list.loadSession(buffer, QStringLiteral("block%1.kv").arg(index));
}

int project(const QStringList& args)
{
    const int records = benchOption(args, "--records", "1000000").toInt();
    const int blockCount = 20;
    TrackBlockList blocks;
    for (int b = 0; b < blockCount; ++b) {
        if (!appendBlock(blocks, b, records / blockCount + (b < records % blockCount ? 1 : 0)))
            return 1;
    }
    SliceObjectList slices;
    for (int s = 0; s < 10; ++s) {
        SliceObject slice;
        slice.setTitle(QStringLiteral("#%1").arg(s + 1));
        if (s % 2 == 0)
            slice.setPolygon(QPolygonF(QVector<QPointF>{QPointF(0, s * 10.0), QPointF(500, s * 10.0)}));
        else
            slice.setPolygon(QPolygonF(QVector<QPointF>{QPointF(0, 0), QPointF(100, 0), QPointF(100, 100), QPointF(0, 100)}));
        slice.setHeight(95.0);
        slices.append(slice);
    }

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.td"));
    QElapsedTimer timer;
    timer.start();
    bool ok = ProjectFile::save(path, blocks, slices);
    const double saveSeconds = timer.nsecsElapsed() / 1e9;

    timer.restart();
    TrackBlockList readBlocks;
    SliceObjectList readSlices;
    QFile in(path);
    ok = ok && in.open(QIODevice::ReadOnly) && ProjectFile::read(in, readBlocks, readSlices);
    const double openSeconds = timer.nsecsElapsed() / 1e9;
    if (!ok || readBlocks.count() != blockCount || readSlices.count() != 10)
        return 1;
    benchPrint(QStringLiteral("project records=%1 save_seconds=%2 open_seconds=%3 bytes=%4")
                   .arg(records)
                   .arg(saveSeconds, 0, 'f', 3)
                   .arg(openSeconds, 0, 'f', 3)
                   .arg(QFileInfo(path).size()));
    return 0;
}

BenchCommand projectCommand("project", project);

} // namespace

#include "common/sessionwriter.h"

#include <QDataStream>
#include <QFile>

namespace SessionWriter {

QByteArray bytes(const QMap<QString, QString>& info, const QList<Track>& tracks)
{
    QByteArray result;
    QDataStream out(&result, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_2);
    out << info << tracks;
    return result;
}

bool write(const QString& path, const QMap<QString, QString>& info, const QList<Track>& tracks)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    const QByteArray data = bytes(info, tracks);
    return file.write(data) == data.size();
}

QByteArray simulatorRecord(const QList<int>& values, const QList<int>& validity)
{
    QByteArray record;
    for (int v : values)
        record.append(char(qint8(v)));
    for (int v : validity)
        record.append(char(quint8(v)));
    return record;
}

Track track(const ProbeId& probe, const QByteArray& specifications, const QList<QByteArray>& records,
            double y, double z)
{
    Track result;
    result.setProbeId(probe);
    result.setSpecifications(specifications);
    const QDateTime start(QDate(2026, 6, 1), QTime(10, 0), Qt::UTC);
    for (int i = 0; i < records.size(); ++i) {
        TrackRecord record;
        record.setPosition(Point3D(i, y, z));
        record.setData(records.at(i));
        record.setTime(start.addSecs(i));
        result.appendRecord(record);
    }
    return result;
}

} // namespace SessionWriter

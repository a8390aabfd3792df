#include "survey/track.h"

#include "survey/readbytearray.h"
#include "survey/readlist.h"

double Track::length() const
{
    double sum = 0.0;
    for (int i = 1; i < m_path.size(); ++i)
        sum += m_path.at(i - 1).distance(m_path.at(i));
    return sum;
}

QDataStream& operator<<(QDataStream& out, const Track& track)
{
    out << track.probeId() << track.specifications() << track.path() << track.extraPoints();
    out << qint32(track.records().size());
    for (const TrackRecord& record : track.records())
        out << record;
    return out;
}

QDataStream& operator>>(QDataStream& in, Track& track)
{
    ProbeId probeId;
    QByteArray specifications;
    QList<Point3D> path;
    QList<Point3D> extraPoints;
    QList<TrackRecord> records;
    in >> probeId;
    readByteArray(in, specifications);
    readList(in, path);
    readList(in, extraPoints);
    readList(in, records);
    track.setProbeId(probeId);
    track.setSpecifications(specifications);
    track.setPath(path);
    track.setExtraPoints(extraPoints);
    track.setRecords(records);
    return in;
}

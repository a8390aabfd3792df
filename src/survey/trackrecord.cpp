#include "survey/trackrecord.h"

QDataStream& operator<<(QDataStream& out, const TrackRecord& record)
{
    out << record.position() << record.data() << record.time();
    return out;
}

QDataStream& operator>>(QDataStream& in, TrackRecord& record)
{
    Point3D position;
    QByteArray data;
    QDateTime time;
    in >> position >> data >> time;
    record = TrackRecord();
    record.setPosition(position);
    record.setData(data);
    record.setTime(time);
    return in;
}

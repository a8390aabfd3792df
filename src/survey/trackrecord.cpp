#include "survey/trackrecord.h"

#include "survey/readbytearray.h"

#include <QTimeZone>

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
    in >> position;
    readByteArray(in, data);
    in >> time;
    // A zone this system does not know leaves the time without a zone, and
    // Qt crashes when it writes such a time back (a project save). Keep the
    // recorded wall-clock time, taken as UTC.
    if (time.timeSpec() == Qt::TimeZone && !time.timeZone().isValid())
        time = QDateTime(time.date(), time.time(), Qt::UTC);
    record = TrackRecord();
    record.setPosition(position);
    record.setData(data);
    record.setTime(time);
    return in;
}

#pragma once

#include "survey/point3d.h"
#include "survey/probeid.h"
#include "survey/trackrecord.h"

#include <QByteArray>
#include <QDataStream>
#include <QList>

// One recorded track of one probe.
class Track
{
public:
    Track() = default;
    Track(const Track&) = default;
    Track& operator=(const Track&) = default;
    virtual ~Track() = default;

    int id() const { return m_id; }
    void setId(int id) { m_id = id; }

    const ProbeId& probeId() const { return m_probeId; }
    ProbeId& probeId() { return m_probeId; }
    void setProbeId(const ProbeId& id) { m_probeId = id; }

    const QByteArray& specifications() const { return m_specifications; }
    QByteArray& specifications() { return m_specifications; }
    void setSpecifications(const QByteArray& bytes) { m_specifications = bytes; }

    const QList<Point3D>& path() const { return m_path; }
    const QList<Point3D>& extraPoints() const { return m_extraPoints; }
    const QList<TrackRecord>& records() const { return m_records; }
    QList<TrackRecord>& records() { return m_records; }

    void setPath(const QList<Point3D>& path) { m_path = path; }
    void setExtraPoints(const QList<Point3D>& points) { m_extraPoints = points; }
    void setRecords(const QList<TrackRecord>& records) { m_records = records; }
    void appendExtraPoint(const Point3D& point) { m_extraPoints.append(point); }
    void appendRecord(const TrackRecord& record) { m_records.append(record); }

    double length() const;

private:
    int m_id = -1;
    ProbeId m_probeId;
    QByteArray m_specifications;
    QList<Point3D> m_path;
    QList<Point3D> m_extraPoints;
    QList<TrackRecord> m_records;
};

QDataStream& operator<<(QDataStream& out, const Track& track);
QDataStream& operator>>(QDataStream& in, Track& track);

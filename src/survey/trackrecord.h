#pragma once

#include "survey/point3d.h"

#include <QByteArray>
#include <QDataStream>
#include <QDateTime>

// One measurement: where, the raw device bytes, and when.
class TrackRecord
{
public:
    TrackRecord() = default;

    const Point3D& position() const { return m_position; }
    Point3D& position() { return m_position; }
    const QByteArray& data() const { return m_data; }
    QByteArray& data() { return m_data; }
    const QDateTime& time() const { return m_time; }
    QDateTime& time() { return m_time; }

    void setPosition(const Point3D& position) { m_position = position; }
    void setData(const QByteArray& data) { m_data = data; }
    void setTime(const QDateTime& time) { m_time = time; }

    // Set by the polygon Fix command; never stored, never cleared.
    bool isFixed() const { return m_fixed; }
    void setFixed() { m_fixed = true; }

private:
    Point3D m_position;
    QByteArray m_data;
    QDateTime m_time;
    bool m_fixed = false;
};

QDataStream& operator<<(QDataStream& out, const TrackRecord& record);
QDataStream& operator>>(QDataStream& in, TrackRecord& record);

#pragma once

#include "survey/track.h"

#include <QGeoCoordinate>
#include <QList>
#include <QMap>
#include <QString>

class TrackBlockList;

// What the data export and the converter read from a project, and where on
// the globe a record of it lies.
class ExportSource
{
public:
    ExportSource() = default;
    ExportSource(const QMap<QString, QString>& info, const QList<Track>& tracks);

    // The information maps of the enabled blocks merged in block order (a
    // later block wins an equal key) and the tracks of their enabled entries
    // in block and entry order. Disabled blocks give neither.
    static ExportSource gather(const TrackBlockList& blocks);

    const QMap<QString, QString>& info() const { return m_info; }
    const QList<Track>& tracks() const { return m_tracks; }

    // Latitude and longitude from the keys that contain "latitude" and
    // "longitude" (case-sensitive), the last such key in key order winning
    // and an unreadable value counting as 0. Outside the globe's ranges the
    // origin is invalid, and so is every position placed from it.
    static QGeoCoordinate origin(const QMap<QString, QString>& info);
    // The position x metres east and y metres north of origin: first north
    // or south by y, then east or west by x, along great circles.
    static QGeoCoordinate place(const QGeoCoordinate& origin, double x, double y);

private:
    QMap<QString, QString> m_info;
    QList<Track> m_tracks;
};

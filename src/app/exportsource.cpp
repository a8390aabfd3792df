#include "app/exportsource.h"

#include "survey/trackblocklist.h"

#include <cmath>

ExportSource::ExportSource(const QMap<QString, QString>& info, const QList<Track>& tracks)
    : m_info(info), m_tracks(tracks)
{
}

ExportSource ExportSource::gather(const TrackBlockList& blocks)
{
    ExportSource source;
    for (const TrackBlock& block : blocks.blocks()) {
        if (!block.isEnabled())
            continue;
        for (auto it = block.info().constBegin(); it != block.info().constEnd(); ++it)
            source.m_info.insert(it.key(), it.value());
        for (const TrackBlockEntry& entry : block.entries()) {
            if (entry.isEnabled())
                source.m_tracks.append(entry.track());
        }
    }
    return source;
}

QGeoCoordinate ExportSource::origin(const QMap<QString, QString>& info)
{
    QGeoCoordinate origin;
    origin.setLatitude(0.0);
    origin.setLongitude(0.0);
    for (auto it = info.constBegin(); it != info.constEnd(); ++it) {
        if (it.key().contains(QLatin1String("latitude")))
            origin.setLatitude(it.value().toDouble());
        if (it.key().contains(QLatin1String("longitude")))
            origin.setLongitude(it.value().toDouble());
    }
    return origin;
}

QGeoCoordinate ExportSource::place(const QGeoCoordinate& origin, double x, double y)
{
    const QGeoCoordinate north = origin.atDistanceAndAzimuth(std::fabs(y), y >= 0 ? 0.0 : 180.0);
    return north.atDistanceAndAzimuth(std::fabs(x), x >= 0 ? 90.0 : 270.0);
}

#pragma once

#include "survey/track.h"

#include <QDataStream>
#include <QList>
#include <QString>

#include <functional>

class QwtPlotCurve;

// Where a record's position goes under a geometric transform.
using PointMap = std::function<Point3D(const Point3D&)>;

// One track of a block with its name, its switch and its two plan-map curves.
// The entry owns its curves. A copy takes the data only: curves are never
// shared, so each is deleted exactly once.
class TrackBlockEntry
{
public:
    TrackBlockEntry() = default;
    TrackBlockEntry(const TrackBlockEntry& other);
    TrackBlockEntry& operator=(const TrackBlockEntry& other);
    ~TrackBlockEntry();

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    Track& track() { return m_track; }
    const Track& track() const { return m_track; }
    void setTrack(const Track& track);
    void setSpecifications(const QByteArray& bytes);

    QwtPlotCurve* curve() const { return m_curve; }
    QwtPlotCurve* fixedCurve() const { return m_fixedCurve; }
    void setCurve(QwtPlotCurve* curve);
    void setFixedCurve(QwtPlotCurve* curve);

    void applyHidden(bool hidden);
    void updateCurves();

    // Puts every record where map sends it, then redraws the curves.
    void transform(const PointMap& map);
    // Whether map sends every record to a finite position.
    bool mapsToFinite(const PointMap& map) const;

    // Appends the values of every record at every valid frequency.
    void values(QList<double>& out) const;

private:
    void releaseCurves();

    bool m_enabled = true;
    QString m_name;
    Track m_track;
    QwtPlotCurve* m_curve = nullptr;
    QwtPlotCurve* m_fixedCurve = nullptr;
};

extern TrackBlockEntry emptyTrackBlockEntry;

QDataStream& operator<<(QDataStream& out, const TrackBlockEntry& entry);
QDataStream& operator>>(QDataStream& in, TrackBlockEntry& entry);

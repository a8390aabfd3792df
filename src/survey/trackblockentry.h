#pragma once

#include "survey/track.h"

#include <QDataStream>
#include <QList>
#include <QPointF>
#include <QString>

class QwtPlotCurve;

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

    void translate(double dx, double dy, double dz);
    void scale(double cx, double cy, double sx, double sy);
    void rotate(const QPointF& centre, double degrees);

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

#include "survey/trackblockentry.h"

#include "probes/trackpoints.h"

#include <qwt_plot_curve.h>

#include <QPointF>
#include <QVector>

TrackBlockEntry emptyTrackBlockEntry;

TrackBlockEntry::TrackBlockEntry(const TrackBlockEntry& other)
    : m_enabled(other.m_enabled), m_name(other.m_name), m_track(other.m_track)
{
}

TrackBlockEntry& TrackBlockEntry::operator=(const TrackBlockEntry& other)
{
    if (this != &other) {
        m_enabled = other.m_enabled;
        m_name = other.m_name;
        m_track = other.m_track;
    }
    return *this;
}

TrackBlockEntry::~TrackBlockEntry()
{
    releaseCurves();
}

namespace {

void releaseCurve(QwtPlotCurve*& curve)
{
    if (curve) {
        curve->setSamples(QVector<QPointF>());
        curve->detach();
        delete curve;
        curve = nullptr;
    }
}

} // namespace

void TrackBlockEntry::releaseCurves()
{
    releaseCurve(m_curve);
    releaseCurve(m_fixedCurve);
}

void TrackBlockEntry::setEnabled(bool enabled)
{
    m_enabled = enabled;
    applyHidden(!enabled);
}

void TrackBlockEntry::setTrack(const Track& track)
{
    m_track = track;
}

void TrackBlockEntry::setSpecifications(const QByteArray& bytes)
{
    m_track.setSpecifications(bytes);
}

void TrackBlockEntry::setCurve(QwtPlotCurve* curve)
{
    if (curve != m_curve)
        releaseCurve(m_curve);
    m_curve = curve;
}

void TrackBlockEntry::setFixedCurve(QwtPlotCurve* curve)
{
    if (curve != m_fixedCurve)
        releaseCurve(m_fixedCurve);
    m_fixedCurve = curve;
    updateCurves();
}

void TrackBlockEntry::applyHidden(bool hidden)
{
    const bool visible = !hidden && m_enabled;
    if (m_curve)
        m_curve->setVisible(visible);
    if (m_fixedCurve)
        m_fixedCurve->setVisible(visible);
}

void TrackBlockEntry::updateCurves()
{
    const QList<TrackRecord>& records = m_track.records();
    if (m_curve) {
        QVector<QPointF> points;
        points.reserve(records.size());
        for (const TrackRecord& record : records)
            points.append(QPointF(record.position().x(), record.position().y()));
        m_curve->setSamples(points);
    }
    if (m_fixedCurve) {
        QVector<QPointF> points;
        for (const TrackRecord& record : records) {
            if (record.isFixed())
                points.append(QPointF(record.position().x(), record.position().y()));
        }
        m_fixedCurve->setSamples(points);
    }
}

void TrackBlockEntry::transform(const PointMap& map)
{
    for (TrackRecord& record : m_track.records())
        record.position() = map(record.position());
    updateCurves();
}

bool TrackBlockEntry::mapsToFinite(const PointMap& map) const
{
    for (const TrackRecord& record : m_track.records()) {
        if (!map(record.position()).isFinite())
            return false;
    }
    return true;
}

void TrackBlockEntry::values(QList<double>& out) const
{
    TrackPoints::visit(m_track, [&out](const TrackRecord&, const QVector<QPointF>& points, bool) {
        for (const QPointF& point : points)
            out.append(point.y());
    });
}

QDataStream& operator<<(QDataStream& out, const TrackBlockEntry& entry)
{
    out << entry.isEnabled() << entry.name() << entry.track();
    return out;
}

QDataStream& operator>>(QDataStream& in, TrackBlockEntry& entry)
{
    bool enabled = true;
    QString name;
    Track track;
    in >> enabled >> name >> track;
    entry.setEnabled(enabled);
    entry.setName(name);
    entry.setTrack(track);
    return in;
}

#include "survey/trackblockentry.h"

#include "probes/trackpoints.h"

#include <qwt_plot_curve.h>

#include <QVector>

#include <cmath>

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

void TrackBlockEntry::translate(double dx, double dy, double dz)
{
    for (TrackRecord& record : m_track.records()) {
        Point3D& p = record.position();
        p = Point3D(p.x() + dx, p.y() + dy, p.z() + dz);
    }
    updateCurves();
}

void TrackBlockEntry::scale(double cx, double cy, double sx, double sy)
{
    for (TrackRecord& record : m_track.records()) {
        Point3D& p = record.position();
        p = Point3D((p.x() - cx) * sx + cx, (p.y() - cy) * sy + cy, p.z());
    }
    updateCurves();
}

void TrackBlockEntry::rotate(const QPointF& centre, double degrees)
{
    const double a = degrees * M_PI / 180.0;
    const double c = std::cos(a);
    const double s = std::sin(a);
    const double cx = centre.x();
    const double cy = centre.y();
    for (TrackRecord& record : m_track.records()) {
        Point3D& p = record.position();
        const double x = p.x() - cx;
        const double y = p.y() - cy;
        p = Point3D(cx + x * c - y * s, cy + x * s + y * c, p.z());
    }
    updateCurves();
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

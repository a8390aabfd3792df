#include "app/profilesamples.h"

#include "probes/trackpoints.h"
#include "survey/track.h"

#include <cmath>

ProfileSamples ProfileSamples::of(const Track& track)
{
    ProfileSamples samples;
    double distance = 0.0;
    const Point3D* previous = nullptr;
    TrackPoints::visit(track, [&](const TrackRecord& record, const QVector<QPointF>& points, bool) {
        const Point3D& p = record.position();
        // Absolute steps: a record placed back along the track still adds.
        if (previous) {
            const double dx = p.x() - previous->x();
            const double dy = p.y() - previous->y();
            distance += std::sqrt(dx * dx + dy * dy);
        }
        previous = &p;
        samples.surface.append(QPointF(distance, p.z()));
        for (const QPointF& point : points) {
            if (std::isfinite(point.x()))
                samples.depths.append(QPointF(distance, p.z() - point.x()));
        }
    });
    return samples;
}

#pragma once

#include <QPointF>
#include <QVector>

class Track;

// A vertical section along one track, in metres. The surface holds one
// point per record: the distance walked so far in the plane and the
// record's height. The depths hold, for each record the probe module could
// decode, one point per value at the record's height minus the value's depth.
class ProfileSamples
{
public:
    QVector<QPointF> surface;
    QVector<QPointF> depths;

    // Both lists are empty when the track has no records or its values
    // cannot be computed (no module, refused specifications).
    static ProfileSamples of(const Track& track);
};

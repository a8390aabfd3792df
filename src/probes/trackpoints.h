#pragma once

#include <QPointF>
#include <QVector>

#include <functional>

class Track;
class TrackRecord;

// Runs a track's records through its probe module, the way the views see
// them: the process options as stored, one (depth, value) pair per valid
// frequency.
class TrackPoints
{
public:
    // Called for every record in order; ok is false for a record the module
    // could not decode, and points is then empty.
    using Visitor = std::function<void(const TrackRecord& record, const QVector<QPointF>& points, bool ok)>;

    // Visits nothing and returns false when the track has no records, its
    // probe has no module, the module refuses the specifications or gives no
    // process options.
    static bool visit(const Track& track, const Visitor& visitor);
};

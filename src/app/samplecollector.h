#pragma once

#include "survey/point3d.h"

#include <QCoreApplication>
#include <QList>
#include <QPointF>
#include <QString>
#include <QVector>

class TrackBlockList;

// Turns the enabled measurements of a project into the point lists that the
// interpolation models and the Voxler export are made from. Needs no window;
// telling the user about unknown probes is left to the caller.
class SampleCollector
{
    Q_DECLARE_TR_FUNCTIONS(SampleCollector)

public:
    // Walks the enabled entries of the enabled blocks and appends to the
    // lists, which may be null and are not cleared: to top the position of
    // every record of a usable track, to samples x, y, z and value of every
    // (depth, value) pair whose value lies in [min, max], to bottom the
    // position at the depth of each record's last pair. The height counts as
    // 0 when the preferences say to ignore it; the processing options choose
    // which values a probe gives. Returns false when an entry was left out
    // because its probe has no module or its specifications were refused.
    static bool collect(const TrackBlockList& blocks, QList<Point3D>* bottom, QList<Point3D>* top,
                        QList<double>* samples, double min, double max);

    // The samples and the bottom point of one record at p from its
    // (depth, value) pairs, as collect() appends them. Values and depths that
    // are not finite numbers never become samples, and a bottom point is
    // made only at a finite depth.
    static void appendPairs(const Point3D& p, const QVector<QPointF>& pairs, double min,
                            double max, QList<Point3D>* bottom, QList<double>* samples);

    // What the caller shows, once, when collect() returned false.
    static QString unknownProbeMessage();
};

#pragma once

#include "survey/point3d.h"

#include <QList>

// Point lists shaped like a probe survey: records 1 m apart along lines
// 10 m apart (optionally with positioning noise), several depths per record
// from 0.5 m to 2.5 m below a gently rolling surface.
struct SyntheticSurvey
{
    QList<Point3D> bottomPoints;
    QList<Point3D> topPoints;
    QList<double> samples; // x, y, z, value quadruples

    static constexpr int depthsPerRecord = 5;
    static SyntheticSurvey make(qint64 sampleCount, double positionNoise = 0.0);

    double width = 0.0;  // extent in x of the survey
    double height = 0.0; // extent in y
    double surface(double x, double y) const;
};

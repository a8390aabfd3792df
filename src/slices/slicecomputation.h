#pragma once

#include "slices/parallelloop.h"
#include "slices/slicerasterdata.h"

#include <qwt_interval.h>

#include <QLineF>
#include <QPolygonF>
#include <QVector>

#include <vector>

class IdwModel;
class XaThread;

// The cell loops of the two kinds of slice, over the three models of a
// build and into a SliceRasterData, without a thread of their own: the
// slice workers run them with their cancel and progress, tests call them
// directly. Each cell asks cancelled() first; a computation stopped before
// its raster was laid out leaves the no-data raster. A raster over
// SliceRasterData::maximumCells is refused as too large before it is
// allocated.
class SliceComputation
{
public:
    // The models a slice is sampled from and the interval its values are
    // held to; the interval is invalid when there is nothing to sample.
    struct Models
    {
        const IdwModel* bottom = nullptr;
        const IdwModel* top = nullptr;
        const IdwModel* value = nullptr;
        QwtInterval interval = QwtInterval(0.0, -1.0);

        // The models of a build, or none for a null source.
        static Models of(const XaThread* source);
    };

    // A curtain standing on line between the two surfaces, cells of step
    // metres along the line (x from 0) and in height.
    static void vertical(const Models& models, const QLineF& line, double step, int threads,
                         const ParallelLoop::CancelFunction& cancelled,
                         const ParallelLoop::ProgressFunction& progress, SliceRasterData& result);

    // The cut at height inside polygon, where it lies between the two
    // surfaces, cells of step metres from the polygon's lowest x and y.
    static void horizontal(const Models& models, const QPolygonF& polygon, double height, double step,
                           int threads, const ParallelLoop::CancelFunction& cancelled,
                           const ParallelLoop::ProgressFunction& progress, SliceRasterData& result);

    // Which of the cells x = i * step (i < columns) of the row at height y lie
    // inside outline by the odd-even rule, with the results of
    // QPolygonF::containsPoint(Qt::OddEvenFill) to the last bit, points on the
    // outline included, in one sweep. crossings is working space.
    static void insideRow(const QVector<QPointF>& outline, double y, double step, qint64 columns,
                          std::vector<double>& crossings, char* inside);
};

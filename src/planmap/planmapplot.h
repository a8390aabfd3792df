#pragma once

#include <qwt_plot.h>

#include <QPointF>
#include <QPolygonF>

class QMouseEvent;
class QwtPlotCurve;
class QwtPlotRescaler;
class SliceObject;

// The plan map: track entries, fixed records and slice outlines in local
// metres with equal scales on both axes.
//
// Entry, fixed and slice curves belong to the entries and slices they are
// handed to; the plot finds them by their item type whenever it needs them
// and keeps no pointers of its own. Whichever goes first, the plot or the
// owners, each curve is deleted exactly once: the plot detaches them without
// deleting when it is destroyed, and an owner's curve detaches itself when
// deleted.
class PlanMapPlot : public QwtPlot
{
    Q_OBJECT

public:
    explicit PlanMapPlot(QWidget* parent = nullptr);
    ~PlanMapPlot() override;

    // New attached curves; the caller hands each to its owner at once.
    QwtPlotCurve* createEntryCurve();
    QwtPlotCurve* createFixedCurve();
    QwtPlotCurve* createSliceCurve();

    void setSliceCurvesVisible(bool visible);
    void setEntryCurvesVisible(bool visible);

    // The points drawn over the viewed slice: a closed outline for a
    // horizontal slice, the line with an arrow head at its end for a
    // vertical one.
    static QPolygonF highlightPolygon(const QPolygonF& polygon);

public slots:
    // Highlights the slice, or nothing for null. The slice is not kept.
    void showSliceObject(const SliceObject* slice);
    void fit();

signals:
    void currentPoint(QPointF p);

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void setCurvesVisible(int rtti, bool visible);

    QwtPlotCurve* m_highlight = nullptr;
    QwtPlotRescaler* m_rescaler = nullptr;
};

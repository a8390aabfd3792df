#pragma once

#include <qwt_plot_curve.h>

// Plan-map curve of a slice outline; owned by its SliceObject.
// Its own item type lets the plot find it among its items instead of
// remembering pointers that the owner deletes.
class PlanMapSliceCurve : public QwtPlotCurve
{
public:
    enum { Rtti = QwtPlotItem::Rtti_PlotUserItem + 3 };

    PlanMapSliceCurve() = default;

    int rtti() const override;
};

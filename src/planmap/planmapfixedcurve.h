#pragma once

#include <qwt_plot_curve.h>

// Plan-map curve of the records of a track entry moved by Fix; owned by its TrackBlockEntry.
// Its own item type lets the plot find it among its items instead of
// remembering pointers that the owner deletes.
class PlanMapFixedCurve : public QwtPlotCurve
{
public:
    enum { Rtti = QwtPlotItem::Rtti_PlotUserItem + 2 };

    PlanMapFixedCurve() = default;

    int rtti() const override;
};

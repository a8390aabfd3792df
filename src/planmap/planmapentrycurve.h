#pragma once

#include <qwt_plot_curve.h>

// Plan-map curve of every record of a track entry; owned by its TrackBlockEntry.
// Its own item type lets the plot find it among its items instead of
// remembering pointers that the owner deletes.
class PlanMapEntryCurve : public QwtPlotCurve
{
public:
    enum { Rtti = QwtPlotItem::Rtti_PlotUserItem + 1 };

    PlanMapEntryCurve() = default;

    int rtti() const override;
};

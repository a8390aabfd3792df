#pragma once

#include <qwt_plot_magnifier.h>

// Zoom of the plan map, the other way round from the plotting library's
// default: turning the wheel forward magnifies.
class RPlotMagnifier : public QwtPlotMagnifier
{
public:
    explicit RPlotMagnifier(QWidget* canvas);

protected:
    // A factor of 0 or less leaves the view as it is.
    void rescale(double factor) override;
};

#include "planmap/rplotmagnifier.h"

RPlotMagnifier::RPlotMagnifier(QWidget* canvas) : QwtPlotMagnifier(canvas)
{
}

void RPlotMagnifier::rescale(double factor)
{
    if (factor > 0.0)
        QwtPlotMagnifier::rescale(1.0 / factor);
}

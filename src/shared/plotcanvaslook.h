#pragma once

#include <qwt_plot.h>

#include <QBrush>
#include <QFrame>

// The canvas that every plot of the application shares: arrow cursor, thin
// plain frame, white background.
class PlotCanvasLook
{
public:
    static void apply(QwtPlot* plot)
    {
        QWidget* area = plot->canvas();
        area->setCursor(Qt::ArrowCursor);
        if (auto* frame = qobject_cast<QFrame*>(area))
            frame->setFrameStyle(QFrame::StyledPanel | QFrame::Plain);
        plot->setCanvasBackground(QBrush(Qt::white, Qt::SolidPattern));
    }
};

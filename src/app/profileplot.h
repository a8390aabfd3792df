#pragma once

#include <qwt_plot.h>

#include <QPointF>
#include <QVector>

class QwtPlotCurve;
class QwtPlotRescaler;

// The section along a track: the surface as a line through dots, the depth
// points as crosses, with one metre taking as many pixels across as up.
// Opens with all of the data in view; panned with the left mouse button,
// zoomed with the wheel.
class ProfilePlot : public QwtPlot
{
public:
    explicit ProfilePlot(QWidget* parent = nullptr);
    ~ProfilePlot() override;

    // Shows the points (distance, height), all of them in view.
    void setData(const QVector<QPointF>& surface, const QVector<QPointF>& depths);

    const QwtPlotCurve* surfaceCurve() const { return m_surfaceCurve; }
    const QwtPlotCurve* depthCurve() const { return m_depthCurve; }

private:
    // From the first zoom or pan on, a change of size keeps the distance
    // shown instead of fitting the data again.
    void keepUsersView();

    QwtPlotCurve* m_surfaceCurve = nullptr;
    QwtPlotCurve* m_depthCurve = nullptr;
    QwtPlotRescaler* m_rescaler = nullptr;
};

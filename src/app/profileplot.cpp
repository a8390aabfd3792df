#include "app/profileplot.h"

#include "planmap/rplotmagnifier.h"
#include "shared/plainscaledraw.h"
#include "shared/plotcanvaslook.h"

#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_plot_panner.h>
#include <qwt_plot_rescaler.h>
#include <qwt_symbol.h>

#include <functional>

namespace {

QwtPlotCurve* createCurve(const QPen& pen, QwtSymbol* symbol)
{
    auto* curve = new QwtPlotCurve;
    curve->setTitle(QString());
    curve->setPen(pen);
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    // A long track puts many records on one pixel: painting only what shows
    // keeps the view quick, as on the plan map.
    curve->setPaintAttribute(QwtPlotCurve::ClipPolygons, true);
    curve->setPaintAttribute(QwtPlotCurve::FilterPoints, true);
    curve->setSymbol(symbol);
    return curve;
}

// The plan map's zoom, which first lets the plot know that the view is now
// the user's.
class ProfileMagnifier : public RPlotMagnifier
{
public:
    ProfileMagnifier(QWidget* canvas, std::function<void()> beforeZoom)
        : RPlotMagnifier(canvas), m_beforeZoom(std::move(beforeZoom))
    {
    }

protected:
    void rescale(double factor) override
    {
        m_beforeZoom();
        RPlotMagnifier::rescale(factor);
    }

private:
    std::function<void()> m_beforeZoom;
};

} // namespace

ProfilePlot::ProfilePlot(QWidget* parent) : QwtPlot(parent)
{
    setAutoReplot(true);

    PlotCanvasLook::apply(this);
    QWidget* area = canvas();
    // Without this the axes span fewer pixels than the rescaler assumes and
    // a metre across would not match a metre up.
    plotLayout()->setAlignCanvasToScales(true);
    // Plain labels that tell the ticks apart, also at seven-digit heights.
    for (int axis : {QwtPlot::xBottom, QwtPlot::yLeft})
        setAxisScaleDraw(axis, new PlainScaleDraw);

    auto* grid = new QwtPlotGrid;
    grid->setPen(QPen(Qt::lightGray, 1, Qt::SolidLine));
    grid->attach(this);

    m_surfaceCurve = createCurve(QPen(Qt::black, 1, Qt::SolidLine),
                                 new QwtSymbol(QwtSymbol::Ellipse, QBrush(Qt::black, Qt::SolidPattern),
                                               QPen(Qt::black), QSize(4, 4)));
    m_surfaceCurve->attach(this);

    m_depthCurve = createCurve(QPen(Qt::NoPen),
                               new QwtSymbol(QwtSymbol::XCross, QBrush(Qt::NoBrush), QPen(Qt::blue), QSize(3, 3)));
    m_depthCurve->attach(this);

    // Equal scales that keep the whole section in view, also after the
    // window changes size: with a fixed distance axis the depths of a short
    // track (one record, a few metres) would lie outside the canvas.
    m_rescaler = new QwtPlotRescaler(area, QwtPlot::xBottom, QwtPlotRescaler::Fitting);
    m_rescaler->setAspectRatio(QwtPlot::yLeft, 1.0);
    m_rescaler->setExpandingDirection(QwtPlotRescaler::ExpandBoth);

    // A zoom or a pan changes the axis labels and with them the canvas size;
    // fitting again at that resize would undo it at once.
    auto* panner = new QwtPlotPanner(area);
    QObject::connect(panner, &QwtPanner::moved, this, [this]() { keepUsersView(); });
    new ProfileMagnifier(area, [this]() { keepUsersView(); });
}

ProfilePlot::~ProfilePlot() = default;

void ProfilePlot::keepUsersView()
{
    // As on the plan map: the distance shown stays, the height follows.
    m_rescaler->setRescalePolicy(QwtPlotRescaler::Fixed);
}

void ProfilePlot::setData(const QVector<QPointF>& surface, const QVector<QPointF>& depths)
{
    const bool replotting = autoReplot();
    setAutoReplot(false);
    m_surfaceCurve->setSamples(surface);
    m_depthCurve->setSamples(depths);

    // The library's automatic ranges of the data are what has to fit, with
    // a little room so that no point sits on the canvas edge.
    for (int axis : {QwtPlot::xBottom, QwtPlot::yLeft}) {
        setAxisAutoScale(axis, true);
        updateAxes();
        const QwtInterval range = axisInterval(axis).normalized();
        const double room = range.width() * 0.05;
        m_rescaler->setIntervalHint(axis, QwtInterval(range.minValue() - room, range.maxValue() + room));
    }
    m_rescaler->setRescalePolicy(QwtPlotRescaler::Fitting);
    m_rescaler->rescale();

    setAutoReplot(replotting);
    replot();
}

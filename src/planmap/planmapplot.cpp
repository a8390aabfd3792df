#include "planmap/planmapplot.h"

#include "planmap/planmapentrycurve.h"
#include "planmap/planmapfixedcurve.h"
#include "planmap/planmapslicecurve.h"
#include "planmap/rplotmagnifier.h"
#include "shared/plainscaledraw.h"
#include "shared/plotcanvaslook.h"
#include "slices/sliceobject.h"

#include <qwt_plot_canvas.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_layout.h>
#include <qwt_plot_panner.h>
#include <qwt_plot_rescaler.h>
#include <qwt_symbol.h>

#include <QMouseEvent>
#include <QVector>

#include <cmath>

namespace {

// Curves that belong to entries and slices rather than to the plot.
const int ownedCurveKinds[] = {PlanMapEntryCurve::Rtti, PlanMapFixedCurve::Rtti, PlanMapSliceCurve::Rtti};

void setCommonLook(QwtPlotCurve* curve)
{
    curve->setTitle(QString());
    curve->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    // A dense survey puts many records on one pixel and, zoomed in, most of
    // them outside the canvas: both are left out before painting.
    curve->setPaintAttribute(QwtPlotCurve::ClipPolygons, true);
    curve->setPaintAttribute(QwtPlotCurve::FilterPoints, true);
}

} // namespace

PlanMapPlot::PlanMapPlot(QWidget* parent) : QwtPlot(parent)
{
    setAttribute(Qt::WA_MouseTracking, true);
    setAutoReplot(true);

    QWidget* area = canvas();
    area->setMouseTracking(true);
    PlotCanvasLook::apply(this);
    // The rescaler measures the whole canvas; with the layout's default
    // margins the axes would be drawn over fewer pixels than it assumes and
    // the scales would differ by a few per cent.
    plotLayout()->setAlignCanvasToScales(true);
    // Plain labels that tell the ticks apart, also at seven-digit coordinates.
    for (int axis : {QwtPlot::xBottom, QwtPlot::yLeft})
        setAxisScaleDraw(axis, new PlainScaleDraw);

    m_highlight = new QwtPlotCurve;
    m_highlight->setTitle(QString());
    m_highlight->setRenderHint(QwtPlotItem::RenderAntialiased, true);
    m_highlight->setPen(QPen(QBrush(Qt::red, Qt::Dense4Pattern), 10, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    m_highlight->attach(this);

    auto* grid = new QwtPlotGrid;
    grid->setPen(QPen(Qt::lightGray, 0, Qt::SolidLine));
    grid->attach(this);

    m_rescaler = new QwtPlotRescaler(area, QwtPlot::xBottom, QwtPlotRescaler::Fixed);
    m_rescaler->setAspectRatio(QwtPlot::yLeft, 1.0);
    m_rescaler->setIntervalHint(QwtPlot::xBottom, QwtInterval(0.0, 100.0));

    auto* panner = new QwtPlotPanner(area);
    panner->setMouseButton(Qt::MiddleButton, Qt::NoModifier);

    new RPlotMagnifier(area);

    setAxisScale(QwtPlot::xBottom, 0.0, 100.0);
    m_rescaler->rescale();
}

PlanMapPlot::~PlanMapPlot()
{
    setAutoReplot(false);
    // The owners of these curves may outlive the plot and delete them later;
    // the rest (highlight, grid) goes with the plot.
    for (int rtti : ownedCurveKinds)
        detachItems(rtti, false);
}

QwtPlotCurve* PlanMapPlot::createEntryCurve()
{
    auto* curve = new PlanMapEntryCurve;
    setCommonLook(curve);
    curve->setPen(QPen(Qt::black, 1, Qt::SolidLine));
    curve->setSymbol(new QwtSymbol(QwtSymbol::XCross, QBrush(Qt::NoBrush), QPen(Qt::black), QSize(5, 5)));
    curve->attach(this);
    return curve;
}

QwtPlotCurve* PlanMapPlot::createFixedCurve()
{
    auto* curve = new PlanMapFixedCurve;
    setCommonLook(curve);
    curve->setPen(QPen(Qt::NoPen));
    curve->setSymbol(new QwtSymbol(QwtSymbol::XCross, QBrush(Qt::NoBrush), QPen(Qt::red), QSize(5, 5)));
    curve->attach(this);
    return curve;
}

QwtPlotCurve* PlanMapPlot::createSliceCurve()
{
    auto* curve = new PlanMapSliceCurve;
    setCommonLook(curve);
    curve->setPen(QPen(Qt::blue, 1, Qt::SolidLine));
    curve->setSymbol(
        new QwtSymbol(QwtSymbol::Ellipse, QBrush(Qt::blue, Qt::SolidPattern), QPen(Qt::NoPen), QSize(5, 5)));
    curve->setVisible(true);
    curve->attach(this);
    return curve;
}

void PlanMapPlot::setCurvesVisible(int rtti, bool visible)
{
    const bool replotting = autoReplot();
    setAutoReplot(false);
    const QwtPlotItemList items = itemList(rtti);
    for (QwtPlotItem* item : items)
        item->setVisible(visible);
    setAutoReplot(replotting);
    if (replotting)
        replot();
}

void PlanMapPlot::setSliceCurvesVisible(bool visible)
{
    setCurvesVisible(PlanMapSliceCurve::Rtti, visible);
}

void PlanMapPlot::setEntryCurvesVisible(bool visible)
{
    setCurvesVisible(PlanMapEntryCurve::Rtti, visible);
}

QPolygonF PlanMapPlot::highlightPolygon(const QPolygonF& polygon)
{
    QPolygonF points = polygon;
    if (points.size() >= 3) {
        points.append(points.first());
    } else if (points.size() == 2) {
        const QPointF first = points.first();
        const QPointF last = points.last();
        // The small offset keeps a zero-length line pointing somewhere (+x).
        const double dx = first.x() - last.x() + 0.0001;
        const double dy = first.y() - last.y();
        const double length = std::sqrt(dx * dx + dy * dy) / 10.0;
        // Direction from the last point back towards the first.
        const double angle = std::atan2(dy, dx);
        const double barb = M_PI / 8.0;
        const QPointF a(last.x() + std::cos(angle - barb) * length, last.y() + std::sin(angle - barb) * length);
        const QPointF b(last.x() + std::cos(angle + barb) * length, last.y() + std::sin(angle + barb) * length);
        points = QPolygonF({first, last, a, last, b});
    }
    return points;
}

void PlanMapPlot::showSliceObject(const SliceObject* slice)
{
    if (!slice)
        m_highlight->setSamples(QVector<QPointF>());
    else
        m_highlight->setSamples(highlightPolygon(slice->polygon()));
}

void PlanMapPlot::fit()
{
    const bool replotting = autoReplot();
    setAutoReplot(false);

    setAxisAutoScale(QwtPlot::xBottom, true);
    setAxisAutoScale(QwtPlot::yLeft, true);
    updateAxes();
    const QwtInterval xData = axisInterval(QwtPlot::xBottom).normalized();
    const QwtInterval yData = axisInterval(QwtPlot::yLeft).normalized();
    m_rescaler->rescale();

    // Equal scales keep the x range and fit y to the canvas, which cuts off
    // a survey that is taller than the canvas; widen x until y covers it.
    // Wider axis labels may narrow the canvas meanwhile, hence a few rounds.
    for (int round = 0; round < 4; ++round) {
        const QwtInterval x = axisInterval(QwtPlot::xBottom).normalized();
        const QwtInterval y = axisInterval(QwtPlot::yLeft).normalized();
        if (!(y.width() > 0.0) || y.width() >= yData.width())
            break;
        const double width = x.width() * yData.width() / y.width() * (round == 0 ? 1.0 : 1.001);
        const double centre = (xData.minValue() + xData.maxValue()) / 2.0;
        setAxisScale(QwtPlot::xBottom, centre - width / 2.0, centre + width / 2.0);
        setAxisScale(QwtPlot::yLeft, yData.minValue(), yData.maxValue());
        updateAxes();
        m_rescaler->rescale();
    }

    setAutoReplot(replotting);
    replot();
}

void PlanMapPlot::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->pos() - canvas()->pos();
    emit currentPoint(QPointF(invTransform(QwtPlot::xBottom, p.x()), invTransform(QwtPlot::yLeft, p.y())));
    QwtPlot::mouseMoveEvent(event);
}

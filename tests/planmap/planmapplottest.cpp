#include "common/testregistry.h"
#include "common/testsupport.h"

#include "planmap/planmapplot.h"
#include "planmap/rplotmagnifier.h"
#include "shared/plainscaledraw.h"
#include "slices/sliceobjectlist.h"
#include "survey/trackblocklist.h"

#include <qwt_plot_canvas.h>
#include <qwt_plot_curve.h>
#include <qwt_plot_grid.h>
#include <qwt_plot_panner.h>
#include <qwt_plot_rescaler.h>
#include <qwt_scale_map.h>
#include <qwt_symbol.h>

#include <QFrame>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

namespace {

const int entryRtti = QwtPlotItem::Rtti_PlotUserItem + 1;
const int fixedRtti = QwtPlotItem::Rtti_PlotUserItem + 2;
const int sliceRtti = QwtPlotItem::Rtti_PlotUserItem + 3;

class CountingSymbol : public QwtSymbol
{
public:
    explicit CountingSymbol(int* count) : QwtSymbol(QwtSymbol::Cross), m_count(count) {}
    ~CountingSymbol() override { ++*m_count; }

private:
    int* m_count;
};

TrackRecord record(double x, double y, bool fixed = false)
{
    TrackRecord r;
    r.setPosition(Point3D(x, y, 1.0));
    if (fixed)
        r.setFixed();
    return r;
}

TrackBlockEntry makeEntry(const QList<TrackRecord>& records)
{
    Track track;
    track.setRecords(records);
    TrackBlockEntry entry;
    entry.setTrack(track);
    return entry;
}

// A block list with the given blocks, read back from its stream as a project would be.
void fillList(TrackBlockList& list, const QList<TrackBlock>& blocks)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_2);
    out << quint32(blocks.size());
    for (const TrackBlock& block : blocks)
        out << block;
    QVERIFY(TestSupport::unstreamed(bytes, list));
}

void giveCurves(PlanMapPlot& plot, TrackBlock& block)
{
    for (int i = 0; i < block.entryCount(); ++i) {
        TrackBlockEntry& entry = block.entry(i);
        entry.setCurve(plot.createEntryCurve());
        entry.setFixedCurve(plot.createFixedCurve());
        entry.applyHidden(!block.isEnabled() || !entry.isEnabled());
    }
}

QVector<QPointF> samples(const QwtPlotCurve* curve)
{
    QVector<QPointF> points;
    for (size_t i = 0; i < curve->dataSize(); ++i)
        points.append(curve->sample(int(i)));
    return points;
}

QwtPlotCurve* highlightOf(const PlanMapPlot& plot)
{
    const QwtPlotItemList items = plot.itemList(QwtPlotItem::Rtti_PlotCurve);
    return items.size() == 1 ? static_cast<QwtPlotCurve*>(items.first()) : nullptr;
}

bool near(const QPointF& a, const QPointF& b, double tolerance = 1e-9)
{
    return std::abs(a.x() - b.x()) <= tolerance && std::abs(a.y() - b.y()) <= tolerance;
}

QPolygonF polygon(std::initializer_list<QPointF> points)
{
    QPolygonF result;
    for (const QPointF& p : points)
        result << p;
    return result;
}

// Pixels per metre on each axis.
double pixelsPerUnit(const PlanMapPlot& plot, int axis)
{
    const QwtScaleMap map = plot.canvasMap(axis);
    return std::abs(map.pDist() / map.sDist());
}

} // namespace

class PlanMapPlotTest : public QObject
{
    Q_OBJECT

private slots:
    void construction();
    void factoryLooks();
    void visibilityFollowsEntriesAndBlocks();
    void visibilityCallsTouchOnlyTheirKind();
    void highlightVertical();
    void highlightOtherShapes();
    void fitBounds();
    void fitIgnoresHiddenCurves();
    void cursorPosition();
    void removingSlicesAndBlocksWhilePlotLives();
    void plotDestroyedBeforeOwners();
    void ownersDestroyedBeforePlot();
};

void PlanMapPlotTest::construction()
{
    PlanMapPlot plot;
    QVERIFY(plot.testAttribute(Qt::WA_MouseTracking));
    QVERIFY(plot.autoReplot());
    QVERIFY(plot.canvas()->hasMouseTracking());
    QCOMPARE(plot.canvas()->cursor().shape(), Qt::ArrowCursor);
    auto* frame = qobject_cast<QFrame*>(plot.canvas());
    QVERIFY(frame);
    QCOMPARE(frame->frameStyle(), int(QFrame::StyledPanel | QFrame::Plain));
    QCOMPARE(plot.canvasBackground(), QBrush(Qt::white));
    // Plain labels that tell the ticks apart at large coordinates.
    for (int axis : {QwtPlot::xBottom, QwtPlot::yLeft})
        QVERIFY(dynamic_cast<const PlainScaleDraw*>(plot.axisScaleDraw(axis)));

    const QwtPlotItemList grids = plot.itemList(QwtPlotItem::Rtti_PlotGrid);
    QCOMPARE(grids.size(), 1);
    const QPen gridPen = static_cast<QwtPlotGrid*>(grids.first())->majorPen();
    QCOMPARE(gridPen.color(), QColor(Qt::lightGray));
    QCOMPARE(gridPen.widthF(), 0.0);
    QCOMPARE(gridPen.style(), Qt::SolidLine);

    QwtPlotCurve* highlight = highlightOf(plot);
    QVERIFY(highlight);
    QCOMPARE(highlight->dataSize(), size_t(0));
    QVERIFY(highlight->symbol() == nullptr);
    QVERIFY(highlight->testRenderHint(QwtPlotItem::RenderAntialiased));
    const QPen pen = highlight->pen();
    QCOMPARE(pen.brush().color(), QColor(Qt::red));
    QCOMPARE(pen.brush().style(), Qt::Dense4Pattern);
    QCOMPARE(pen.widthF(), 10.0);
    QCOMPARE(pen.style(), Qt::SolidLine);
    QCOMPARE(pen.capStyle(), Qt::RoundCap);
    QCOMPARE(pen.joinStyle(), Qt::RoundJoin);

    const QwtInterval x = plot.axisInterval(QwtPlot::xBottom);
    QCOMPARE(x.minValue(), 0.0);
    QCOMPARE(x.maxValue(), 100.0);

    auto* rescaler = plot.canvas()->findChild<QwtPlotRescaler*>();
    QVERIFY(rescaler);
    QCOMPARE(rescaler->referenceAxis(), int(QwtPlot::xBottom));
    QCOMPARE(rescaler->rescalePolicy(), QwtPlotRescaler::Fixed);
    QCOMPARE(rescaler->aspectRatio(QwtPlot::yLeft), 1.0);
    QCOMPARE(rescaler->intervalHint(QwtPlot::xBottom), QwtInterval(0.0, 100.0));

    auto* panner = plot.canvas()->findChild<QwtPlotPanner*>();
    QVERIFY(panner);
    Qt::MouseButton button = Qt::NoButton;
    Qt::KeyboardModifiers modifiers = Qt::ShiftModifier;
    panner->getMouseButton(button, modifiers);
    QCOMPARE(button, Qt::MiddleButton);
    QCOMPARE(modifiers, Qt::KeyboardModifiers(Qt::NoModifier));

    const QList<QwtPlotMagnifier*> magnifiers = plot.canvas()->findChildren<QwtPlotMagnifier*>();
    QCOMPARE(magnifiers.size(), 1);
    QVERIFY(dynamic_cast<RPlotMagnifier*>(magnifiers.first()));
}

void PlanMapPlotTest::factoryLooks()
{
    PlanMapPlot plot;
    QwtPlotCurve* entry = plot.createEntryCurve();
    QwtPlotCurve* fixed = plot.createFixedCurve();
    QwtPlotCurve* slice = plot.createSliceCurve();

    QCOMPARE(entry->rtti(), entryRtti);
    QCOMPARE(fixed->rtti(), fixedRtti);
    QCOMPARE(slice->rtti(), sliceRtti);
    for (QwtPlotCurve* curve : {entry, fixed, slice}) {
        QCOMPARE(curve->plot(), &plot);
        QVERIFY(curve->isVisible());
        QVERIFY(curve->testRenderHint(QwtPlotItem::RenderAntialiased));
        QVERIFY(curve->title().text().isEmpty());
        QCOMPARE(curve->xAxis(), int(QwtPlot::xBottom));
        QCOMPARE(curve->yAxis(), int(QwtPlot::yLeft));
        QVERIFY(curve->symbol());
        QCOMPARE(curve->symbol()->size(), QSize(5, 5));
    }

    QCOMPARE(entry->pen().color(), QColor(Qt::black));
    QCOMPARE(entry->pen().widthF(), 1.0);
    QCOMPARE(entry->pen().style(), Qt::SolidLine);
    QCOMPARE(entry->symbol()->style(), QwtSymbol::XCross);
    QCOMPARE(entry->symbol()->brush().style(), Qt::NoBrush);
    QCOMPARE(entry->symbol()->pen().color(), QColor(Qt::black));
    QVERIFY(entry->symbol()->pen().style() != Qt::NoPen);

    QCOMPARE(fixed->pen().style(), Qt::NoPen);
    QCOMPARE(fixed->symbol()->style(), QwtSymbol::XCross);
    QCOMPARE(fixed->symbol()->brush().style(), Qt::NoBrush);
    QCOMPARE(fixed->symbol()->pen().color(), QColor(Qt::red));
    QVERIFY(fixed->symbol()->pen().style() != Qt::NoPen);

    QCOMPARE(slice->pen().color(), QColor(Qt::blue));
    QCOMPARE(slice->pen().widthF(), 1.0);
    QCOMPARE(slice->pen().style(), Qt::SolidLine);
    QCOMPARE(slice->symbol()->style(), QwtSymbol::Ellipse);
    QCOMPARE(slice->symbol()->brush().style(), Qt::SolidPattern);
    QCOMPARE(slice->symbol()->brush().color(), QColor(Qt::blue));
    QCOMPARE(slice->symbol()->pen().style(), Qt::NoPen);

    // Each kind is found by its own type.
    QCOMPARE(plot.itemList(entryRtti), QwtPlotItemList({entry}));
    QCOMPARE(plot.itemList(fixedRtti), QwtPlotItemList({fixed}));
    QCOMPARE(plot.itemList(sliceRtti), QwtPlotItemList({slice}));
    delete entry;
    delete fixed;
    delete slice;
    QVERIFY(plot.itemList(entryRtti).isEmpty());
}

void PlanMapPlotTest::visibilityFollowsEntriesAndBlocks()
{
    PlanMapPlot plot;
    TrackBlock source;
    source.appendEntry(makeEntry({record(0, 0), record(1, 1, true), record(2, 0)}));
    source.appendEntry(makeEntry({record(5, 5), record(6, 6)}));
    TrackBlockList list;
    fillList(list, {source});
    TrackBlock& block = list.block(0);
    giveCurves(plot, block);

    TrackBlockEntry& first = block.entry(0);
    TrackBlockEntry& second = block.entry(1);
    QCOMPARE(samples(first.curve()), QVector<QPointF>({QPointF(0, 0), QPointF(1, 1), QPointF(2, 0)}));
    // Fixed flags are not stored, so the read-back track has none.
    QCOMPARE(first.fixedCurve()->dataSize(), size_t(0));
    first.track().records()[1].setFixed();
    first.updateCurves();
    QCOMPARE(samples(first.fixedCurve()), QVector<QPointF>({QPointF(1, 1)}));

    auto visible = [](const TrackBlockEntry& e) { return e.curve()->isVisible() && e.fixedCurve()->isVisible(); };
    auto hidden = [](const TrackBlockEntry& e) { return !e.curve()->isVisible() && !e.fixedCurve()->isVisible(); };
    QVERIFY(visible(first));
    QVERIFY(visible(second));

    second.setEnabled(false);
    QVERIFY(visible(first));
    QVERIFY(hidden(second));

    block.setEnabled(false);
    QVERIFY(hidden(first));
    QVERIFY(hidden(second));
    QVERIFY(second.isEnabled() == false && first.isEnabled());

    block.setEnabled(true);
    QVERIFY(visible(first));
    QVERIFY(hidden(second));

    second.setEnabled(true);
    QVERIFY(visible(second));
}

void PlanMapPlotTest::visibilityCallsTouchOnlyTheirKind()
{
    PlanMapPlot plot;
    QwtPlotCurve* entry = plot.createEntryCurve();
    QwtPlotCurve* fixed = plot.createFixedCurve();
    QwtPlotCurve* slice1 = plot.createSliceCurve();
    QwtPlotCurve* slice2 = plot.createSliceCurve();
    QwtPlotCurve* highlight = highlightOf(plot);

    plot.setSliceCurvesVisible(false);
    QVERIFY(!slice1->isVisible());
    QVERIFY(!slice2->isVisible());
    QVERIFY(entry->isVisible());
    QVERIFY(fixed->isVisible());
    QVERIFY(highlight->isVisible());

    plot.setEntryCurvesVisible(false);
    QVERIFY(!entry->isVisible());
    QVERIFY(fixed->isVisible());
    QVERIFY(!slice1->isVisible());

    plot.setSliceCurvesVisible(true);
    plot.setEntryCurvesVisible(true);
    QVERIFY(slice1->isVisible() && slice2->isVisible() && entry->isVisible());
    delete entry;
    delete fixed;
    delete slice1;
    delete slice2;
}

void PlanMapPlotTest::highlightVertical()
{
    PlanMapPlot plot;
    SliceObject slice;
    slice.setPolygon(polygon({QPointF(0, 0), QPointF(100, 0)}));
    plot.showSliceObject(&slice);

    const QVector<QPointF> points = samples(highlightOf(plot));
    QCOMPARE(points.size(), 5);
    QCOMPARE(points[0], QPointF(0, 0));
    QCOMPARE(points[1], QPointF(100, 0));
    QCOMPARE(points[3], QPointF(100, 0));
    const double barb = 22.5 * M_PI / 180.0;
    for (int i : {2, 4}) {
        const QPointF d = points[i] - QPointF(100, 0);
        const double length = std::hypot(d.x(), d.y());
        QVERIFY2(std::abs(length - 10.0) < 1e-4, qPrintable(QString::number(length)));
        // Pointing back towards the first point, 22.5 degrees off the line.
        QVERIFY(d.x() < 0);
        QVERIFY(std::abs(std::atan2(std::abs(d.y()), -d.x()) - barb) < 1e-5);
    }
    QVERIFY(points[2].y() * points[4].y() < 0);
    QVERIFY(near(points[2], QPointF(100 - 10 * std::cos(barb), 10 * std::sin(barb)), 1e-4));
    QVERIFY(near(points[4], QPointF(100 - 10 * std::cos(barb), -10 * std::sin(barb)), 1e-4));

    // Any direction: a line going up and to the left.
    slice.setPolygon(polygon({QPointF(10, -20), QPointF(-20, 20)}));
    plot.showSliceObject(&slice);
    const QVector<QPointF> slanted = samples(highlightOf(plot));
    QCOMPARE(slanted.size(), 5);
    const QPointF back = QPointF(10, -20) - QPointF(-20, 20);
    const double backAngle = std::atan2(back.y(), back.x());
    for (int i : {2, 4}) {
        const QPointF d = slanted[i] - QPointF(-20, 20);
        QVERIFY(std::abs(std::hypot(d.x(), d.y()) - 5.0) < 1e-4);
        double off = std::atan2(d.y(), d.x()) - backAngle;
        off = std::remainder(off, 2 * M_PI);
        QVERIFY2(std::abs(std::abs(off) - barb) < 1e-5, qPrintable(QString::number(off)));
    }
    QVERIFY(!near(slanted[2], slanted[4], 1e-3));

    // The slice itself is not kept: destroying it leaves the highlight as it was.
    {
        SliceObject temporary;
        temporary.setPolygon(polygon({QPointF(1, 1), QPointF(2, 2)}));
        plot.showSliceObject(&temporary);
    }
    QCOMPARE(highlightOf(plot)->dataSize(), size_t(5));
}

void PlanMapPlotTest::highlightOtherShapes()
{
    PlanMapPlot plot;
    SliceObject slice;
    const QPolygonF corners = polygon({QPointF(0, 0), QPointF(10, 0), QPointF(10, 5), QPointF(0, 5)});
    slice.setPolygon(corners);
    plot.showSliceObject(&slice);
    QCOMPARE(samples(highlightOf(plot)), QVector<QPointF>(corners) << QPointF(0, 0));

    // Two coinciding points: barbs of length 0.00001 pointing in +x.
    slice.setPolygon(polygon({QPointF(5, 5), QPointF(5, 5)}));
    plot.showSliceObject(&slice);
    const QVector<QPointF> dot = samples(highlightOf(plot));
    QCOMPARE(dot.size(), 5);
    for (int i : {2, 4}) {
        const QPointF d = dot[i] - QPointF(5, 5);
        QVERIFY(d.x() > 0);
        QVERIFY(std::abs(std::hypot(d.x(), d.y()) - 0.00001) < 1e-12);
        QVERIFY(std::abs(std::abs(std::atan2(d.y(), d.x())) - M_PI / 8) < 1e-6);
        QVERIFY(std::isfinite(d.x()) && std::isfinite(d.y()));
    }

    // A line whose x difference cancels the small constant exactly still gets finite barbs.
    const QPolygonF cancelling = PlanMapPlot::highlightPolygon(polygon({QPointF(0, 0), QPointF(0.0001, 0)}));
    QCOMPARE(cancelling.size(), 5);
    for (const QPointF& p : cancelling)
        QVERIFY(std::isfinite(p.x()) && std::isfinite(p.y()));

    // One point or none: unchanged.
    slice.setPolygon(polygon({QPointF(3, 4)}));
    plot.showSliceObject(&slice);
    QCOMPARE(samples(highlightOf(plot)), QVector<QPointF>({QPointF(3, 4)}));
    slice.setPolygon(QPolygonF());
    plot.showSliceObject(&slice);
    QCOMPARE(highlightOf(plot)->dataSize(), size_t(0));

    // Null: nothing highlighted.
    slice.setPolygon(corners);
    plot.showSliceObject(&slice);
    plot.showSliceObject(nullptr);
    QCOMPARE(highlightOf(plot)->dataSize(), size_t(0));
}

void PlanMapPlotTest::fitBounds()
{
    struct Case {
        QRectF data;
        QSize size;
    };
    const Case cases[] = {
        {QRectF(QPointF(1000, 2000), QPointF(1400, 2100)), QSize(800, 400)},  // wider than the canvas
        {QRectF(QPointF(-50, -300), QPointF(50, 700)), QSize(800, 400)},      // taller than the canvas
        {QRectF(QPointF(0, 0), QPointF(10, 10)), QSize(300, 600)},
        {QRectF(QPointF(0, 0), QPointF(100, 1000)), QSize(900, 300)},  // tall, on round numbers
    };
    for (const Case& c : cases) {
        PlanMapPlot plot;
        plot.resize(c.size);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        TrackBlock block;
        block.appendEntry(makeEntry({record(c.data.left(), c.data.top()), record(c.data.right(), c.data.top())}));
        block.appendEntry(makeEntry({record(c.data.center().x(), c.data.bottom())}));
        giveCurves(plot, block);

        plot.fit();
        const QwtInterval x = plot.axisInterval(QwtPlot::xBottom).normalized();
        const QwtInterval y = plot.axisInterval(QwtPlot::yLeft).normalized();
        const QString where = QStringLiteral("x %1..%2 y %3..%4").arg(x.minValue()).arg(x.maxValue())
                                  .arg(y.minValue()).arg(y.maxValue());
        QVERIFY2(x.minValue() <= c.data.left() && x.maxValue() >= c.data.right(), qPrintable(where));
        QVERIFY2(y.minValue() <= c.data.top() && y.maxValue() >= c.data.bottom(), qPrintable(where));
        // Equal scales: metres per pixel of the canvas alike on both axes, as
        // the rescaler sees them and as they are painted.
        const QSize canvasSize = plot.canvas()->contentsRect().size();
        const double mx = x.width() / canvasSize.width();
        const double my = y.width() / canvasSize.height();
        QVERIFY2(std::abs(mx - my) / mx < 1e-6, qPrintable(QString("%1 %2 %3").arg(mx).arg(my).arg(where)));
        const double px = pixelsPerUnit(plot, QwtPlot::xBottom);
        const double py = pixelsPerUnit(plot, QwtPlot::yLeft);
        QVERIFY2(std::abs(px - py) / px < 0.005, qPrintable(QString("%1 %2").arg(px).arg(py)));
        // A fit, not merely a view that holds the data somewhere: the data
        // spans at least half of the canvas in one direction.
        QVERIFY2(c.data.width() * px >= 0.5 * plot.canvas()->contentsRect().width()
                     || c.data.height() * py >= 0.5 * plot.canvas()->contentsRect().height(),
                 qPrintable(where));
        QVERIFY(!plot.axisAutoScale(QwtPlot::xBottom));
    }
}

void PlanMapPlotTest::fitIgnoresHiddenCurves()
{
    PlanMapPlot plot;
    plot.resize(600, 400);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    // Nothing to fit: the view stays usable with equal scales.
    plot.fit();
    const QSize canvas = plot.canvas()->contentsRect().size();
    const QwtInterval x0 = plot.axisInterval(QwtPlot::xBottom).normalized();
    const QwtInterval y0 = plot.axisInterval(QwtPlot::yLeft).normalized();
    QVERIFY(x0.width() > 0);
    QVERIFY(std::abs(x0.width() / canvas.width() - y0.width() / canvas.height()) < 1e-9);

    TrackBlock block;
    block.appendEntry(makeEntry({record(0, 0), record(30, 20)}));
    giveCurves(plot, block);
    SliceObject far;
    far.setPolygon(polygon({QPointF(5000, 5000), QPointF(6000, 5000)}));
    far.setCurve(plot.createSliceCurve());
    plot.setSliceCurvesVisible(false);

    plot.fit();
    QVERIFY(plot.axisInterval(QwtPlot::xBottom).normalized().maxValue() < 1000);
    plot.setSliceCurvesVisible(true);
    plot.fit();
    QVERIFY(plot.axisInterval(QwtPlot::xBottom).normalized().maxValue() >= 6000);
}

void PlanMapPlotTest::cursorPosition()
{
    PlanMapPlot plot;
    plot.resize(500, 400);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.setAxisScale(QwtPlot::xBottom, 200, 300);
    plot.replot();
    QSignalSpy spy(&plot, &PlanMapPlot::currentPoint);

    QWidget* canvas = plot.canvas();
    const QPoint near(10, 20);
    const QPoint far(canvas->width() - 15, canvas->height() - 30);
    QTest::mouseMove(canvas, near);
    QTRY_COMPARE(spy.count(), 1);
    QTest::mouseMove(canvas, far);
    QTRY_COMPARE(spy.count(), 2);

    const QwtScaleMap xMap = plot.canvasMap(QwtPlot::xBottom);
    const QwtScaleMap yMap = plot.canvasMap(QwtPlot::yLeft);
    const QPointF first = spy.at(0).at(0).toPointF();
    const QPointF second = spy.at(1).at(0).toPointF();
    QVERIFY(std::abs(first.x() - xMap.invTransform(near.x())) < 1e-9);
    QVERIFY(std::abs(first.y() - yMap.invTransform(near.y())) < 1e-9);
    QVERIFY(std::abs(second.x() - xMap.invTransform(far.x())) < 1e-9);
    QVERIFY(std::abs(second.y() - yMap.invTransform(far.y())) < 1e-9);
    // In the visible range: right is more x, down is less y.
    QVERIFY(first.x() > 199 && first.x() < 210);
    QVERIFY(second.x() > 290 && second.x() < 301);
    QVERIFY(second.y() < first.y());
    // Equal scales: the pixel distances give equal metre distances.
    const double dxPixels = far.x() - near.x();
    const double dyPixels = far.y() - near.y();
    QVERIFY(std::abs((second.x() - first.x()) / dxPixels + (second.y() - first.y()) / dyPixels) < 0.01);
}

void PlanMapPlotTest::removingSlicesAndBlocksWhilePlotLives()
{
    PlanMapPlot plot;
    plot.resize(600, 400);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));

    SliceObjectList slices;
    for (int i = 0; i < 3; ++i) {
        SliceObject slice;
        slice.setTitle(QString::number(i));
        slice.setPolygon(polygon({QPointF(i, 0), QPointF(i + 10, 10 * i)}));
        slices.append(slice);
        slices.at(i)->setCurve(plot.createSliceCurve());
    }
    plot.showSliceObject(slices.at(1));
    TrackBlock a;
    a.appendEntry(makeEntry({record(0, 0), record(10, 10)}));
    a.appendEntry(makeEntry({record(0, 5), record(10, 15)}));
    TrackBlock b;
    b.appendEntry(makeEntry({record(500, 500), record(600, 600, true)}));
    TrackBlockList blocks;
    fillList(blocks, {a, b});
    for (int i = 0; i < blocks.count(); ++i)
        giveCurves(plot, blocks.block(i));
    QCOMPARE(plot.itemList(entryRtti).size(), 3);
    QCOMPARE(plot.itemList(fixedRtti).size(), 3);

    QwtPlotItem* keptSlice = slices.at(2)->curve();
    slices.at(1)->setDeleted();
    slices.removeDeleted();
    QCOMPARE(plot.itemList(sliceRtti), QwtPlotItemList({slices.at(0)->curve(), keptSlice}));

    blocks.block(1).markDeleted();
    blocks.removeDeleted();
    QCOMPARE(plot.itemList(entryRtti).size(), 2);
    QCOMPARE(plot.itemList(fixedRtti).size(), 2);

    // Switching modes, fitting and painting walk only the curves that remain.
    plot.setSliceCurvesVisible(false);
    plot.setEntryCurvesVisible(false);
    plot.setSliceCurvesVisible(true);
    slices.setCurvesVisible(true);
    plot.setEntryCurvesVisible(true);
    plot.showSliceObject(nullptr);
    plot.fit();
    plot.canvas()->repaint();
    QVERIFY(plot.axisInterval(QwtPlot::xBottom).normalized().maxValue() < 100);
    QVERIFY(keptSlice->isVisible());
}

void PlanMapPlotTest::plotDestroyedBeforeOwners()
{
    int deletions = 0;
    auto plot = std::make_unique<PlanMapPlot>();
    TrackBlockList blocks;
    TrackBlock source;
    source.appendEntry(makeEntry({record(0, 0), record(10, 10, true)}));
    fillList(blocks, {source});
    TrackBlockEntry& entry = blocks.block(0).entry(0);
    entry.setCurve(plot->createEntryCurve());
    entry.setFixedCurve(plot->createFixedCurve());
    entry.curve()->setSymbol(new CountingSymbol(&deletions));
    entry.fixedCurve()->setSymbol(new CountingSymbol(&deletions));
    auto slices = std::make_unique<SliceObjectList>();
    SliceObject slice;
    slice.setPolygon(polygon({QPointF(0, 0), QPointF(1, 0), QPointF(1, 1), QPointF(0, 1)}));
    slices->append(slice);
    slices->at(0)->setCurve(plot->createSliceCurve());
    slices->at(0)->curve()->setSymbol(new CountingSymbol(&deletions));

    plot.reset();
    // The plot let go of the curves without deleting them.
    QCOMPARE(deletions, 0);
    QVERIFY(entry.curve()->plot() == nullptr);
    QVERIFY(entry.fixedCurve()->plot() == nullptr);
    QCOMPARE(slices->at(0)->curve()->dataSize(), size_t(5));

    // Owners keep working on detached curves, then delete each once.
    entry.setEnabled(false);
    entry.transform([](const Point3D& p) { return Point3D(p.x() + 1, p.y() + 1, p.z()); });
    slices->at(0)->setEnabled(false);
    slices->setCurvesVisible(true);
    QCOMPARE(entry.curve()->sample(0), QPointF(1, 1));
    slices.reset();
    QCOMPARE(deletions, 1);
    blocks.block(0).markDeleted();
    blocks.removeDeleted();
    QCOMPARE(deletions, 3);
}

void PlanMapPlotTest::ownersDestroyedBeforePlot()
{
    int deletions = 0;
    QPointer<QWidget> canvas;
    {
        PlanMapPlot plot;
        canvas = plot.canvas();
        {
            TrackBlock source;
            source.appendEntry(makeEntry({record(0, 0), record(10, 10)}));
            TrackBlockList blocks;
            fillList(blocks, {source});
            giveCurves(plot, blocks.block(0));
            blocks.block(0).entry(0).curve()->setSymbol(new CountingSymbol(&deletions));
            blocks.block(0).entry(0).fixedCurve()->setSymbol(new CountingSymbol(&deletions));
            SliceObjectList slices;
            SliceObject slice;
            slice.setPolygon(polygon({QPointF(0, 0), QPointF(5, 5)}));
            slices.append(slice);
            slices.at(0)->setCurve(plot.createSliceCurve());
            slices.at(0)->curve()->setSymbol(new CountingSymbol(&deletions));
            plot.showSliceObject(slices.at(0));
        }
        QCOMPARE(deletions, 3);
        QVERIFY(plot.itemList(entryRtti).isEmpty());
        QVERIFY(plot.itemList(fixedRtti).isEmpty());
        QVERIFY(plot.itemList(sliceRtti).isEmpty());
        // The plot's own items stay until the plot goes.
        QCOMPARE(plot.itemList().size(), 2);
        plot.fit();
        plot.setSliceCurvesVisible(true);
    }
    QCOMPARE(deletions, 3);
    QVERIFY(canvas.isNull());
}

TUNDRACK_TEST(PlanMapPlotTest)

#include "planmapplottest.moc"

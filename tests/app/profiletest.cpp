#include "common/sessionwriter.h"
#include "common/testregistry.h"

#include "app/profiledialog.h"
#include "app/profileplot.h"
#include "app/profilesamples.h"
#include "shared/plainscaledraw.h"
#include "survey/trackblockentry.h"

#include <qwt_plot_curve.h>
#include <qwt_scale_map.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include <cmath>

namespace {

const QByteArray simulatorSpecifications("\1\2\3\4\5", 5);
const QByteArray allValid = SessionWriter::simulatorRecord({1, 1, 1, 1, 1}, {1, 1, 1, 1, 1});

// A track of the probe with one record at each position.
Track track(const QList<Point3D>& positions, const QList<QByteArray>& records,
            const QByteArray& specifications = simulatorSpecifications, const ProbeId& probe = ProbeId(0, 0))
{
    Track result = SessionWriter::track(probe, specifications, records);
    for (int i = 0; i < positions.size(); ++i)
        result.records()[i].setPosition(positions.at(i));
    return result;
}

// Whether a shown plot holds the whole of the data at equal scales.
bool showsAll(const QwtPlot& plot, const QRectF& data)
{
    const QwtScaleMap x = plot.canvasMap(QwtPlot::xBottom);
    const QwtScaleMap y = plot.canvasMap(QwtPlot::yLeft);
    const double e = 1e-9;
    return qMin(x.s1(), x.s2()) <= data.left() + e && qMax(x.s1(), x.s2()) >= data.right() - e
           && qMin(y.s1(), y.s2()) <= data.top() + e && qMax(y.s1(), y.s2()) >= data.bottom() - e
           && qAbs(qAbs(x.pDist() / x.sDist()) / qAbs(y.pDist() / y.sDist()) - 1.0) < 0.01;
}

void wheel(QWidget* widget, int delta)
{
    const QPointF pos = widget->rect().center();
    QWheelEvent event(pos, QPointF(widget->mapToGlobal(pos.toPoint())), QPoint(), QPoint(0, delta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

// Metres a pixel across divided by metres a pixel up.
double aspect(const QwtPlot& plot)
{
    const QwtScaleMap x = plot.canvasMap(QwtPlot::xBottom);
    const QwtScaleMap y = plot.canvasMap(QwtPlot::yLeft);
    return qAbs(x.sDist() / x.pDist()) / qAbs(y.sDist() / y.pDist());
}

} // namespace

class ProfileTest : public QObject
{
    Q_OBJECT

private slots:
    void samples()
    {
        const Track walked = track(
            {Point3D(0, 0, 10), Point3D(3, 4, 12), Point3D(3, 4, 8), Point3D(0, 4, 9), Point3D(0, 4, 6)},
            {SessionWriter::simulatorRecord({10, -3, 0, 7, 1}, {1, 0, 1, 1, 0}), allValid,
             // No valid channel, then a record of the wrong length: surface points only.
             SessionWriter::simulatorRecord({1, 2, 3, 4, 5}, {0, 0, 0, 0, 0}), QByteArray(9, '\1'),
             SessionWriter::simulatorRecord({0, 0, 0, 0, 0}, {0, 0, 0, 0, 1})});
        const ProfileSamples profile = ProfileSamples::of(walked);
        // 5 m in the plane, none for a change of height only, 3 m walked back.
        QCOMPARE(profile.surface, (QVector<QPointF>{{0, 10}, {5, 12}, {5, 8}, {8, 9}, {8, 6}}));
        // Each record's height less the depths 1 to 5 of its valid channels.
        QCOMPARE(profile.depths, (QVector<QPointF>{{0, 9}, {0, 7}, {0, 6}, {5, 11}, {5, 10}, {5, 9},
                                                   {5, 8}, {5, 7}, {8, 1}}));

        // Nothing at all when the values cannot be computed.
        const QList<Point3D> two = {Point3D(0, 0, 0), Point3D(1, 0, 0)};
        for (const Track& t : {track(two, {allValid, allValid}, simulatorSpecifications, ProbeId(7, 7)),
                               track(two, {allValid, allValid}, QByteArray("\1\2\0\4\5", 5)), track({}, {})}) {
            const ProfileSamples none = ProfileSamples::of(t);
            QVERIFY(none.surface.isEmpty());
            QVERIFY(none.depths.isEmpty());
        }
    }

    void dialog()
    {
        TrackBlockEntry entry;
        entry.setName(QStringLiteral("Track <b>7</b>"));
        entry.setTrack(track({Point3D(0, 0, 100), Point3D(30, 40, 101), Point3D(60, 80, 99)},
                             {allValid, allValid, allValid}));
        ProfileDialog dialog(&entry);
        QCOMPARE(dialog.titleLabel->text(), entry.name());
        QCOMPARE(dialog.titleLabel->textFormat(), Qt::PlainText);
        QVERIFY(dialog.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
        const ProfilePlot* plot = dialog.profilePlot();
        QCOMPARE(plot->surfaceCurve()->dataSize(), size_t(3));
        QCOMPARE(plot->surfaceCurve()->sample(2), QPointF(100, 99));
        QCOMPARE(plot->depthCurve()->dataSize(), size_t(15));
        QCOMPARE(plot->depthCurve()->sample(14), QPointF(100, 94));
        for (int axis : {QwtPlot::xBottom, QwtPlot::yLeft})
            QVERIFY(dynamic_cast<const PlainScaleDraw*>(plot->axisScaleDraw(axis)));

        // Every point in view, a metre up as long as a metre across, also
        // after the window changes size.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QVERIFY(showsAll(*plot, QRectF(QPointF(0, 94), QPointF(100, 101))));
        dialog.resize(900, 300);
        QTRY_VERIFY(plot->canvas()->width() > 700);
        QVERIFY(showsAll(*plot, QRectF(QPointF(0, 94), QPointF(100, 101))));

        // Also a single record, whose depths lie straight below it.
        TrackBlockEntry single;
        single.setTrack(track({Point3D(5, 5, 50)}, {allValid}));
        ProfileDialog narrow(&single);
        narrow.show();
        QVERIFY(QTest::qWaitForWindowExposed(&narrow));
        QVERIFY(showsAll(*narrow.profilePlot(), QRectF(QPointF(0, 45), QPointF(0, 50))));
    }

    void zoomAndPanAtTheOpeningSize()
    {
        // A 2 km track, a thin line at the opening size.
        TrackBlockEntry entry;
        entry.setTrack(track({Point3D(0, 0, 100), Point3D(1200, 1600, 102)}, {allValid, allValid}));
        ProfileDialog dialog(&entry);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        ProfilePlot* plot = dialog.profilePlot();
        QWidget* canvas = plot->canvas();
        const double fitted = plot->axisInterval(QwtPlot::xBottom).width();

        // Each wheel step forward shows 0.9 of the distance, still at 1:1.
        for (int step = 1; step <= 3; ++step) {
            wheel(canvas, 120);
            QApplication::processEvents();
            QVERIFY(qAbs(plot->axisInterval(QwtPlot::xBottom).width() / fitted - std::pow(0.9, step)) < 0.01);
            QVERIFY(qAbs(aspect(*plot) - 1.0) < 0.01);
        }

        // Dragged 100 pixels to the left, the view moves 100 pixels along.
        const QwtInterval before = plot->axisInterval(QwtPlot::xBottom);
        const double metresPerPixel = before.width() / canvas->contentsRect().width();
        const QPoint from = canvas->rect().center();
        QTest::mousePress(canvas, Qt::LeftButton, Qt::NoModifier, from);
        QMouseEvent move(QEvent::MouseMove, from - QPoint(100, 0), canvas->mapToGlobal(from - QPoint(100, 0)),
                         Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &move);
        QTest::mouseRelease(canvas, Qt::LeftButton, Qt::NoModifier, from - QPoint(100, 0));
        QApplication::processEvents();
        const QwtInterval after = plot->axisInterval(QwtPlot::xBottom);
        QVERIFY(qAbs(after.minValue() - before.minValue() - 100 * metresPerPixel) < 2 * metresPerPixel);
        QVERIFY(qAbs(aspect(*plot) - 1.0) < 0.01);

        // A larger window shows the same distance larger.
        dialog.resize(dialog.width() + 300, dialog.height() + 100);
        QTRY_VERIFY(canvas->contentsRect().width() > before.width() / metresPerPixel + 200);
        QCOMPARE(plot->axisInterval(QwtPlot::xBottom), after);
        QVERIFY(qAbs(aspect(*plot) - 1.0) < 0.01);
    }
};

TUNDRACK_TEST(ProfileTest)
#include "profiletest.moc"

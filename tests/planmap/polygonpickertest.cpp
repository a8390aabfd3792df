#include "common/testregistry.h"

#include "planmap/planmapplot.h"
#include "planmap/ppickerpolygonmachine.h"
#include "planmap/pplotpolygonpicker.h"

#include <qwt_scale_map.h>

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

namespace {

void press(QWidget* canvas, QPoint p, Qt::MouseButton button = Qt::LeftButton)
{
    QMouseEvent down(QEvent::MouseButtonPress, p, canvas->mapToGlobal(p), button, button, Qt::NoModifier);
    QApplication::sendEvent(canvas, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, p, canvas->mapToGlobal(p), button, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &up);
}

void move(QWidget* canvas, QPoint p)
{
    QMouseEvent event(QEvent::MouseMove, p, canvas->mapToGlobal(p), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(canvas, &event);
}

} // namespace

class PolygonPickerTest : public QObject
{
    Q_OBJECT

private slots:
    void closesNearTheFirstVertex()
    {
        PlanMapPlot plot;
        plot.resize(600, 500);
        plot.show();
        QVERIFY(QTest::qWaitForWindowExposed(&plot));
        QWidget* canvas = plot.canvas();
        PPlotPolygonPicker picker(canvas);
        QCOMPARE(picker.rubberBand(), QwtPicker::PolygonRubberBand);
        QCOMPARE(picker.rubberBandPen().color(), QColor(Qt::darkGray));
        QCOMPARE(picker.machine()->parent(), &picker);
        QSignalSpy selected(&picker, QOverload<const QVector<QPointF>&>::of(&QwtPlotPicker::selected));
        QSignalSpy closing(picker.machine(), &PPickerPolygonMachine::s_close);

        press(canvas, QPoint(100, 100));
        // A second click on the very pixel adds nothing and does not close.
        press(canvas, QPoint(100, 100));
        QCOMPARE(picker.machine()->state(), 1);
        move(canvas, QPoint(300, 100));
        QCOMPARE(closing.count(), 1);
        QCOMPARE(closing.last().at(0).toBool(), false);
        press(canvas, QPoint(300, 100));
        // The cursor reaches a vertex before it clicks there.
        move(canvas, QPoint(300, 300));
        press(canvas, QPoint(300, 300));
        // Five pixels off is not close enough; four is.
        move(canvas, QPoint(105, 100));
        QCOMPARE(closing.last().at(0).toBool(), false);
        QCOMPARE(picker.rubberBandPen().color(), QColor(Qt::darkGray));
        press(canvas, QPoint(105, 100));
        QCOMPARE(selected.count(), 0);
        move(canvas, QPoint(104, 96));
        QCOMPARE(closing.last().at(0).toBool(), true);
        QCOMPARE(picker.rubberBandPen().color(), QColor(Qt::red));
        // Right clicks and moves in between change nothing.
        press(canvas, QPoint(200, 200), Qt::RightButton);
        press(canvas, QPoint(104, 96));
        QCOMPARE(selected.count(), 1);
        QCOMPARE(picker.machine()->state(), 0);

        // Every appended vertex in plot coordinates, the closing click included.
        const QVector<QPointF> polygon = selected.first().at(0).value<QVector<QPointF>>();
        QVERIFY(polygon.size() >= 5);
        const QwtScaleMap xMap = plot.canvasMap(QwtPlot::xBottom);
        const QwtScaleMap yMap = plot.canvasMap(QwtPlot::yLeft);
        QCOMPARE(polygon.first(), QPointF(xMap.invTransform(100), yMap.invTransform(100)));
        QVERIFY(polygon.contains(QPointF(xMap.invTransform(300), yMap.invTransform(300))));
        QVERIFY(polygon.contains(QPointF(xMap.invTransform(105), yMap.invTransform(100))));
        QCOMPARE(polygon.last(), QPointF(xMap.invTransform(104), yMap.invTransform(96)));

        // Moving while idle says nothing; the next click starts anew.
        const int closings = closing.count();
        move(canvas, QPoint(50, 50));
        QCOMPARE(closing.count(), closings);
        press(canvas, QPoint(50, 50));
        QCOMPARE(picker.machine()->state(), 1);
    }

    void machineCommands()
    {
        PPickerPolygonMachine machine;
        QwtEventPattern pattern;
        auto click = [&](QPoint p) {
            QMouseEvent event(QEvent::MouseButtonPress, p, p, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
            return machine.transition(pattern, &event);
        };
        using C = QwtPickerMachine;
        QCOMPARE(click(QPoint(10, 10)), (QList<C::Command>{C::Begin, C::Append, C::Append}));
        QCOMPARE(click(QPoint(10, 10)), QList<C::Command>());
        QCOMPARE(click(QPoint(40, 10)), QList<C::Command>{C::Append});
        QCOMPARE(click(QPoint(40, 10)), QList<C::Command>());
        QCOMPARE(click(QPoint(14, 14)), (QList<C::Command>{C::Append, C::End}));
        QCOMPARE(machine.state(), 0);
        QKeyEvent key(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCOMPARE(machine.transition(pattern, &key), QList<C::Command>());
        QCOMPARE(click(QPoint(14, 14)), (QList<C::Command>{C::Begin, C::Append, C::Append}));
        QCOMPARE(click(QPoint(9, 14)), QList<C::Command>{C::Append});
        QCOMPARE(machine.state(), 1);
    }
};

TUNDRACK_TEST(PolygonPickerTest)
#include "polygonpickertest.moc"

#include "common/testregistry.h"
#include "common/testsupport.h"

#include "planmap/pcontextmenu.h"
#include "planmap/planmapplot.h"
#include "planmap/planmapplottoolwidget.h"
#include "planmap/rplotmagnifier.h"

#include <qwt_plot.h>

#include <QApplication>
#include <QHBoxLayout>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <cmath>
#include <functional>

namespace {

// Opens the rescale step to the test.
class OpenMagnifier : public RPlotMagnifier
{
public:
    using RPlotMagnifier::RPlotMagnifier;
    using RPlotMagnifier::rescale;
};

void wheel(QWidget* widget, int delta)
{
    const QPointF pos = widget->rect().center();
    QWheelEvent event(pos, QPointF(widget->mapToGlobal(pos.toPoint())), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class PlanMapToolsTest : public QObject
{
    Q_OBJECT

private slots:
    void toolWidgetForm();
    void readOut();
    void fitButton();
    void fitButtonStaysStill();
    void wheelZoom();
    void rescaleFactor();
    void contextMenuActions();
    void contextMenuChoices();
};

void PlanMapToolsTest::toolWidgetForm()
{
    PlanMapPlotToolWidget widget;
    QCOMPARE(widget.size(), QSize(363, 24));
    QCOMPARE(widget.horizontalLayout->contentsMargins(), QMargins(6, 0, 0, 0));
    QStringList order;
    for (int i = 0; i < widget.horizontalLayout->count(); ++i)
        order << widget.horizontalLayout->itemAt(i)->widget()->objectName();
    QCOMPARE(order, QStringList({"label", "yLabel", "label_2", "xLabel", "fitPushButton"}));
    QCOMPARE(widget.label->text(), QStringLiteral("Y [m]:"));
    QCOMPARE(widget.label_2->text(), QStringLiteral("X [m]:"));
    QCOMPARE(widget.fitPushButton->text(), QStringLiteral("Fit"));
    QVERIFY(widget.xLabel->text().isEmpty());
    QVERIFY(widget.yLabel->text().isEmpty());
    QCOMPARE(widget.fitPushButton->iconSize(), QSize(16, 16));
    QCOMPARE(widget.label->sizePolicy().horizontalPolicy(), QSizePolicy::Maximum);
    QCOMPARE(widget.label_2->sizePolicy().horizontalPolicy(), QSizePolicy::Maximum);
    QCOMPARE(widget.fitPushButton->sizePolicy().horizontalPolicy(), QSizePolicy::Maximum);
}

void PlanMapToolsTest::readOut()
{
    PlanMapPlotToolWidget widget;
    widget.setPoint(QPointF(12.346, 7));
    QCOMPARE(widget.xLabel->text(), QStringLiteral("12.35"));
    QCOMPARE(widget.yLabel->text(), QStringLiteral("7.00"));

    // Each label is fixed to a size that holds the longer value too, so it is
    // never cut and the labels keep their width.
    const QSize shortSize = widget.xLabel->size();
    widget.setPoint(QPointF(-1234.5, 0.004));
    QCOMPARE(widget.xLabel->text(), QStringLiteral("-1234.50"));
    QCOMPARE(widget.yLabel->text(), QStringLiteral("0.00"));
    QCOMPARE(widget.xLabel->minimumSize(), widget.xLabel->maximumSize());
    QCOMPARE(widget.xLabel->minimumWidth(), shortSize.width());
    QVERIFY(widget.xLabel->minimumWidth() >= widget.xLabel->fontMetrics().horizontalAdvance(QStringLiteral("-1234.50")));

    // Wired to the plot, a cursor move lands in the labels.
    PlanMapPlot plot;
    connect(&plot, &PlanMapPlot::currentPoint, &widget, &PlanMapPlotToolWidget::setPoint);
    emit plot.currentPoint(QPointF(1.005e3, -2.5));
    QCOMPARE(widget.yLabel->text(), QStringLiteral("-2.50"));
    QVERIFY(widget.xLabel->text().startsWith(QStringLiteral("1005.")));
}

void PlanMapToolsTest::fitButton()
{
    PlanMapPlotToolWidget widget;
    QSignalSpy spy(&widget, &PlanMapPlotToolWidget::fit);
    QTest::mouseClick(widget.fitPushButton, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QTest::mouseClick(widget.label, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
}

void PlanMapToolsTest::fitButtonStaysStill()
{
    PlanMapPlotToolWidget widget;
    widget.resize(600, 24);
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    const QRect place = widget.fitPushButton->geometry();
    // Short and long values, up to the largest coordinate a field takes.
    for (const QPointF& p : {QPointF(1.5, 1.5), QPointF(-9999999.99, -9999999.99), QPointF(-10000000, 88888888),
                             QPointF(0, -0.5)}) {
        widget.setPoint(p);
        QApplication::sendPostedEvents();
        QCOMPARE(widget.fitPushButton->geometry(), place);
        for (const QLabel* label : {widget.xLabel, widget.yLabel})
            QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(label->text()));
    }
    // A value beyond those, far off the survey, is still shown whole.
    widget.setPoint(QPointF(-123456789012.5, 0));
    QVERIFY(widget.xLabel->width() >= widget.xLabel->fontMetrics().horizontalAdvance(widget.xLabel->text()));
}

void PlanMapToolsTest::wheelZoom()
{
    PlanMapPlot plot;
    plot.resize(600, 400);
    plot.show();
    QVERIFY(QTest::qWaitForWindowExposed(&plot));
    plot.setAxisScale(QwtPlot::xBottom, 0, 100);
    plot.replot();
    // The rescaler sets y from x and the canvas.
    const QwtInterval y0 = plot.axisInterval(QwtPlot::yLeft);
    const double yCentre = (y0.minValue() + y0.maxValue()) / 2;

    // Forward magnifies: 0.9 of the range about the centre.
    wheel(plot.canvas(), 120);
    QwtInterval x = plot.axisInterval(QwtPlot::xBottom);
    QwtInterval y = plot.axisInterval(QwtPlot::yLeft);
    QVERIFY(std::abs(x.minValue() - 5.0) < 1e-9 && std::abs(x.maxValue() - 95.0) < 1e-9);
    // y shrinks about its centre too; the axis labels may then change the
    // canvas width, and the rescaler keeps the scales equal from that corner.
    QVERIFY(std::abs(y.minValue() - (yCentre - 0.45 * y0.width())) < 1e-9);
    const QSize canvas = plot.canvas()->contentsRect().size();
    QVERIFY(std::abs(x.width() / canvas.width() - y.width() / canvas.height()) < 1e-9);

    // Backward undoes it.
    wheel(plot.canvas(), -120);
    x = plot.axisInterval(QwtPlot::xBottom);
    QVERIFY(std::abs(x.minValue() - 0.0) < 1e-9 && std::abs(x.maxValue() - 100.0) < 1e-9);

    // Two notches at once: 0.81.
    wheel(plot.canvas(), 240);
    x = plot.axisInterval(QwtPlot::xBottom);
    QVERIFY(std::abs(x.width() - 81.0) < 1e-9);
}

void PlanMapToolsTest::rescaleFactor()
{
    QwtPlot plot;
    plot.setAxisScale(QwtPlot::xBottom, 0, 100);
    plot.setAxisScale(QwtPlot::yLeft, -10, 10);
    plot.replot();
    OpenMagnifier magnifier(plot.canvas());

    magnifier.rescale(2.0);
    QwtInterval x = plot.axisInterval(QwtPlot::xBottom);
    QwtInterval y = plot.axisInterval(QwtPlot::yLeft);
    QCOMPARE(x.minValue(), 25.0);
    QCOMPARE(x.maxValue(), 75.0);
    QCOMPARE(y.minValue(), -5.0);
    QCOMPARE(y.maxValue(), 5.0);

    for (double factor : {0.0, -2.0, -0.5}) {
        magnifier.rescale(factor);
        x = plot.axisInterval(QwtPlot::xBottom);
        QCOMPARE(x.minValue(), 25.0);
        QCOMPARE(x.maxValue(), 75.0);
    }

    magnifier.rescale(0.5);
    x = plot.axisInterval(QwtPlot::xBottom);
    QCOMPARE(x.minValue(), 0.0);
    QCOMPARE(x.maxValue(), 100.0);

    // A wheel that reports a factor of 0 or less leaves the view unchanged.
    for (double wheelFactor : {-0.9, 0.0}) {
        magnifier.setWheelFactor(wheelFactor);
        wheel(plot.canvas(), 120);
        x = plot.axisInterval(QwtPlot::xBottom);
        QCOMPARE(x.minValue(), 0.0);
        QCOMPARE(x.maxValue(), 100.0);
    }
}

void PlanMapToolsTest::contextMenuActions()
{
    PContextMenu menu;
    QCOMPARE(menu.actions().size(), 2);
    QCOMPARE(menu.actions().at(0)->text(), QStringLiteral("Delete"));
    QCOMPARE(menu.actions().at(1)->text(), QStringLiteral("Fix"));
}

void PlanMapToolsTest::contextMenuChoices()
{
    QCursor::setPos(QPoint(300, 200));
    QTRY_COMPARE(QCursor::pos(), QPoint(300, 200));

    {
        PContextMenu menu;
        QPoint shownAt;
        TestSupport::onNextPopup([&shownAt](QMenu* popup) {
            shownAt = popup->pos();
            QTest::keyClick(popup, Qt::Key_Escape);
        });
        QCOMPARE(menu.exec(), -1);
        QCOMPARE(shownAt, QPoint(295, 195));
    }
    for (int choice : {1, 0}) {
        PContextMenu menu;
        TestSupport::onNextPopup([choice](QMenu* popup) {
            QAction* action = popup->actions().at(choice);
            QTest::mouseClick(popup, Qt::LeftButton, Qt::NoModifier, popup->actionGeometry(action).center());
        });
        QCOMPARE(menu.exec(), choice);
    }
    {
        // Clicking outside closes it without a choice.
        PContextMenu menu;
        TestSupport::onNextPopup([](QMenu* popup) { popup->close(); });
        QCOMPARE(menu.exec(), -1);
    }
}

TUNDRACK_TEST(PlanMapToolsTest)

#include "planmaptoolstest.moc"

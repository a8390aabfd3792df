#include "common/testregistry.h"
#include "common/testsupport.h"

#include "app/distributiondialog.h"
#include "app/histogram.h"

#include <qwt_plot.h>
#include <qwt_plot_intervalcurve.h>
#include <qwt_scale_draw.h>

#include <QSettings>
#include <QTest>

#include <cmath>
#include <limits>

namespace {

const double infinity = std::numeric_limits<double>::infinity();
const double notANumber = std::numeric_limits<double>::quiet_NaN();

void compareNear(const QVector<double>& actual, const QVector<double>& expected)
{
    QCOMPARE(actual.size(), expected.size());
    for (int i = 0; i < actual.size(); ++i)
        QVERIFY2(qAbs(actual.at(i) - expected.at(i)) < 1e-9, qPrintable(QString::number(i)));
}

QwtPlot* plotOf(DistributionDialog& dialog)
{
    return dialog.plotFrame->findChild<QwtPlot*>();
}

size_t samplesShown(DistributionDialog& dialog)
{
    const QwtPlotItemList curves = plotOf(dialog)->itemList(QwtPlotItem::Rtti_PlotIntervalCurve);
    return curves.size() == 1 ? static_cast<const QwtPlotIntervalCurve*>(curves.first())->dataSize() : 0;
}

} // namespace

class DistributionTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { TestSupport::clearAllSettings(); }

    void histogram()
    {
        // Width 1.8; the largest value counts into the last interval.
        const Histogram tens({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 5);
        compareNear(tens.percentages(), {20, 20, 20, 20, 20});
        const QVector<QwtIntervalSample> samples = tens.samples();
        QCOMPARE(samples.size(), 10);
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(samples.at(2 * i).value, i * 1.8);
            QCOMPARE(samples.at(2 * i + 1).value, 1.8 + i * 1.8);
            QCOMPARE(samples.at(2 * i).interval, QwtInterval(0, 20));
            QCOMPARE(samples.at(2 * i + 1).interval, QwtInterval(0, 20));
        }

        compareNear(Histogram({1, 1, 1, 3}, 5).percentages(), {75, 0, 0, 0, 25});
        const Histogram fine({3, 1, 4, 1, 5, 9, 2, 6, 5, 3}, 500);
        QCOMPARE(fine.samples().size(), 1000);
        QCOMPARE(fine.percentages().at(0), 20.0);
        QCOMPARE(fine.percentages().at(499), 10.0);

        // Non-finite values are no values; the shares are of the others.
        const Histogram mixed({notANumber, 1, infinity, 3, -infinity}, 2);
        compareNear(mixed.percentages(), {50, 50});
        QCOMPARE(mixed.lower(), 1.0);
        QCOMPARE(mixed.upper(), 3.0);

        // The range starts from the values themselves, however large.
        const Histogram high({3e15, 2e15, 4e15}, 2);
        QCOMPARE(high.lower(), 2e15);
        QCOMPARE(high.upper(), 4e15);
        const Histogram low({-3e15, -2e15}, 5);
        QCOMPARE(low.lower(), -3e15);
        QCOMPARE(low.upper(), -2e15);
        // Values spread wider than a double holds still count where they belong.
        const Histogram wide({-1e308, 1e308, 0.9e308}, 2);
        compareNear(wide.percentages(), {100.0 / 3, 200.0 / 3});
        QCOMPARE(wide.samples().first().value, -1e308);
        QCOMPARE(wide.samples().last().value, 1e308);
    }

    void equalValues()
    {
        // One value, or many equal ones, fill the middle interval, which is
        // centred on the value.
        for (const QList<double>& values : {QList<double>{7}, QList<double>{-4, -4, notANumber, -4}}) {
            for (int n : {5, 10}) {
                const Histogram histogram(values, n);
                QVector<double> expected(n, 0.0);
                expected[n / 2] = 100;
                compareNear(histogram.percentages(), expected);
                const double left = histogram.samples().at(2 * (n / 2)).value;
                const double right = histogram.samples().at(2 * (n / 2) + 1).value;
                QVERIFY(qAbs((left + right) / 2 - values.first()) < 1e-9);
                QVERIFY(left < right);
                QCOMPARE(histogram.lower(), histogram.samples().first().value);
            }
        }

        for (const QList<double>& values : {QList<double>{}, QList<double>{notANumber, infinity}}) {
            const Histogram none(values, 5);
            QVERIFY(none.isEmpty());
            QVERIFY(none.samples().isEmpty());
        }
    }

    void extremeValues()
    {
        // Next to the largest double no edge, spread or axis may overflow:
        // the library's axis gives up on a range whose width does, and one
        // of -inf to -inf made it allocate without end.
        const double largest = std::numeric_limits<double>::max();
        const QList<QList<double>> sets = {{-largest}, {largest, largest, largest}, {-1e308, 1e308, 1e308, notANumber}};
        for (const QList<double>& values : sets) {
            for (int n : {1, 5, 500}) {
                const Histogram histogram(values, n);
                const double scale = histogram.plotScale();
                double sum = 0.0;
                for (double p : histogram.percentages())
                    sum += p;
                QCOMPARE(sum, 100.0);
                const QVector<QwtIntervalSample> samples = histogram.samples();
                const QVector<QwtIntervalSample> drawn = histogram.samples(scale);
                for (int i = 0; i < samples.size(); ++i) {
                    QVERIFY(std::isfinite(samples.at(i).value));
                    // Bars rise from left to right and have a width.
                    QVERIFY(i < 2 || samples.at(i).value > samples.at(i - 2).value);
                }
                QCOMPARE(samples.first().value, histogram.lower());
                QVERIFY(histogram.lower() < histogram.upper());
                QVERIFY(std::isfinite(drawn.last().value - drawn.first().value));
                // Every value lies in the range it is counted in.
                QVERIFY(histogram.lower() <= values.first() && values.first() <= histogram.upper());
            }
        }

        for (const QList<double>& values : sets) {
            DistributionDialog dialog(QString(), values);
            dialog.resize(600, 400);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            QwtPlot* plot = plotOf(dialog);
            const QwtInterval axis = plot->axisInterval(QwtPlot::xBottom);
            QVERIFY(axis.minValue() < axis.maxValue() && std::isfinite(axis.width()));
            // The bars are drawn, and the labels read in the values' own units.
            const QImage canvas = plot->canvas()->grab().toImage();
            int barPixels = 0;
            for (int y = 0; y < canvas.height(); ++y)
                for (int x = 0; x < canvas.width(); ++x)
                    barPixels += canvas.pixelColor(x, y) == QColor(255, 128, 128);
            QVERIFY(barPixels > 100);
            const QList<double> ticks = plot->axisScaleDiv(QwtPlot::xBottom).ticks(QwtScaleDiv::MajorTick);
            QVERIFY(!ticks.isEmpty());
            const double last = plot->axisScaleDraw(QwtPlot::xBottom)->label(ticks.last()).text().toDouble();
            QVERIFY(std::isfinite(last) && qAbs(last) > 1e307);
        }
    }

    void dialog()
    {
        DistributionDialog dialog(QStringLiteral("a.kv"), {0, 1, 2, 3, 4, 5, 6, 7, 8, 9});
        QCOMPARE(dialog.titleLabel->text(), QStringLiteral("a.kv"));
        QVERIFY(!dialog.windowFlags().testFlag(Qt::WindowContextHelpButtonHint));
        // No stored choice: 5 intervals, the axis from the smallest value to the largest.
        QCOMPARE(dialog.intervalsComboBox->currentText(), QStringLiteral("5"));
        QCOMPARE(samplesShown(dialog), size_t(10));
        QCOMPARE(plotOf(dialog)->axisInterval(QwtPlot::xBottom), QwtInterval(0, 9));

        // A new choice redraws at once.
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QTest::keyClick(dialog.intervalsComboBox, Qt::Key_Down);
        QCOMPARE(dialog.intervalsComboBox->currentText(), QStringLiteral("10"));
        QCOMPARE(samplesShown(dialog), size_t(20));
    }

    void storedIntervals()
    {
        QSettings store(QStringLiteral("Tundrack"), QStringLiteral("DistributionDialog"));
        {
            DistributionDialog dialog(QString(), {1, 2});
            dialog.intervalsComboBox->setCurrentIndex(dialog.intervalsComboBox->findText(QStringLiteral("50")));
            // Stored however the dialog is closed.
            dialog.reject();
        }
        store.sync();
        QCOMPARE(store.value(QStringLiteral("intervals")).toInt(), 5);
        {
            DistributionDialog dialog(QString(), {1, 2});
            QCOMPARE(samplesShown(dialog), size_t(100));
        }

        // A damaged store reads as the first item.
        for (const QVariant& stored : {QVariant(15), QVariant(-1), QVariant(QStringLiteral("many"))}) {
            store.setValue(QStringLiteral("intervals"), stored);
            store.sync();
            DistributionDialog dialog(QString(), {1, 2});
            QCOMPARE(dialog.intervalsComboBox->currentIndex(), 0);
        }
    }

    void nothingToShow()
    {
        // The value axis keeps the plotting library's own range.
        QwtPlot fresh;
        fresh.updateAxes();
        DistributionDialog dialog(QString(), {notANumber});
        QCOMPARE(samplesShown(dialog), size_t(0));
        QCOMPARE(plotOf(dialog)->axisInterval(QwtPlot::xBottom), fresh.axisInterval(QwtPlot::xBottom));
        QCOMPARE(plotOf(dialog)->axisInterval(QwtPlot::yLeft), QwtInterval(0, 100));
    }
};

TUNDRACK_TEST(DistributionTest)
#include "distributiontest.moc"

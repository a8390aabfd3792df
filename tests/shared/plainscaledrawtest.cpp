#include "common/testregistry.h"

#include "shared/plainscaledraw.h"

#include <qwt_scale_engine.h>
#include <qwt_text.h>

#include <QLocale>
#include <QTest>

namespace {

// The labels of the major ticks of the library's linear scale over lower ... upper.
QStringList tickLabels(QwtScaleDraw&& draw, double lower, double upper, double step = 0.0)
{
    draw.setScaleDiv(QwtLinearScaleEngine().divideScale(lower, upper, 8, 5, step));
    QStringList shown;
    for (double tick : draw.scaleDiv().ticks(QwtScaleDiv::MajorTick))
        shown << draw.label(tick).text();
    return shown;
}

} // namespace

class PlainScaleDrawTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QLocale::setDefault(QLocale::c()); }

    void labels_data()
    {
        QTest::addColumn<double>("lower");
        QTest::addColumn<double>("upper");
        QTest::addColumn<double>("step");
        QTest::addColumn<QStringList>("expected");
        // Ordinary scales keep the library's labels.
        QTest::newRow("metres") << 0.0 << 100.0 << 20.0 << QStringList{"0", "20", "40", "60", "80", "100"};
        QTest::newRow("halves") << 0.0 << 10.0 << 2.5 << QStringList{"0", "2.5", "5", "7.5", "10"};
        // Seven-digit coordinates: every tick reads differently.
        QTest::newRow("northing") << 9999999.0 << 10000001.0 << 0.5
                                  << QStringList{"9999999.0", "9999999.5", "10000000.0", "10000000.5", "10000001.0"};
        QTest::newRow("centimetres") << 9999999.96 << 10000000.02 << 0.02
                                     << QStringList{"9999999.96", "9999999.98", "10000000.00", "10000000.02"};
        // No exponent at a million metres either.
        QTest::newRow("millions") << 0.0 << 2000000.0 << 500000.0
                                  << QStringList{"0", "500000", "1000000", "1500000", "2000000"};
    }

    void labels()
    {
        QFETCH(double, lower);
        QFETCH(double, upper);
        QFETCH(double, step);
        QFETCH(QStringList, expected);
        QCOMPARE(tickLabels(PlainScaleDraw(), lower, upper, step), expected);
    }

    void desktopDecimalSignWithoutGroups()
    {
        QLocale::setDefault(QLocale(QLocale::Russian));
        const QStringList russian = tickLabels(PlainScaleDraw(), 9999999, 10000000, 0.5);
        QLocale::setDefault(QLocale(QLocale::English));
        const QStringList english = tickLabels(PlainScaleDraw(), 9999999, 10000000, 0.5);
        QLocale::setDefault(QLocale::c());
        QCOMPARE(russian.value(1), QStringLiteral("9999999,5"));
        QCOMPARE(english.value(1), QStringLiteral("9999999.5"));
    }
};

TUNDRACK_TEST(PlainScaleDrawTest)
#include "plainscaledrawtest.moc"

#include "common/preferencesstore.h"
#include "common/testregistry.h"
#include "common/testsupport.h"

#include "shared/preferences.h"

#include <QTest>

#include <limits>

using PreferencesStore::storeValue;
using PreferencesStore::storedKeys;
using PreferencesStore::storedValue;

class PreferencesTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { PreferencesStore::reset(); }
    void cleanupTestCase() { PreferencesStore::reset(); }

    void defaultsWithoutStoredKeys()
    {
        const Preferences* p = Preferences::instance();
        QCOMPARE(p->language(), 0);
        QCOMPARE(p->imagePixelSize(), 1.0);
        QCOMPARE(p->bilinearInterpolation(), true);
        QCOMPARE(p->ignoreHeightValues(), false);
        QCOMPARE(p->createSurferBlankFiles(), true);
        // Reading writes nothing.
        QVERIFY(storedKeys().isEmpty());
        QCOMPARE(Preferences::instance(), p);
    }

    void loadsStoredValuesOnFirstUse()
    {
        storeValue(QStringLiteral("Language"), 1);
        storeValue(QStringLiteral("ImagePixelSize"), 2.75);
        storeValue(QStringLiteral("BilinearInterpolation"), false);
        storeValue(QStringLiteral("IgnoreHeightValues"), true);
        storeValue(QStringLiteral("CreateSurferBlankFiles"), false);

        Preferences* p = Preferences::instance();
        QCOMPARE(p->language(), 1);
        QCOMPARE(p->imagePixelSize(), 2.75);
        QCOMPARE(p->bilinearInterpolation(), false);
        QCOMPARE(p->ignoreHeightValues(), true);
        QCOMPARE(p->createSurferBlankFiles(), false);

        // The store is read once: later changes reach only a fresh object.
        storeValue(QStringLiteral("Language"), 0);
        QCOMPARE(Preferences::instance()->language(), 1);
        Preferences::destroy();
        QCOMPARE(Preferences::instance()->language(), 0);
    }

    void storedPixelSizeIsMadeUsable_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<double>("expected");
        QTest::newRow("nan") << QVariant(std::numeric_limits<double>::quiet_NaN()) << 0.01;
        QTest::newRow("nan text") << QVariant(QStringLiteral("nan")) << 0.01;
        QTest::newRow("infinity") << QVariant(std::numeric_limits<double>::infinity()) << 0.01;
        QTest::newRow("minus infinity") << QVariant(-std::numeric_limits<double>::infinity()) << 0.01;
        QTest::newRow("zero") << QVariant(0.0) << 0.01;
        QTest::newRow("empty") << QVariant(QString()) << 0.01;
        QTest::newRow("not a number") << QVariant(QStringLiteral("wide")) << 0.01;
        QTest::newRow("negative") << QVariant(-2.5) << 2.5;
        QTest::newRow("tiny negative") << QVariant(-0.001) << 0.01;
        QTest::newRow("below minimum") << QVariant(0.001) << 0.01;
        QTest::newRow("minimum") << QVariant(0.01) << 0.01;
        QTest::newRow("just above") << QVariant(0.011) << 0.011;
        QTest::newRow("large") << QVariant(125.5) << 125.5;
    }

    void storedPixelSizeIsMadeUsable()
    {
        QFETCH(QVariant, stored);
        QFETCH(double, expected);
        storeValue(QStringLiteral("ImagePixelSize"), stored);
        QCOMPARE(Preferences::instance()->imagePixelSize(), expected);
        // The same rule holds for the setter.
        Preferences* p = Preferences::instance();
        p->setImagePixelSize(7.0);
        p->setImagePixelSize(stored.toDouble());
        QCOMPARE(p->imagePixelSize(), expected);
    }

    void settersChangeOnlyMemory()
    {
        Preferences* p = Preferences::instance();
        p->setLanguage(1);
        p->setImagePixelSize(-0.5);
        p->setBilinearInterpolation(false);
        p->setIgnoreHeightValues(true);
        p->setCreateSurferBlankFiles(false);
        QCOMPARE(p->language(), 1);
        QCOMPARE(p->imagePixelSize(), 0.5);
        QCOMPARE(p->bilinearInterpolation(), false);
        QCOMPARE(p->ignoreHeightValues(), true);
        QCOMPARE(p->createSurferBlankFiles(), false);
        QVERIFY(storedKeys().isEmpty());

        p->save();
        QCOMPARE(storedKeys().size(), 5);
        QCOMPARE(storedValue(QStringLiteral("Language")).toInt(), 1);
        QCOMPARE(storedValue(QStringLiteral("ImagePixelSize")).toDouble(), 0.5);
        QCOMPARE(storedValue(QStringLiteral("BilinearInterpolation")).toBool(), false);
        QCOMPARE(storedValue(QStringLiteral("IgnoreHeightValues")).toBool(), true);
        QCOMPARE(storedValue(QStringLiteral("CreateSurferBlankFiles")).toBool(), false);

        // A round trip through the store gives the same values back.
        Preferences::destroy();
        const Preferences* again = Preferences::instance();
        QCOMPARE(again->language(), 1);
        QCOMPARE(again->imagePixelSize(), 0.5);
        QCOMPARE(again->bilinearInterpolation(), false);
        QCOMPARE(again->ignoreHeightValues(), true);
        QCOMPARE(again->createSurferBlankFiles(), false);
    }
};

TUNDRACK_TEST(PreferencesTest)
#include "preferencestest.moc"

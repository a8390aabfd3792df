#include "common/testregistry.h"

#include "slices/rungeneration.h"

#include <QTest>

class RunGenerationTest : public QObject
{
    Q_OBJECT

private slots:
    void onlyTheLatestRunCounts()
    {
        RunGeneration runs;
        runs.start();
        QVERIFY(runs.latestRunning());
        QVERIFY(runs.end());
        QVERIFY(!runs.latestRunning());

        // Superseded: the first end is the old run's, the second the new one's.
        runs.start();
        runs.start();
        QVERIFY(!runs.latestRunning());
        QVERIFY(!runs.end());
        QVERIFY(runs.latestRunning());
        QVERIFY(runs.end());

        // Cancelled, then started again before the cancelled run ended.
        runs.start();
        runs.cancel();
        QVERIFY(!runs.latestRunning());
        runs.start();
        QVERIFY(!runs.end());
        QVERIFY(runs.end());
        QCOMPARE(runs.started(), quint64(5));

        runs.start();
        runs.cancel();
        QVERIFY(!runs.end());
    }
};

TUNDRACK_TEST(RunGenerationTest)
#include "rungenerationtest.moc"

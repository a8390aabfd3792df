#include "common/testregistry.h"
#include "probebytes.h"
#include "probes/legacy/legacyspecifications.h"
#include "probes/legacy/zndtranslator_legacy.h"

#include <QTest>

#include <functional>
#include <limits>

using ProbeBytes::LegacyBlock;

class LegacySpecificationsTest : public QObject
{
    Q_OBJECT

private slots:
    void onlyExactly1164BytesAreRead()
    {
        LegacyBlock block;
        for (int v = 0; v < block.vectors.size(); ++v) {
            for (int f = 0; f < 14; ++f)
                block.vectors[v][f] = 100.0 * v + f + 0.25;
        }
        block.Rt = 0.125;
        block.Nt = -9;
        block.R1 = 1e10;
        block.R2 = -2.5e-7;
        const QByteArray bytes = block.bytes();
        QCOMPARE(bytes.size(), 1164);

        const LegacySpecifications s(bytes);
        QCOMPARE(QVector<qint32>({s.d1, s.d2, s.d3, s.serial}), QVector<qint32>({5, 11, 2008, 7}));
        const QVector<double> vectors[] = {s.F, s.XP, s.YP, s.CC, s.XAir, s.YAir, s.IAir, s.M1, s.M2, s.GF};
        for (int v = 0; v < 10; ++v)
            QCOMPARE(vectors[v], block.vectors[v]);
        QCOMPARE(s.Rt, 0.125);
        QCOMPARE(s.Nt, -9);
        QCOMPARE(s.R1, 1e10);
        QCOMPARE(s.R2, -2.5e-7);
        QVERIFY(s.isValid());
        QCOMPARE(s.toByteArray(), bytes);

        // One byte short or one byte over: nothing is read, the defaults stay.
        for (const QByteArray& other : {bytes.left(1163), bytes + '\0', QByteArray()}) {
            const LegacySpecifications d(other);
            QCOMPARE(QVector<qint32>({d.d1, d.d2, d.d3, d.serial, d.Nt}), QVector<qint32>({1, 1, 2000, 0, 0}));
            QCOMPARE(d.F, QVector<double>(14, 0.0));
            QCOMPARE(d.GF, QVector<double>(14, 0.0));
            QCOMPARE(d.Rt + d.R1 + d.R2, 0.0);
            QVERIFY(!d.isValid());
            QCOMPARE(d.toByteArray().size(), 1164);

            ZndTranslator_Legacy t;
            QVERIFY(t.setSpecifications(bytes));
            QVERIFY(!t.setSpecifications(other));
            QCOMPARE(t.specifications(), other);
            QCOMPARE(t.legacySpecifications().d3, 2000);
            QVERIFY(t.specificationsSummary().isEmpty());
            QVERIFY(t.specificationsText().isEmpty());
        }
    }

    void validity()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        for (int v = 0; v < 10; ++v) {
            const bool mayBeZero = v == LegacyBlock::XP || v == LegacyBlock::YP
                                   || v == LegacyBlock::XAir || v == LegacyBlock::YAir;
            for (double bad : {0.0, -0.0}) {
                LegacyBlock block;
                block.vectors[v][13] = bad;
                QVERIFY2(LegacySpecifications(block.bytes()).isValid() == mayBeZero,
                         qPrintable(QStringLiteral("vector %1").arg(v)));
            }
            LegacyBlock block;
            block.vectors[v][0] = nan;
            QVERIFY(LegacySpecifications(block.bytes()).isValid());
        }
        const std::function<void(LegacyBlock&)> spoilers[] = {
            [](LegacyBlock& b) { b.serial = 0; }, [](LegacyBlock& b) { b.Nt = 0; },
            [](LegacyBlock& b) { b.Rt = -0.0; },  [](LegacyBlock& b) { b.R1 = 0.0; },
            [](LegacyBlock& b) { b.R2 = 0.0; }};
        for (const auto& spoil : spoilers) {
            LegacyBlock block;
            spoil(block);
            QVERIFY(!LegacySpecifications(block.bytes()).isValid());
        }
        // The date is not looked at.
        LegacyBlock block;
        block.d1 = block.d2 = block.d3 = 0;
        QVERIFY(LegacySpecifications(block.bytes()).isValid());
    }

    void texts()
    {
        LegacyBlock block;
        block.vectors[LegacyBlock::F][1] = 1234567;
        block.vectors[LegacyBlock::GF][13] = -2.5e-7;
        block.Nt = 42;
        block.R2 = 0.1;
        ZndTranslator_Legacy t;
        QVERIFY(t.setSpecifications(block.bytes()));
        QCOMPARE(t.specificationsSummary(), QStringLiteral("#7\n5/11/2008"));
        QString expected = QStringLiteral("#7\n5/11/2008\n\n");
        for (const char* name : {"F", "XP", "YP", "CC", "XAir", "YAir", "IAir", "M1", "M2", "GF"}) {
            for (int n = 1; n <= 14; ++n)
                expected += QStringLiteral("%1[%2] = 1\n").arg(QLatin1String(name)).arg(n);
            expected += QStringLiteral("\n");
        }
        expected.replace(QStringLiteral("\nF[2] = 1\n"), QStringLiteral("\nF[2] = 1.23457e+06\n"));
        expected.replace(QStringLiteral("GF[14] = 1\n"), QStringLiteral("GF[14] = -2.5e-07\n"));
        expected += QStringLiteral("Rt = 0.5\nNt = 42\n\nR1 = 1\nR2 = 0.1");
        QCOMPARE(t.specificationsText(), expected);
    }
};

TUNDRACK_TEST(LegacySpecificationsTest)
#include "legacyspecificationstest.moc"

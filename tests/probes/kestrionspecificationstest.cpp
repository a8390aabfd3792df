#include "common/testregistry.h"
#include "probebytes.h"
#include "probes/kestrion/kestrionspecifications.h"
#include "probes/kestrion/zndtranslator_kestrion.h"

#include <QTest>

#include <limits>

using ProbeBytes::KestrionBlock;

class KestrionSpecificationsTest : public QObject
{
    Q_OBJECT

private:
    static KestrionBlock distinctBlock()
    {
        KestrionBlock block;
        for (int v = 0; v < block.vectors.size(); ++v)
            block.vectors[v] = {v + 1.25, v + 2.5, -(v + 3.75)};
        block.rt = 0.125;
        block.nt = -9;
        block.r = 1e10;
        block.m = -2.5e-7;
        block.mode = 77;
        return block;
    }

private slots:
    void parsesEveryFieldInOrder()
    {
        const KestrionBlock block = distinctBlock();
        const QByteArray bytes = block.bytes();
        QCOMPARE(bytes.size(), 360);
        const KestrionSpecifications s(bytes);
        QCOMPARE(s.d1, 12);
        QCOMPARE(s.d2, 3);
        QCOMPARE(s.d3, 2019);
        QCOMPARE(s.serial, 5);
        const QVector<double> vectors[] = {s.F,  s.XP,  s.YP,  s.XA, s.YA, s.IA, s.XAU,
                                           s.YAU, s.IAU, s.GF, s.AC, s.BC, s.IC};
        for (int v = 0; v < 13; ++v)
            QCOMPARE(vectors[v], block.vectors[v]);
        QCOMPARE(s.rt, 0.125);
        QCOMPARE(s.nt, -9);
        QCOMPARE(s.r, 1e10);
        QCOMPARE(s.m, -2.5e-7);
        QCOMPARE(s.mode, 77);
        QVERIFY(s.isValid());
        // Writing gives back exactly the hand-built bytes.
        QCOMPARE(s.toByteArray(), bytes);
    }

    void emptyBytesGiveZeros()
    {
        const KestrionSpecifications s{QByteArray()};
        QCOMPARE(s.d1, 0);
        QCOMPARE(s.d2, 0);
        QCOMPARE(s.d3, 0);
        QCOMPARE(s.serial, 0);
        for (const QVector<double>& v : {s.F, s.XP, s.IC, s.GF})
            QCOMPARE(v, QVector<double>({0.0, 0.0, 0.0}));
        QCOMPARE(s.rt, 0.0);
        QCOMPARE(s.nt, 0);
        QCOMPARE(s.mode, 0);
        QVERIFY(!s.isValid());
        QCOMPARE(s.toByteArray(), QByteArray(360, '\0'));
        QCOMPARE(KestrionSpecifications().toByteArray(), QByteArray(360, '\0'));
    }

    void shortBlocks()
    {
        const QByteArray full = distinctBlock().bytes();

        // Date and serial, then half of F[0]: a partly reached field is 0 too.
        KestrionSpecifications head(full.left(20));
        QCOMPARE(head.d3, 2019);
        QCOMPARE(head.serial, 5);
        QCOMPARE(head.F, QVector<double>({0.0, 0.0, 0.0}));
        QCOMPARE(head.XP.size(), 3);
        QCOMPARE(head.IC, QVector<double>({0.0, 0.0, 0.0}));
        QVERIFY(!head.isValid());

        // Cut in the middle of r: the vectors, rt and nt are there, r, m, mode not.
        KestrionSpecifications tail(full.left(344));
        QCOMPARE(tail.IC, QVector<double>({13.25, 14.5, -15.75}));
        QCOMPARE(tail.rt, 0.125);
        QCOMPARE(tail.nt, -9);
        QCOMPARE(tail.r, 0.0);
        QCOMPARE(tail.m, 0.0);
        QCOMPARE(tail.mode, 0);
        QVERIFY(!tail.isValid());

        // Only the mode is cut short.
        KestrionSpecifications noMode(full.left(358));
        QCOMPARE(noMode.m, -2.5e-7);
        QCOMPARE(noMode.mode, 0);
        QVERIFY(noMode.isValid());
    }

    void longBlocksIgnoreTheRest()
    {
        const QByteArray full = distinctBlock().bytes();
        QByteArray longer = full + QByteArray(40, '\x7F');
        KestrionSpecifications s(longer);
        QCOMPARE(s.mode, 77);
        QCOMPARE(s.toByteArray(), full);

        ZndTranslator_Kestrion translator;
        KestrionBlock block;
        QByteArray bytes = block.bytes() + QByteArray(40, '\xAB');
        QCOMPARE(bytes.size(), 400);
        QVERIFY(translator.setSpecifications(bytes));
        QCOMPARE(translator.specificationsSummary(), QStringLiteral("#5\n12/3/2019"));
        QCOMPARE(translator.specifications(), bytes);
    }

    void validityOfEveryField()
    {
        QVERIFY(KestrionSpecifications(KestrionBlock().bytes()).isValid());
        // Each single zero element, F included, spoils the block.
        for (int v = 0; v < 13; ++v) {
            for (int i = 0; i < 3; ++i) {
                KestrionBlock block;
                block.vectors[v][i] = 0.0;
                QVERIFY2(!KestrionSpecifications(block.bytes()).isValid(),
                         qPrintable(QStringLiteral("vector %1 element %2").arg(v).arg(i)));
                block.vectors[v][i] = -0.0;
                QVERIFY(!KestrionSpecifications(block.bytes()).isValid());
                block.vectors[v][i] = std::numeric_limits<double>::quiet_NaN();
                QVERIFY(KestrionSpecifications(block.bytes()).isValid());
            }
        }
        KestrionBlock block;
        block.serial = 0;
        QVERIFY(!KestrionSpecifications(block.bytes()).isValid());
        block = KestrionBlock();
        block.rt = -0.0;
        QVERIFY(!KestrionSpecifications(block.bytes()).isValid());
        block = KestrionBlock();
        block.nt = 0;
        QVERIFY(!KestrionSpecifications(block.bytes()).isValid());
        block = KestrionBlock();
        block.r = 0.0;
        QVERIFY(!KestrionSpecifications(block.bytes()).isValid());
        block = KestrionBlock();
        block.m = 0.0;
        QVERIFY(!KestrionSpecifications(block.bytes()).isValid());
        block = KestrionBlock();
        block.m = std::numeric_limits<double>::quiet_NaN();
        block.rt = std::numeric_limits<double>::infinity();
        QVERIFY(KestrionSpecifications(block.bytes()).isValid());
        // Neither the date nor the mode is looked at.
        block = KestrionBlock();
        block.d1 = block.d2 = block.d3 = 0;
        block.mode = -5;
        QVERIFY(KestrionSpecifications(block.bytes()).isValid());
        block.serial = -1;
        QVERIFY(KestrionSpecifications(block.bytes()).isValid());
    }
};

TUNDRACK_TEST(KestrionSpecificationsTest)
#include "kestrionspecificationstest.moc"

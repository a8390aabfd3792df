#include "common/testregistry.h"
#include "common/testsupport.h"
#include "probebytes.h"
#include "probes/kestrion/processoptionswidget_kestrion.h"
#include "probes/legacy/graphicoptionswidget_legacy.h"
#include "probes/legacy/legacyresponseroot.h"
#include "probes/legacy/measureoptionswidget_legacy.h"
#include "probes/legacy/processoptionswidget_legacy.h"
#include "probes/legacy/zndtranslator_legacy.h"

#include <QRandomGenerator>
#include <QScopedPointer>
#include <QTest>

#include <cmath>
#include <limits>

using ProbeBytes::LegacyBlock;
using ProbeBytes::RawRecordBytes;

namespace {

// The plain block (M1 = 1, M2 = 3, Rt = 0.5, Nt = 10, R1 = 1, R2 = 2), but
// frequency 3 rotates: CC = 2, IAir = 4, XAir = 8, YAir = -8, XP = 1,
// YP = 2, GF = 3.
QByteArray handBlock()
{
    LegacyBlock block = LegacyBlock::plain();
    const double rotated[] = {2, 4, 8, -8, 1, 2, 3};
    const int vectors[] = {LegacyBlock::CC, LegacyBlock::IAir, LegacyBlock::XAir, LegacyBlock::YAir,
                           LegacyBlock::XP, LegacyBlock::YP, LegacyBlock::GF};
    for (int i = 0; i < 7; ++i)
        block.vectors[vectors[i]][3] = rotated[i];
    return block.bytes();
}

// Apparent conductivities of the modulus 0.001 under the plain block.
const double models[] = {1.4394612206290798, 2.053196450936867, 1.8034659525649108};

bool close(double a, double b, double relative = 1e-13)
{
    return std::fabs(a - b) <= relative * std::fabs(b);
}

// The defining equation's relative residual, formed independently in long
// double: ((d x)^2 + (e x^1.5)^2) / value^2 - 1.
long double residual(double x, double value, double d, double e)
{
    const long double p = (long double)d * x / value;
    const long double q = (long double)e * x * std::sqrt((long double)x) / value;
    return p * p + q * q - 1.0L;
}

} // namespace

class LegacyTranslatorTest : public QObject
{
    Q_OBJECT

private:
    QScopedPointer<ProcessOptionsWidget_Legacy> m_process;
    QScopedPointer<GraphicOptionsWidget_Legacy> m_graphic;
    ZndTranslator_Legacy m_t;

    QPointF point(const QByteArray& record, int f, int part, bool* ok)
    {
        QAbstractButton* buttons[] = {m_process->absValueRadioButton, m_process->realPartRadioButton,
                                      m_process->imagPartRadioButton};
        buttons[part]->setChecked(true);
        m_graphic->fComboBox->setCurrentIndex(f);
        return m_t.point(record, m_process.data(), m_graphic.data(), ok);
    }

private slots:
    void init()
    {
        TestSupport::clearAllSettings();
        m_process.reset(new ProcessOptionsWidget_Legacy);
        m_graphic.reset(new GraphicOptionsWidget_Legacy);
        QVERIFY(m_t.setSpecifications(handBlock()));
    }

    void cleanup()
    {
        m_process.reset();
        m_graphic.reset();
    }

    void identityAndMeasureRequest()
    {
        QScopedPointer<ZndTranslator> made(createTranslator(ProbeId(254, 254)));
        QVERIFY(dynamic_cast<ZndTranslator_Legacy*>(made.data()));
        QCOMPARE(made->model(), QStringLiteral("VKT/TALVIN"));
        QCOMPARE(made->probeId(), ProbeId(254, 254));
        QScopedPointer<QWidget> measure(made->createMeasureOptionsWidget());
        auto* boxes = qobject_cast<MeasureOptionsWidget_Legacy*>(measure.data());
        QVERIFY(boxes && !boxes->parent());
        bool ok = false;
        QCOMPARE(m_t.measureRequest(boxes, &ok), QByteArray::fromHex("02F1020200F53FFF03"));
        QVERIFY(ok);
        for (int f = 0; f < 14; ++f)
            boxes->frequencyBox(f)->setChecked(f == 8);
        QCOMPARE(m_t.measureRequest(boxes, &ok), QByteArray::fromHex("02F1020200F5010003"));
        boxes->f9CheckBox->setChecked(false);
        QVERIFY(m_t.measureRequest(boxes, &ok).isEmpty() && !ok);
    }

    void calibratedValueAndResponseModels()
    {
        // The hand-rotated frequency 3: |C| = 5, u = 30 / 10 - 8 / 8 = 2,
        // w = 20 / 10 + 8 / 8 = 3, real = (2 * 2 - 1 * 3) * 3 = 3,
        // imaginary = (1 * 2 + 2 * 3) * 3 = 24; current = 5 * CC = 10.
        RawRecordBytes r;
        r.setChannel(3, 30 * 128, 20 * 128, 3, 4);
        double re = 0, im = 0, current = -1, conductivity = 0, depth = 0, ppm = 0;
        m_t.computeAll(r.bytes, 3, &re, &im, &current, &conductivity, &depth, &ppm);
        QCOMPARE(QVector<double>({re, im, current, depth}), QVector<double>({3, 24, 10, 11 * 10.0 / 14.0}));
        // sqrt(585) over k' * (10 * 10 * pi * 0.25) * 1 / (4 pi), k' = 8 pi^2 / 1000.
        QVERIFY(close(ppm, 49012649.873233078));
        QVERIFY(close(conductivity, 1507.8554512717355, 1e-12));

        // The three response models of the modulus 0.001, and of 0.000001.
        for (int part = 0; part < 3; ++part) {
            QVERIFY(close(m_t.apparentValue(0.001, 0, part), models[part]));
            QVERIFY(close(m_t.computeValue(3, 4, 3000, 4000, 13, part), 1.0 / models[part]));
        }
        QVERIFY(close(m_t.apparentValue(1e-6, 5, 0), 0.0020516843935424907));
        QVERIFY(close(m_t.apparentValue(1e-6, 5, 2), 0.01803465952564910));
        QCOMPARE(m_t.apparentValue(0.001, 0, 3) + m_t.apparentValue(0.001, 14, 0), 0.0);
        QCOMPARE(m_t.computeValue(3, 4, 3000, 4000, -1, 1), 0.0);
    }

    void depthRules()
    {
        RawRecordBytes r;
        for (int f : {0, 5, 13})
            r.setMilli(f);
        bool ok = false;
        const QVector<QPointF> all = m_t.points(r.bytes, m_process.data(), &ok);
        QVERIFY(ok);
        QCOMPARE(all.size(), 3);
        const double depths[] = {0.714, 6.426, 9.996};
        for (int i = 0; i < 3; ++i)
            QVERIFY(close(all.at(i).x(), depths[i]) && close(all.at(i).y(), 1.0 / models[0]));
        for (int part = 0; part < 3; ++part) {
            const QPointF p = point(r.bytes, 13, part, &ok);
            QVERIFY(ok && p.x() == 0.714 && close(p.y(), 1.0 / models[part]));
        }
        QCOMPARE(point(r.bytes, 1, 0, &ok), QPointF());
        QVERIFY(!ok);

        double re = 1, im = 1, current = 7, conductivity = 1, depth = 0, ppm = 1;
        m_t.computeAll(r.bytes, 13, &re, &im, &current, &conductivity, &depth, &ppm);
        QCOMPARE(depth, 0.7142857142857143);
        QCOMPARE(current, 5000.0);
        QVERIFY(close(conductivity, models[0]));
        // A clear bit, an index past 13 or a short record: zeros, current kept.
        for (int f : {1, 14, 255}) {
            current = 7;
            m_t.computeAll(r.bytes, quint8(f), &re, &im, &current, &conductivity, &depth, &ppm);
            QCOMPARE(QVector<double>({re, im, conductivity, ppm, current}), QVector<double>({0, 0, 0, 0, 7}));
            QCOMPARE(depth, (14 - f) * 10.0 / 14.0);
        }
        m_t.computeAll(r.bytes.left(175), 0, &re, &im, &current, &conductivity, &depth, &ppm);
        QCOMPARE(current + depth, 17.0);
    }

    void whatGivesNoValue()
    {
        RawRecordBytes r;
        r.setMilli(0);
        // |C| = 0: an infinite modulus, so an infinite conductivity.
        r.setChannel(1, 3 * 128, 4 * 128, 0, 0);
        // V = 0 with no air offset: a zero modulus, so a zero conductivity.
        r.setChannel(2, 0, 0, 3000, 4000);
        bool ok = false;
        for (int part = 0; part < 3; ++part) {
            for (int f : {1, 2}) {
                QCOMPARE(point(r.bytes, f, part, &ok), QPointF());
                QVERIFY(!ok);
            }
            const QVector<QPointF> all = m_t.points(r.bytes, m_process.data(), &ok);
            QVERIFY(ok && all.size() == 1 && close(all.at(0).x(), 9.996));
        }
        // No frequency index, wrong lengths, foreign widgets.
        r.bytes[168] = r.bytes[169] = '\xFF';
        QCOMPARE(point(r.bytes, -1, 0, &ok), QPointF());
        QVERIFY(!ok);
        ProcessOptionsWidget_Kestrion foreign;
        QVERIFY(m_t.points(r.bytes, &foreign, &ok).isEmpty() && !ok);
        QCOMPARE(m_t.point(r.bytes, m_process.data(), nullptr, &ok), QPointF());
        QVERIFY(!ok);
        for (const QByteArray& bytes : {r.bytes.left(175), r.bytes + '\0'}) {
            QVERIFY(m_t.points(bytes, m_process.data(), &ok).isEmpty() && !ok);
            QVERIFY(m_t.rawDataValues(bytes).isEmpty());
        }
    }

    void rootAgainstItsEquation()
    {
        // Where the closed formula is sound, its result unchanged (at 1e-6 it
        // is already 4e-12 off, and the solved root is the true one).
        const double d = 4.870454551700122e-4;
        const double e = 4.128935307811263e-4;
        for (double value : {0.001, 1e-4})
            QCOMPARE(LegacyResponseRoot::solve(value, d, e), LegacyResponseRoot::closedForm(value, d, e));

        // M2 close to M1 (E small next to D) and small moduli: the closed
        // formula cancels to nothing there, the solved root holds.
        int closedFailures = 0;
        for (double ratio = 1.0; ratio >= 1e-60; ratio *= 1e-3) {
            for (double value : {1e-3, 1e-9, 1e-15, 1e3}) {
                const double x = LegacyResponseRoot::solve(value, d, e * ratio);
                QVERIFY2(std::isfinite(x) && x > 0 && std::fabs(residual(x, value, d, e * ratio)) <= 1e-12L,
                         qPrintable(QStringLiteral("E ratio %1, value %2: %3").arg(ratio).arg(value).arg(x)));
                const double closed = LegacyResponseRoot::closedForm(value, d, e * ratio);
                if (!(closed >= 0 && std::fabs(residual(closed, value, d, e * ratio)) <= 1e-12L))
                    ++closedFailures;
            }
        }
        QVERIFY(closedFailures > 20);
        // The D term alone, the E term alone, no modulus, no response.
        QCOMPARE(LegacyResponseRoot::solve(-0.001, -d, 0.0), 0.001 / d);
        QVERIFY(close(LegacyResponseRoot::solve(0.001, 0.0, e), std::pow(0.001 / e, 2.0 / 3.0)));
        QCOMPARE(LegacyResponseRoot::solve(0.0, d, e) + LegacyResponseRoot::solve(0.001, 0.0, 0.0), 0.0);
        QVERIFY(std::isnan(LegacyResponseRoot::solve(std::nan(""), d, e)));
    }

    void extremeRoots()
    {
        // Constants of a damaged block: v / e overflows although the root
        // (about 1.2e224) fits in a double.
        const double x = LegacyResponseRoot::solve(5.9066562467642033e137, -1.88e-214, -4.52e-199);
        QVERIFY(x > 1e224 && x < 1.3e224);
        QVERIFY(std::fabs(residual(x, 5.9066562467642033e137, -1.88e-214, -4.52e-199)) <= 1e-12L);
        // A root beyond the largest double, or of an infinite modulus, is no value.
        QVERIFY(std::isnan(LegacyResponseRoot::solve(1e300, 1e-300, 1e-300)));
        QVERIFY(std::isnan(LegacyResponseRoot::solve(1e300, 1e-300, 0.0)));
        QVERIFY(std::isnan(LegacyResponseRoot::solve(-std::numeric_limits<double>::infinity(), 1.0, 1.0)));

        // Over the whole range of doubles: never infinite; a finite root
        // holds its equation, and no value means the root is beyond the
        // largest double (the left side is still below v^2 there).
        QRandomGenerator random(27);
        const auto extreme = [&random] {
            const double magnitude = std::pow(10.0, -320.0 + 628.0 * random.generateDouble());
            return random.bounded(2) ? magnitude : -magnitude;
        };
        const long double largest = std::numeric_limits<double>::max();
        int none = 0;
        for (int i = 0; i < 200000; ++i) {
            const double value = extreme();
            const double d = i % 10 == 0 ? 0.0 : extreme();
            const double e = extreme();
            const double root = LegacyResponseRoot::solve(value, d, e);
            const QString inputs = QStringLiteral("%1 %2 %3: %4").arg(value, 0, 'g', 17).arg(d, 0, 'g', 17).arg(e, 0, 'g', 17).arg(root);
            QVERIFY2(!std::isinf(root), qPrintable(inputs));
            if (std::isnan(root)) {
                const long double left = (long double)d * largest * d * largest
                                         + (long double)e * e * largest * largest * largest;
                QVERIFY2(left < (long double)value * value, qPrintable(inputs));
                ++none;
            } else {
                QVERIFY2(root >= 0.0, qPrintable(inputs));
                if (root > 1e-290)
                    QVERIFY2(std::fabs(residual(root, value, d, e)) <= 1e-12L, qPrintable(inputs));
            }
        }
        QVERIFY(none > 0 && none < 100000);
    }

    void rawTexts()
    {
        QCOMPARE(m_t.rawDataHeaders().size(), 56);
        QCOMPARE(m_t.rawDataHeaders().mid(52), QStringList({"V.Re[14]", "V.Im[14]", "C.Re[14]", "C.Im[14]"}));
        RawRecordBytes r;
        r.setChannel(12, 128, 128, 1, 1, false);
        r.setChannel(13, 38527, -129, 1234567, -999999);
        const QStringList values = m_t.rawDataValues(r.bytes);
        QCOMPARE(values.size(), 56);
        QCOMPARE(values.mid(48), QStringList({"0", "0", "0", "0", "300", "-2", "1.23457e+06", "-999999"}));
    }
};

TUNDRACK_TEST(LegacyTranslatorTest)
#include "legacytranslatortest.moc"

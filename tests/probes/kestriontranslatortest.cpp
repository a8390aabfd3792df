#include "common/testregistry.h"
#include "common/testsupport.h"
#include "probebytes.h"
#include "probes/kestrion/graphicoptionswidget_kestrion.h"
#include "probes/kestrion/measureoptionswidget_kestrion.h"
#include "probes/kestrion/processoptionswidget_kestrion.h"
#include "probes/kestrion/zndtranslator_kestrion.h"
#include "probes/simulator/graphicoptionswidget_simulator.h"
#include "probes/simulator/measureoptionswidget_simulator.h"
#include "probes/simulator/processoptionswidget_simulator.h"
#include "survey/trackblockentry.h"

#include <QScopedPointer>
#include <QTest>

#include <cmath>
#include <limits>

using ProbeBytes::KestrionBlock;
using ProbeBytes::RawRecordBytes;

namespace {

// Calibration worked out so that every intermediate value is a round number.
//   f = 0: |C| = 5 = GF, so g = 1. Factory: h = 10/5 = 2, X/h = 60, Y/h = 80,
//          re scale 2e-6/2, im scale 2e-6/4. User: h = 20/5 = 4, X/h = -100,
//          Y/h = 500.
//   f = 1: |C| = 10 = GF, h = 1, X = 50, Y = 20, both scales 1e-6.
//   f = 2: everything 1, scales 1e-6.
KestrionBlock calibratedBlock(int mode)
{
    KestrionBlock block;
    block.mode = mode;
    block.vectors[KestrionBlock::F] = {1000, 4000, 16000};
    block.vectors[KestrionBlock::XP] = {2, 1, 1};
    block.vectors[KestrionBlock::YP] = {4, 1, 1};
    block.vectors[KestrionBlock::XA] = {120, 50, 1};
    block.vectors[KestrionBlock::YA] = {160, 20, 1};
    block.vectors[KestrionBlock::IA] = {10, 10, 1};
    block.vectors[KestrionBlock::XAU] = {-400, 1, 1};
    block.vectors[KestrionBlock::YAU] = {2000, 1, 1};
    block.vectors[KestrionBlock::IAU] = {20, 1, 1};
    block.vectors[KestrionBlock::GF] = {5, 10, 1};
    block.vectors[KestrionBlock::AC] = {2e-6, 1e-6, 1e-6};
    block.vectors[KestrionBlock::BC] = {2, -1, 1};
    block.vectors[KestrionBlock::IC] = {3, 1, 1};
    return block;
}

// Raw channel contents for the three frequencies (V parts before the shift).
void fillFrequency(RawRecordBytes& r, int channel, int f, bool valid = true)
{
    switch (f) {
    case 0:
        r.setChannel(channel, 300 * 128, 400 * 128, 3, 4, valid);
        break;
    case 1:
        r.setChannel(channel, 100 * 128, 60 * 128, 6, 8, valid);
        break;
    default:
        r.setChannel(channel, 4 * 128, 5 * 128, 1, 0, valid);
        break;
    }
}

// Hand-worked values of the records that fillFrequency makes.
// f = 0, factory: re = (300 - 60) * 1e-6 = 240 uV, im = (400 - 80) * 0.5e-6 = 160 uV.
const double f0Re = 240.0;
const double f0Im = 160.0;
const double f0Abs = 80.0 * std::sqrt(13.0);
const double f0Phase = std::atan(2.0 / 3.0) * 180.0 / M_PI;   // 33.69 degrees
const double f0AppRes = 1000.0 * 83200e-12;                   // 10^3 * (e in V)^2
// f = 0, user: re = (300 + 100) * 1e-6 = 400 uV, im = (400 - 500) * 0.5e-6 = -50 uV.
const double f0UserRe = 400.0;
const double f0UserIm = -50.0;
const double f0UserAbs = 50.0 * std::sqrt(65.0);
const double f0UserPhase = std::atan(-0.125) * 180.0 / M_PI;  // -7.125 degrees
const double f0UserAppRes = 1000.0 * 162500e-12;
// f = 1, factory: re = 100 - 50 = 50 uV, im = 60 - 20 = 40 uV.
const double f1Abs = 10.0 * std::sqrt(41.0);
const double f1Phase = std::atan(0.8) * 180.0 / M_PI;
const double f1AppRes = 10.0 / (f1Abs * 1e-6);                // 10^1 * (e in V)^-1
// f = 2: re = 4 - 1 = 3 uV, im = 5 - 1 = 4 uV.
const double f2Abs = 5.0;
const double f2AppRes = 10.0 * 5e-6;

bool closeTo(double a, double b)
{
    return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::max(std::fabs(a), std::fabs(b)));
}

} // namespace

class KestrionTranslatorTest : public QObject
{
    Q_OBJECT

private:
    QScopedPointer<ProcessOptionsWidget_Kestrion> m_process;
    QScopedPointer<GraphicOptionsWidget_Kestrion> m_graphic;

    void setProcess(int valueType, int part, bool userAir)
    {
        m_process->m_valueTypeComboBox->setCurrentIndex(valueType);
        QAbstractButton* buttons[] = {m_process->absValueRadioButton,
                                      m_process->realPartRadioButton,
                                      m_process->imagPartRadioButton};
        buttons[part]->setChecked(true);
        m_process->userAirCalibrationCheckBox->setChecked(userAir);
    }

    double pointValue(ZndTranslator_Kestrion& t, const QByteArray& record, int f, bool* ok)
    {
        m_graphic->fComboBox->setCurrentIndex(f);
        const QPointF p = t.point(record, m_process.data(), m_graphic.data(), ok);
        if (*ok && p.x() != 3 - f)
            return std::numeric_limits<double>::quiet_NaN();
        return p.y();
    }

private slots:
    void init()
    {
        TestSupport::clearAllSettings();
        m_process.reset(new ProcessOptionsWidget_Kestrion);
        m_graphic.reset(new GraphicOptionsWidget_Kestrion);
    }

    void cleanup()
    {
        m_process.reset();
        m_graphic.reset();
    }

    void identity()
    {
        ZndTranslator_Kestrion t;
        QCOMPARE(t.probeId(), ProbeId(1, 0));
        QCOMPARE(t.model(), QStringLiteral("KESTRION"));
        QVERIFY(t.specifications().isEmpty());
        QCOMPARE(t.kestrionSpecifications().serial, 0);
        QCOMPARE(t.kestrionSpecifications().d1, 0);
        QCOMPARE(t.specificationsRequest(), QByteArray::fromHex("02F1070100F90003"));
        QCOMPARE(t.requestValues(), (QMap<int, quint16>{{4, 3000}}));
        QCOMPARE(t.replySizes(), (QMap<int, quint16>{{3, 2}, {4, 176}}));
        QCOMPARE(t.auxiliaryValue(), 0);

        QScopedPointer<ZndTranslator> made(createTranslator(ProbeId(1, 0)));
        QVERIFY(dynamic_cast<ZndTranslator_Kestrion*>(made.data()));
        QCOMPARE(made->model(), QStringLiteral("KESTRION"));
        for (const ProbeId& id : {ProbeId(1, 1), ProbeId(0, 1), ProbeId(2, 0), ProbeId(255, 255)})
            QVERIFY(!QScopedPointer<ZndTranslator>(createTranslator(id)));

        QScopedPointer<QWidget> graphic(t.createGraphicOptionsWidget());
        QScopedPointer<QWidget> process(t.createProcessOptionsWidget());
        QScopedPointer<QWidget> measure(t.createMeasureOptionsWidget());
        QVERIFY(qobject_cast<GraphicOptionsWidget_Kestrion*>(graphic.data()));
        QVERIFY(qobject_cast<ProcessOptionsWidget_Kestrion*>(process.data()));
        QVERIFY(qobject_cast<MeasureOptionsWidget_Kestrion*>(measure.data()));
        QVERIFY(!graphic->parent() && !process->parent() && !measure->parent());
    }

    void setSpecificationsKeepsWhatItGets()
    {
        ZndTranslator_Kestrion t;
        const QByteArray good = KestrionBlock().bytes();
        QVERIFY(t.setSpecifications(good));
        QCOMPARE(t.kestrionSpecifications().serial, 5);
        KestrionBlock bad;
        bad.serial = 0;
        bad.d1 = 30;
        QVERIFY(!t.setSpecifications(bad.bytes()));
        // The refused block replaces the held one all the same.
        QCOMPARE(t.specifications(), bad.bytes());
        QCOMPARE(t.kestrionSpecifications().d1, 30);
        QVERIFY(t.specificationsSummary().isEmpty());
        QVERIFY(t.specificationsText().isEmpty());
        QVERIFY(!t.setSpecifications(QByteArray()));
        QCOMPARE(t.kestrionSpecifications().d3, 0);
        QVERIFY(t.specificationsSummary().isEmpty());
        QVERIFY(t.specificationsText().isEmpty());
    }

    void channelTable()
    {
        ZndTranslator_Kestrion t;
        t.setSpecifications(calibratedBlock(0).bytes());
        QCOMPARE(t.channelForFrequency(0), 6);
        QCOMPARE(t.channelForFrequency(1), 10);
        QCOMPARE(t.channelForFrequency(2), 12);
        QCOMPARE(t.channelForFrequency(3), -1);
        QCOMPARE(t.channelForFrequency(-1), -1);
        for (int mode : {1, -1, 256}) {
            t.setSpecifications(calibratedBlock(mode).bytes());
            QCOMPARE(t.channelForFrequency(0), 0);
            QCOMPARE(t.channelForFrequency(1), 1);
            QCOMPARE(t.channelForFrequency(2), 2);
            QCOMPARE(t.channelForFrequency(3), -1);
        }
    }

    void readRawValuesShiftsAndExtends()
    {
        ZndTranslator_Kestrion t;
        t.setSpecifications(calibratedBlock(1).bytes());
        RawRecordBytes r;
        // Channel 0: FF FF 80 is -128, -1 after the shift; FF FF 7F is -129, -2.
        const char slot[] = {'\xFF', '\xFF', '\x80', '\xFF', '\xFF', '\x7F',
                             '\xFF', '\xFF', '\xFD', '\x80', '\x00', '\x00'};
        for (int i = 0; i < 12; ++i)
            r.bytes[i] = slot[i];
        r.setChannel(1, -8388608, 8388607, 8388607, -1);
        int vRe = 0, vIm = 0, cRe = 0, cIm = 0;
        // The validity bit is not asked here.
        QVERIFY(t.readRawValues(r.bytes, 0, &vRe, &vIm, &cRe, &cIm));
        QCOMPARE(vRe, -1);
        QCOMPARE(vIm, -2);
        QCOMPARE(cRe, -3);
        QCOMPARE(cIm, -8388608);
        QVERIFY(t.readRawValues(r.bytes, 1, &vRe, &vIm, &cRe, &cIm));
        QCOMPARE(vRe, -65536);
        QCOMPARE(vIm, 65535);
        QCOMPARE(cRe, 8388607);
        QCOMPARE(cIm, -1);
        QVERIFY(!t.readRawValues(r.bytes, 3, &vRe, &vIm, &cRe, &cIm));
        QCOMPARE(vRe, 0);
        QVERIFY(!t.readRawValues(r.bytes.left(175), 0, &vRe, &vIm, &cRe, &cIm));
    }

    void formulasWithFactoryAndUserCalibration()
    {
        ZndTranslator_Kestrion t;
        QVERIFY(t.setSpecifications(calibratedBlock(1).bytes()));
        QVERIFY(closeTo(t.computeEmf(300, 400, 3, 4, 0, 1, false), f0Re));
        QVERIFY(closeTo(t.computeEmf(300, 400, 3, 4, 0, 2, false), f0Im));
        QVERIFY(closeTo(t.computeEmf(300, 400, 3, 4, 0, 0, false), f0Abs));
        QVERIFY(closeTo(t.computePhase(300, 400, 3, 4, 0, false), f0Phase));
        QVERIFY(closeTo(t.computeApparentResistivity(300, 400, 3, 4, 0, false), f0AppRes));
        QVERIFY(closeTo(t.computeEmf(300, 400, 3, 4, 0, 1, true), f0UserRe));
        QVERIFY(closeTo(t.computeEmf(300, 400, 3, 4, 0, 2, true), f0UserIm));
        QVERIFY(closeTo(t.computeEmf(300, 400, 3, 4, 0, 0, true), f0UserAbs));
        QVERIFY(closeTo(t.computePhase(300, 400, 3, 4, 0, true), f0UserPhase));
        QVERIFY(closeTo(t.computeApparentResistivity(300, 400, 3, 4, 0, true), f0UserAppRes));
        // Signs of C do not matter, only its modulus.
        QVERIFY(closeTo(t.computeEmf(300, 400, -3, -4, 0, 0, false), f0Abs));

        QVERIFY(closeTo(t.computeEmf(100, 60, 6, 8, 1, 0, false), f1Abs));
        QVERIFY(closeTo(t.computePhase(100, 60, 6, 8, 1, false), f1Phase));
        QVERIFY(closeTo(t.computeApparentResistivity(100, 60, 6, 8, 1, false), f1AppRes));
        QVERIFY(closeTo(t.computeEmf(4, 5, 1, 0, 2, 0, false), f2Abs));
        QVERIFY(closeTo(t.computeApparentResistivity(4, 5, 1, 0, 2, false), f2AppRes));

        // re < 0 with im > 0: the one-argument arctangent gives a negative phase.
        // f = 1: re = 20 - 50 = -30 uV, im = 40 uV.
        QVERIFY(closeTo(t.computePhase(20, 60, 6, 8, 1, false), -std::atan(4.0 / 3.0) * 180.0 / M_PI));

        // Other parts and indices without calibration give 0.
        QCOMPARE(t.computeEmf(300, 400, 3, 4, 0, 3, false), 0.0);
        QCOMPARE(t.computeEmf(300, 400, 3, 4, 0, -1, false), 0.0);
        QCOMPARE(t.computeEmf(300, 400, 3, 4, 3, 0, false), 0.0);
        QCOMPARE(t.computePhase(300, 400, 3, 4, -1, false), 0.0);
        QCOMPARE(t.computeApparentResistivity(300, 400, 3, 4, 3, false), 0.0);
    }

    void pointByValueTypeMode1()
    {
        ZndTranslator_Kestrion t;
        QVERIFY(t.setSpecifications(calibratedBlock(1).bytes()));
        RawRecordBytes r;
        for (int f = 0; f < 3; ++f)
            fillFrequency(r, f, f);
        bool ok = false;
        const struct
        {
            int type, part;
            bool user;
            int f;
            double expected;
        } cases[] = {
            {0, 0, false, 0, f0Abs},      {0, 1, false, 0, f0Re},
            {0, 2, false, 0, f0Im},       {1, 0, false, 0, f0Phase},
            {2, 0, false, 0, f0AppRes},   {0, 0, true, 0, f0UserAbs},
            {0, 1, true, 0, f0UserRe},    {0, 2, true, 0, f0UserIm},
            {1, 2, true, 0, f0UserPhase}, {2, 1, true, 0, f0UserAppRes},
            {0, 0, false, 1, f1Abs},      {1, 0, false, 1, f1Phase},
            {2, 0, false, 1, f1AppRes},   {0, 0, false, 2, f2Abs},
            {2, 0, false, 2, f2AppRes},
        };
        for (const auto& c : cases) {
            setProcess(c.type, c.part, c.user);
            const double y = pointValue(t, r.bytes, c.f, &ok);
            QVERIFY2(ok && closeTo(y, c.expected),
                     qPrintable(QStringLiteral("type %1 part %2 user %3 f %4: %5 instead of %6")
                                    .arg(c.type).arg(c.part).arg(c.user).arg(c.f).arg(y)
                                    .arg(c.expected)));
        }
    }

    void mode0ReadsChannels6_10_12()
    {
        ZndTranslator_Kestrion t;
        QVERIFY(t.setSpecifications(calibratedBlock(0).bytes()));
        RawRecordBytes r;
        fillFrequency(r, 6, 0);
        fillFrequency(r, 10, 1);
        fillFrequency(r, 12, 2);
        // Decoys where mode 1 would look.
        r.setChannel(0, 1 << 20, 1 << 20, 1, 1);
        r.setChannel(1, 1 << 20, 1 << 20, 1, 1);
        r.setChannel(2, 1 << 20, 1 << 20, 1, 1);
        setProcess(0, 0, false);
        bool ok = false;
        QVERIFY(closeTo(pointValue(t, r.bytes, 0, &ok), f0Abs) && ok);
        QVERIFY(closeTo(pointValue(t, r.bytes, 1, &ok), f1Abs) && ok);
        QVERIFY(closeTo(pointValue(t, r.bytes, 2, &ok), f2Abs) && ok);
        setProcess(0, 1, true);
        QVERIFY(closeTo(pointValue(t, r.bytes, 0, &ok), f0UserRe) && ok);

        QVector<QPointF> expected = {{1, f2Abs}, {2, f1Abs}, {3, f0Abs}};
        setProcess(0, 0, false);
        ok = false;
        const QVector<QPointF> all = t.points(r.bytes, m_process.data(), &ok);
        QVERIFY(ok);
        QCOMPARE(all.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(all.at(i).x(), expected.at(i).x());
            QVERIFY(closeTo(all.at(i).y(), expected.at(i).y()));
        }
    }

    void validityBitsOfTheRightChannel()
    {
        RawRecordBytes r;
        for (int channel : {0, 1, 2, 6, 10, 12})
            fillFrequency(r, channel, channel % 3, false);
        r.bytes[168] = '\x40';
        r.bytes[169] = '\x14';
        setProcess(0, 0, false);
        ZndTranslator_Kestrion t;
        bool ok = false;
        t.setSpecifications(calibratedBlock(0).bytes());
        QCOMPARE(t.points(r.bytes, m_process.data(), &ok).size(), 3);
        QVERIFY(ok);
        t.setSpecifications(calibratedBlock(1).bytes());
        ok = true;
        QVERIFY(t.points(r.bytes, m_process.data(), &ok).isEmpty());
        QVERIFY(!ok);
        for (int f = 0; f < 3; ++f) {
            ok = true;
            QCOMPARE(t.point(r.bytes, m_process.data(), m_graphic.data(), &ok), QPointF());
            QVERIFY(!ok);
        }

        // Only channel 1 set with mode 1: the single point of frequency index 1.
        r.bytes[168] = '\x02';
        r.bytes[169] = '\0';
        const QVector<QPointF> one = t.points(r.bytes, m_process.data(), &ok);
        QVERIFY(ok);
        QCOMPARE(one.size(), 1);
        QCOMPARE(one.at(0).x(), 2.0);
        QVERIFY(closeTo(one.at(0).y(), f1Abs));
        QVERIFY(!std::isnan(pointValue(t, r.bytes, 1, &ok)) && ok);
        pointValue(t, r.bytes, 0, &ok);
        QVERIFY(!ok);
        pointValue(t, r.bytes, 2, &ok);
        QVERIFY(!ok);
    }

    void pointRefusesWhatItCannotRead()
    {
        ZndTranslator_Kestrion t;
        t.setSpecifications(calibratedBlock(1).bytes());
        RawRecordBytes r;
        fillFrequency(r, 0, 0);
        bool ok = true;
        m_graphic->fComboBox->setCurrentIndex(0);
        QVERIFY(t.point(r.bytes, m_process.data(), m_graphic.data(), &ok) != QPointF());
        QVERIFY(ok);
        for (int size : {0, 175, 177}) {
            ok = true;
            QCOMPARE(t.point(r.bytes.leftJustified(size, '\0', true), m_process.data(),
                             m_graphic.data(), &ok),
                     QPointF());
            QVERIFY(!ok);
            ok = true;
            QVERIFY(t.points(r.bytes.leftJustified(size, '\0', true), m_process.data(), &ok)
                        .isEmpty());
            QVERIFY(!ok);
        }
        ProcessOptionsWidget_Simulator foreignProcess;
        GraphicOptionsWidget_Simulator foreignGraphic;
        ok = true;
        QCOMPARE(t.point(r.bytes, nullptr, m_graphic.data(), &ok), QPointF());
        QVERIFY(!ok);
        ok = true;
        QCOMPARE(t.point(r.bytes, m_process.data(), nullptr, &ok), QPointF());
        QVERIFY(!ok);
        ok = true;
        QCOMPARE(t.point(r.bytes, &foreignProcess, m_graphic.data(), &ok), QPointF());
        QVERIFY(!ok);
        ok = true;
        QCOMPARE(t.point(r.bytes, m_process.data(), &foreignGraphic, &ok), QPointF());
        QVERIFY(!ok);
        ok = true;
        QVERIFY(t.points(r.bytes, &foreignProcess, &ok).isEmpty());
        QVERIFY(!ok);
        ok = true;
        QVERIFY(t.points(r.bytes, nullptr, &ok).isEmpty());
        QVERIFY(!ok);
        // A frequency index without a channel is no value, even with every bit set.
        r.bytes[168] = '\xFF';
        r.bytes[169] = '\xFF';
        m_graphic->fComboBox->setCurrentIndex(-1);
        QCOMPARE(m_graphic->fComboBox->currentIndex(), -1);
        ok = true;
        QCOMPARE(t.point(r.bytes, m_process.data(), m_graphic.data(), &ok), QPointF());
        QVERIFY(!ok);
    }

    void nonFiniteValuesAreNoValues()
    {
        ZndTranslator_Kestrion t;
        t.setSpecifications(calibratedBlock(1).bytes());
        RawRecordBytes r;
        // f = 0: C = 0, so |C| = 0 and every part divides by zero.
        r.setChannel(0, 300 * 128, 400 * 128, 0, 0);
        // f = 1: re = 50 - 50 = 0 and im = 20 - 20 = 0, a 0/0 phase and a zero EMF.
        r.setChannel(1, 50 * 128, 20 * 128, 6, 8);
        // f = 2: an ordinary value.
        fillFrequency(r, 2, 2);
        bool ok = true;

        setProcess(0, 0, false);
        pointValue(t, r.bytes, 0, &ok);
        QVERIFY(!ok);
        QCOMPARE(pointValue(t, r.bytes, 1, &ok), 0.0);
        QVERIFY(ok);
        QVector<QPointF> pts = t.points(r.bytes, m_process.data(), &ok);
        QVERIFY(ok);
        QCOMPARE(pts.size(), 2);
        QCOMPARE(pts.at(0).x(), 1.0);
        QCOMPARE(pts.at(1), QPointF(2, 0));

        setProcess(1, 0, false);
        pointValue(t, r.bytes, 1, &ok);
        QVERIFY(!ok);
        pts = t.points(r.bytes, m_process.data(), &ok);
        QCOMPARE(pts.size(), 1);
        QCOMPARE(pts.at(0).x(), 1.0);

        // log10 of a zero EMF with a negative exponent grows without bound.
        setProcess(2, 0, false);
        pointValue(t, r.bytes, 1, &ok);
        QVERIFY(!ok);

        // Nothing finite at all: no point and ok false.
        r.bytes[168] = '\x03';
        setProcess(1, 0, false);
        ok = true;
        QVERIFY(t.points(r.bytes, m_process.data(), &ok).isEmpty());
        QVERIFY(!ok);

        // The CSV routine shows what it computed.
        double a = 0, re = 0, im = 0, phase = 0, appRes = 0;
        t.computeAll(r.bytes, 0, &a, &re, &im, &phase, &appRes);
        QVERIFY(std::isinf(a));
        QVERIFY(!std::isfinite(re));
        QVERIFY(std::isnan(phase));
    }

    void computeAllUsesUserCalibration()
    {
        ZndTranslator_Kestrion t;
        t.setSpecifications(calibratedBlock(0).bytes());
        RawRecordBytes r;
        // Validity bits clear: the CSV routine reads the values all the same.
        fillFrequency(r, 6, 0, false);
        fillFrequency(r, 10, 1, false);
        double a = 0, re = 0, im = 0, phase = 0, appRes = 0;
        t.computeAll(r.bytes, 0, &a, &re, &im, &phase, &appRes);
        QVERIFY(closeTo(a, f0UserAbs));
        QVERIFY(closeTo(re, f0UserRe));
        QVERIFY(closeTo(im, f0UserIm));
        QVERIFY(closeTo(phase, f0UserPhase));
        QVERIFY(closeTo(appRes, f0UserAppRes));
        t.computeAll(r.bytes, 1, &a, &re, &im, &phase, &appRes);
        // f = 1 user: IAU = 1, GF = 10, h = 0.1; re = 100 - 10 = 90, im = 60 - 10 = 50.
        QVERIFY(closeTo(re, 90.0));
        QVERIFY(closeTo(im, 50.0));
        QVERIFY(closeTo(a, std::sqrt(90.0 * 90.0 + 50.0 * 50.0)));

        for (int f : {-1, 3, 100}) {
            a = re = im = phase = appRes = 7;
            t.computeAll(r.bytes, f, &a, &re, &im, &phase, &appRes);
            QCOMPARE(a + re + im + phase + appRes, 0.0);
        }
        for (int size : {0, 175, 177}) {
            a = re = im = phase = appRes = 7;
            t.computeAll(r.bytes.leftJustified(size, '\0', true), 0, &a, &re, &im, &phase, &appRes);
            QCOMPARE(a, 0.0);
            QCOMPARE(re, 0.0);
            QCOMPARE(im, 0.0);
            QCOMPARE(phase, 0.0);
            QCOMPARE(appRes, 0.0);
        }
    }

    void rawTexts()
    {
        ZndTranslator_Kestrion t;
        QCOMPARE(t.rawDataHeaders(),
                 QStringList({"V.Re[1]", "V.Im[1]", "C.Re[1]", "C.Im[1]", "V.Re[2]", "V.Im[2]",
                              "C.Re[2]", "C.Im[2]", "V.Re[3]", "V.Im[3]", "C.Re[3]",
                              "C.Im[3]"}));
        t.setSpecifications(calibratedBlock(1).bytes());
        RawRecordBytes r;
        r.setChannel(0, -128, 65535 * 128, 1234567, -8388608);
        r.setChannel(1, 5, 6, 7, 8, false);
        r.setChannel(2, 38527, -129, 100000, -999999);
        QCOMPARE(t.rawDataValues(r.bytes),
                 QStringList({"-1", "65535", "1.23457e+06", "-8.38861e+06", "0", "0", "0", "0",
                              "300", "-2", "100000", "-999999"}));
        // Mode 0 reads other channels, which hold nothing valid here.
        t.setSpecifications(calibratedBlock(0).bytes());
        QCOMPARE(t.rawDataValues(r.bytes), QStringList(QVector<QString>(12, "0").toList()));
        QVERIFY(t.rawDataValues(r.bytes.left(175)).isEmpty());
        QVERIFY(t.rawDataValues(QByteArray()).isEmpty());
    }

    void specificationsTexts()
    {
        ZndTranslator_Kestrion t;
        KestrionBlock block;
        block.vectors[KestrionBlock::F] = {1000, 1234567, 0.5};
        block.vectors[KestrionBlock::IC] = {-2.5e-7, 1e20, 7};
        block.rt = 0.1;
        block.nt = 42;
        block.r = 123456789;
        block.m = -3;
        QVERIFY(t.setSpecifications(block.bytes()));
        QCOMPARE(t.specificationsSummary(), QStringLiteral("#5\n12/3/2019"));
        QString expected = QStringLiteral("#5\n12/3/2019\n\n"
                                          "F[1] = 1000\nF[2] = 1.23457e+06\nF[3] = 0.5\n\n");
        for (const char* name : {"XP", "YP", "XA", "YA", "IA", "XAU", "YAU", "IAU", "GF", "AC", "BC"})
            expected += QStringLiteral("%1[1] = 1\n%1[2] = 2\n%1[3] = 3\n\n").arg(QLatin1String(name));
        expected += QStringLiteral("IC[1] = -2.5e-07\nIC[2] = 1e+20\nIC[3] = 7\n\n"
                                   "rt = 0.1\nnt = 42\n\nr = 1.23457e+08\nm = -3");
        QCOMPARE(t.specificationsText(), expected);
    }

    void stateTexts()
    {
        ZndTranslator_Kestrion t;
        const struct
        {
            const char* hex;
            const char* text;
            bool low;
        } cases[] = {
            {"04B0", "Supply voltage: 12.0 V", false}, {"047E", "Supply voltage: 12.0 V", false},
            {"047D", "Supply voltage: 11.0 V", true},  {"FF38", "Supply voltage: 653.0 V", false},
            {"0000", "Supply voltage: 0.0 V", true},   {"FFFF", "Supply voltage: 655.0 V", false},
            {"04CE", "Supply voltage: 12.0 V", false}, {"04E2", "Supply voltage: 13.0 V", false},
        };
        for (const auto& c : cases) {
            bool low = !c.low;
            QCOMPARE(t.stateText(QByteArray::fromHex(c.hex), &low), QString::fromLatin1(c.text));
            QCOMPARE(low, c.low);
            QCOMPARE(t.stateText(QByteArray::fromHex(c.hex), nullptr), QString::fromLatin1(c.text));
        }
        for (const char* hex : {"", "04", "04B000"}) {
            bool low = true;
            QVERIFY(t.stateText(QByteArray::fromHex(hex), &low).isEmpty());
            QVERIFY(low);
            low = false;
            t.stateText(QByteArray::fromHex(hex), &low);
            QVERIFY(!low);
        }
    }

    void measureRequestBytes()
    {
        ZndTranslator_Kestrion t;
        t.setSpecifications(calibratedBlock(0).bytes());
        MeasureOptionsWidget_Kestrion widget;
        const auto request = [&](bool f1, bool f2, bool f3, bool* ok) {
            widget.f1CheckBox->setChecked(f1);
            widget.f2CheckBox->setChecked(f2);
            widget.f3CheckBox->setChecked(f3);
            return t.measureRequest(&widget, ok);
        };
        bool ok = false;
        QCOMPARE(request(false, true, false, &ok), QByteArray::fromHex("02F1020200F5040003"));
        QVERIFY(ok);
        QCOMPARE(request(true, false, false, &ok), QByteArray::fromHex("02F1020200F5004003"));
        QCOMPARE(request(false, false, true, &ok), QByteArray::fromHex("02F1020200F5100003"));
        QCOMPARE(request(true, true, true, &ok), QByteArray::fromHex("02F1020200F5144003"));
        QVERIFY(ok);
        QVERIFY(request(false, false, false, &ok).isEmpty());
        QVERIFY(!ok);

        t.setSpecifications(calibratedBlock(1).bytes());
        QCOMPARE(request(true, false, false, &ok), QByteArray::fromHex("02F1020200F5000103"));
        QCOMPARE(request(false, true, false, &ok), QByteArray::fromHex("02F1020200F5000203"));
        QCOMPARE(request(true, true, true, &ok), QByteArray::fromHex("02F1020200F5000703"));
        QVERIFY(ok);

        MeasureOptionsWidget_Simulator foreign;
        ok = true;
        QVERIFY(t.measureRequest(&foreign, &ok).isEmpty());
        QVERIFY(!ok);
        ok = true;
        QVERIFY(t.measureRequest(nullptr, &ok).isEmpty());
        QVERIFY(!ok);
    }

    void trackBlockEntryValues()
    {
        // Stored options that the entry's own process widget picks up.
        m_process.reset();
        {
            QScopedPointer<ProcessOptionsWidget_Kestrion> options(new ProcessOptionsWidget_Kestrion);
            options->m_valueTypeComboBox->setCurrentIndex(0);
            options->realPartRadioButton->setChecked(true);
            options->userAirCalibrationCheckBox->setChecked(true);
        }

        Track track;
        track.setProbeId(ProbeId(1, 0));
        track.setSpecifications(calibratedBlock(1).bytes());
        RawRecordBytes first;
        fillFrequency(first, 0, 0);
        fillFrequency(first, 1, 1);
        RawRecordBytes second;
        fillFrequency(second, 2, 2);
        fillFrequency(second, 0, 0, false);
        for (const QByteArray& data : {first.bytes, first.bytes.left(175), second.bytes}) {
            TrackRecord record;
            record.setData(data);
            track.appendRecord(record);
        }
        TrackBlockEntry entry;
        entry.setTrack(track);
        QList<double> values;
        entry.values(values);
        // Real parts with user calibration, in increasing depth per record:
        // f = 1 (IAU 1, GF 10: 100 - 10 = 90), f = 0 (400), then f = 2 (4 - 1 = 3).
        QCOMPARE(values.size(), 3);
        QVERIFY(closeTo(values.at(0), 90.0));
        QVERIFY(closeTo(values.at(1), f0UserRe));
        QVERIFY(closeTo(values.at(2), 3.0));

        // Refused specifications give nothing.
        KestrionBlock bad = calibratedBlock(1);
        bad.serial = 0;
        track.setSpecifications(bad.bytes());
        entry.setTrack(track);
        values.clear();
        entry.values(values);
        QVERIFY(values.isEmpty());
    }
};

TUNDRACK_TEST(KestrionTranslatorTest)
#include "kestriontranslatortest.moc"

#include "probes/kestrion/zndtranslator_kestrion.h"

#include "probes/kestrion/graphicoptionswidget_kestrion.h"
#include "probes/kestrion/measureoptionswidget_kestrion.h"
#include "probes/kestrion/processoptionswidget_kestrion.h"
#include "probes/rawrecord.h"

#include <cmath>

namespace {

constexpr double pi = 3.141592653589793;
constexpr double microvoltsPerVolt = 1000000.0;

} // namespace

ZndTranslator_Kestrion::ZndTranslator_Kestrion()
{
    m_probeId = ProbeId(1, 0);
}

ZndTranslator_Kestrion::~ZndTranslator_Kestrion() = default;

bool ZndTranslator_Kestrion::setSpecifications(const QByteArray& bytes)
{
    m_specifications = bytes;
    m_kestrion = KestrionSpecifications(bytes);
    return m_kestrion.isValid();
}

QVector<bool> ZndTranslator_Kestrion::checkedFrequencies(MeasureOptionsWidget* widget) const
{
    auto* options = qobject_cast<MeasureOptionsWidget_Kestrion*>(widget);
    if (!options)
        return {};
    return {options->f1CheckBox->isChecked(), options->f2CheckBox->isChecked(),
            options->f3CheckBox->isChecked()};
}

bool ZndTranslator_Kestrion::chosenFrequency(GraphicOptionsWidget* widget, int* f) const
{
    auto* options = qobject_cast<GraphicOptionsWidget_Kestrion*>(widget);
    if (!options)
        return false;
    *f = options->fComboBox->currentIndex();
    return true;
}

bool ZndTranslator_Kestrion::acceptsProcessOptions(ProcessOptionsWidget* widget) const
{
    return qobject_cast<ProcessOptionsWidget_Kestrion*>(widget) != nullptr;
}

bool ZndTranslator_Kestrion::channelValue(int vRe, int vIm, int cRe, int cIm, int f,
                                          ProcessOptionsWidget* widget, double* result) const
{
    auto* options = qobject_cast<ProcessOptionsWidget_Kestrion*>(widget);
    if (!options)
        return false;
    const bool userAir = options->userAirCalibration();
    double y = 0.0;
    switch (options->valueType()) {
    case 0:
        y = computeEmf(vRe, vIm, cRe, cIm, f, options->signalPart(), userAir);
        break;
    case 1:
        y = computePhase(vRe, vIm, cRe, cIm, f, userAir);
        break;
    default:
        y = computeApparentResistivity(vRe, vIm, cRe, cIm, f, userAir);
        break;
    }
    // An infinity or NaN from a zero divisor is no measurement at all.
    if (!std::isfinite(y))
        return false;
    *result = y;
    return true;
}

MeasureOptionsWidget* ZndTranslator_Kestrion::createMeasureOptionsWidget()
{
    return new MeasureOptionsWidget_Kestrion;
}

ProcessOptionsWidget* ZndTranslator_Kestrion::createProcessOptionsWidget()
{
    return new ProcessOptionsWidget_Kestrion;
}

GraphicOptionsWidget* ZndTranslator_Kestrion::createGraphicOptionsWidget()
{
    return new GraphicOptionsWidget_Kestrion;
}

QString ZndTranslator_Kestrion::model()
{
    return QStringLiteral("KESTRION");
}

QString ZndTranslator_Kestrion::specificationsSummary()
{
    const KestrionSpecifications& s = m_kestrion;
    return s.isValid() ? summaryText(s.serial, s.d1, s.d2, s.d3) : QString();
}

QString ZndTranslator_Kestrion::specificationsText()
{
    QString text = specificationsSummary();
    const KestrionSpecifications& s = m_kestrion;
    if (!s.isValid())
        return text;
    text += QStringLiteral("\n\n");
    text += vectorsText({{"F", &s.F},
                         {"XP", &s.XP},
                         {"YP", &s.YP},
                         {"XA", &s.XA},
                         {"YA", &s.YA},
                         {"IA", &s.IA},
                         {"XAU", &s.XAU},
                         {"YAU", &s.YAU},
                         {"IAU", &s.IAU},
                         {"GF", &s.GF},
                         {"AC", &s.AC},
                         {"BC", &s.BC},
                         {"IC", &s.IC}});
    text += QStringLiteral("rt = %1\n").arg(number(s.rt));
    text += QStringLiteral("nt = %1\n").arg(s.nt);
    text += QStringLiteral("\n");
    text += QStringLiteral("r = %1\n").arg(number(s.r));
    text += QStringLiteral("m = %1").arg(number(s.m));
    return text;
}

void ZndTranslator_Kestrion::computeAll(const QByteArray& record, int f, double* emfAbs,
                                        double* emfRe, double* emfIm, double* phase,
                                        double* appRes) const
{
    *emfAbs = *emfRe = *emfIm = *phase = *appRes = 0.0;
    int vRe = 0, vIm = 0, cRe = 0, cIm = 0;
    if (!readRawValues(record, f, &vRe, &vIm, &cRe, &cIm))
        return;
    *emfAbs = computeEmf(vRe, vIm, cRe, cIm, f, 0, true);
    *emfRe = computeEmf(vRe, vIm, cRe, cIm, f, 1, true);
    *emfIm = computeEmf(vRe, vIm, cRe, cIm, f, 2, true);
    *phase = computePhase(vRe, vIm, cRe, cIm, f, true);
    *appRes = computeApparentResistivity(vRe, vIm, cRe, cIm, f, true);
}

bool ZndTranslator_Kestrion::calibratedParts(double vRe, double vIm, double cRe, double cIm,
                                             int f, bool userAir, double* re, double* im) const
{
    if (f < 0 || f >= frequencyCount)
        return false;
    const KestrionSpecifications& s = m_kestrion;
    const double x = userAir ? s.XAU.at(f) : s.XA.at(f);
    const double y = userAir ? s.YAU.at(f) : s.YA.at(f);
    const double i = userAir ? s.IAU.at(f) : s.IA.at(f);
    const double c = std::sqrt(cRe * cRe + cIm * cIm);
    const double g = c / s.GF.at(f);
    const double h = i / s.GF.at(f);
    *re = (vRe / g - x / h) * (s.AC.at(f) / s.XP.at(f));
    *im = (vIm / g - y / h) * (s.AC.at(f) / s.YP.at(f));
    return true;
}

double ZndTranslator_Kestrion::computeEmf(double vRe, double vIm, double cRe, double cIm, int f,
                                          int part, bool userAir) const
{
    double re = 0.0;
    double im = 0.0;
    if (!calibratedParts(vRe, vIm, cRe, cIm, f, userAir, &re, &im))
        return 0.0;
    switch (part) {
    case 0:
        return std::sqrt(re * re + im * im) * microvoltsPerVolt;
    case 1:
        return re * microvoltsPerVolt;
    case 2:
        return im * microvoltsPerVolt;
    default:
        return 0.0;
    }
}

double ZndTranslator_Kestrion::computePhase(double vRe, double vIm, double cRe, double cIm, int f,
                                            bool userAir) const
{
    double re = 0.0;
    double im = 0.0;
    if (!calibratedParts(vRe, vIm, cRe, cIm, f, userAir, &re, &im))
        return 0.0;
    return std::atan(im / re) * 180.0 / pi;
}

double ZndTranslator_Kestrion::computeApparentResistivity(double vRe, double vIm, double cRe,
                                                          double cIm, int f, bool userAir) const
{
    if (f < 0 || f >= frequencyCount)
        return 0.0;
    const double e = computeEmf(vRe, vIm, cRe, cIm, f, 0, userAir);
    return std::pow(10.0, std::log10(e / microvoltsPerVolt) * m_kestrion.BC.at(f)
                              + m_kestrion.IC.at(f));
}

int ZndTranslator_Kestrion::channelForFrequency(int f) const
{
    static const int mode0Channels[frequencyCount] = {6, 10, 12};
    static const int otherChannels[frequencyCount] = {0, 1, 2};
    if (f < 0 || f >= frequencyCount)
        return -1;
    return m_kestrion.mode == 0 ? mode0Channels[f] : otherChannels[f];
}

bool ZndTranslator_Kestrion::readRawValues(const QByteArray& record, int f, int* vRe, int* vIm,
                                           int* cRe, int* cIm) const
{
    return RawRecord(record).channelValues(channelForFrequency(f), vRe, vIm, cRe, cIm);
}

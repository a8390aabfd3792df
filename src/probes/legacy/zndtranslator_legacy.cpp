#include "probes/legacy/zndtranslator_legacy.h"

#include "probes/legacy/graphicoptionswidget_legacy.h"
#include "probes/legacy/legacyresponseroot.h"
#include "probes/legacy/measureoptionswidget_legacy.h"
#include "probes/legacy/processoptionswidget_legacy.h"
#include "probes/rawrecord.h"

#include <cmath>

namespace {

constexpr double twoPi = 6.283185307179586;
constexpr double mu0 = 1.2566370614359173e-6;

} // namespace

ZndTranslator_Legacy::ZndTranslator_Legacy()
{
    m_probeId = ProbeId(254, 254);
}

ZndTranslator_Legacy::~ZndTranslator_Legacy() = default;

bool ZndTranslator_Legacy::setSpecifications(const QByteArray& bytes)
{
    m_specifications = bytes;
    m_legacy = LegacySpecifications(bytes);
    return m_legacy.isValid();
}

int ZndTranslator_Legacy::channelForFrequency(int f) const
{
    return f >= 0 && f < frequencyCount ? f : -1;
}

QVector<bool> ZndTranslator_Legacy::checkedFrequencies(MeasureOptionsWidget* widget) const
{
    QVector<bool> checked;
    if (auto* options = qobject_cast<MeasureOptionsWidget_Legacy*>(widget)) {
        for (int f = 0; f < frequencyCount; ++f)
            checked.append(options->frequencyBox(f)->isChecked());
    }
    return checked;
}

bool ZndTranslator_Legacy::chosenFrequency(GraphicOptionsWidget* widget, int* f) const
{
    auto* options = qobject_cast<GraphicOptionsWidget_Legacy*>(widget);
    if (!options)
        return false;
    *f = options->fComboBox->currentIndex();
    return true;
}

bool ZndTranslator_Legacy::acceptsProcessOptions(ProcessOptionsWidget* widget) const
{
    return qobject_cast<ProcessOptionsWidget_Legacy*>(widget) != nullptr;
}

bool ZndTranslator_Legacy::channelValue(int vRe, int vIm, int cRe, int cIm, int f,
                                        ProcessOptionsWidget* widget, double* result) const
{
    auto* options = qobject_cast<ProcessOptionsWidget_Legacy*>(widget);
    if (!options)
        return false;
    const double y = computeValue(vRe, vIm, cRe, cIm, f, options->signalPart());
    // A zero conductivity gives an infinite resistivity, an infinite one a
    // zero resistivity: neither is a measurement.
    if (!std::isfinite(y) || y == 0.0)
        return false;
    *result = y;
    return true;
}

MeasureOptionsWidget* ZndTranslator_Legacy::createMeasureOptionsWidget()
{
    return new MeasureOptionsWidget_Legacy;
}

ProcessOptionsWidget* ZndTranslator_Legacy::createProcessOptionsWidget()
{
    return new ProcessOptionsWidget_Legacy;
}

GraphicOptionsWidget* ZndTranslator_Legacy::createGraphicOptionsWidget()
{
    return new GraphicOptionsWidget_Legacy;
}

QString ZndTranslator_Legacy::model()
{
    return QStringLiteral("VKT/TALVIN");
}

QString ZndTranslator_Legacy::specificationsSummary()
{
    const LegacySpecifications& s = m_legacy;
    return s.isValid() ? summaryText(s.serial, s.d1, s.d2, s.d3) : QString();
}

QString ZndTranslator_Legacy::specificationsText()
{
    QString text = specificationsSummary();
    const LegacySpecifications& s = m_legacy;
    if (!s.isValid())
        return text;
    text += QStringLiteral("\n\n");
    text += vectorsText({{"F", &s.F},
                         {"XP", &s.XP},
                         {"YP", &s.YP},
                         {"CC", &s.CC},
                         {"XAir", &s.XAir},
                         {"YAir", &s.YAir},
                         {"IAir", &s.IAir},
                         {"M1", &s.M1},
                         {"M2", &s.M2},
                         {"GF", &s.GF}});
    text += QStringLiteral("Rt = %1\n").arg(number(s.Rt));
    text += QStringLiteral("Nt = %1\n").arg(s.Nt);
    text += QStringLiteral("\n");
    text += QStringLiteral("R1 = %1\n").arg(number(s.R1));
    text += QStringLiteral("R2 = %1").arg(number(s.R2));
    return text;
}

void ZndTranslator_Legacy::computeAll(const QByteArray& record, quint8 f, double* re, double* im,
                                      double* current, double* conductivity, double* depth,
                                      double* ppm) const
{
    *depth = (14 - int(f)) * 10.0 / 14.0;
    *re = *im = *conductivity = *ppm = 0.0;
    const RawRecord raw(record);
    int vRe = 0, vIm = 0, cRe = 0, cIm = 0;
    if (!raw.isChannelValid(f) || !raw.channelValues(f, &vRe, &vIm, &cRe, &cIm))
        return;
    double normalising = 0.0;
    calibrate(vRe, vIm, cRe, cIm, f, re, im, &normalising);
    const LegacySpecifications& s = m_legacy;
    *current = normalising * s.CC.at(f);
    const double modulus = std::sqrt(*re * *re + *im * *im);
    *conductivity = apparentValue(modulus, f, 0);
    // The reference that ppm counts in: the geometry constants with the current.
    const double k = twoPi * s.F.at(f) * 1000.0 * mu0;
    const double primary = k * (s.Nt * *current * 3.141592653589793 * s.Rt * s.Rt) * s.M1.at(f)
        / (12.566370614359172 * s.R1 * s.R1 * s.R1);
    *ppm = modulus / primary * 1000000.0;
}

double ZndTranslator_Legacy::computeValue(double vRe, double vIm, double cRe, double cIm, int f,
                                          int part) const
{
    double real = 0.0;
    double imaginary = 0.0;
    double normalising = 0.0;
    if (!calibrate(vRe, vIm, cRe, cIm, f, &real, &imaginary, &normalising))
        return 0.0;
    // The modulus feeds every response model; part chooses only the model.
    const double modulus = std::sqrt(real * real + imaginary * imaginary);
    return 1.0 / apparentValue(modulus, f, part);
}

double ZndTranslator_Legacy::apparentValue(double value, int f, int part) const
{
    if (f < 0 || f >= frequencyCount)
        return 0.0;
    const LegacySpecifications& s = m_legacy;
    const double k = twoPi * (1000.0 * s.F.at(f)) * mu0;
    const double d = (k * s.Rt) * (k * s.Rt) * s.Nt * 0.0625 * (s.M2.at(f) / s.R2 - s.M1.at(f) / s.R1);
    const double e = std::pow(k, 2.5) * s.Rt * s.Rt * s.Nt / 21.213203435596427 * (s.M2.at(f) - s.M1.at(f));
    switch (part) {
    case 0:
        return LegacyResponseRoot::solve(value, d, e);
    case 1:
        return d == 0.0 ? 0.0 : value / d;
    case 2:
        return e == 0.0 ? 0.0 : std::pow(std::fabs(value / e), 0.6666666666666666);
    default:
        return 0.0;
    }
}

bool ZndTranslator_Legacy::calibrate(double vRe, double vIm, double cRe, double cIm, int f,
                                     double* real, double* imaginary, double* normalising) const
{
    if (f < 0 || f >= frequencyCount)
        return false;
    const LegacySpecifications& s = m_legacy;
    const double c = std::sqrt(cRe * cRe + cIm * cIm);
    const double u = vRe / (c * s.CC.at(f)) - s.XAir.at(f) / (s.CC.at(f) * s.IAir.at(f));
    const double w = vIm / (c * s.CC.at(f)) - s.YAir.at(f) / (s.CC.at(f) * s.IAir.at(f));
    *real = (s.YP.at(f) * u - s.XP.at(f) * w) * s.GF.at(f);
    *imaginary = (s.XP.at(f) * u + s.YP.at(f) * w) * s.GF.at(f);
    *normalising = c;
    return true;
}

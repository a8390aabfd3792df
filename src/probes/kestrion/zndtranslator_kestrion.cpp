#include "probes/kestrion/zndtranslator_kestrion.h"

#include "probes/kestrion/graphicoptionswidget_kestrion.h"
#include "probes/kestrion/measureoptionswidget_kestrion.h"
#include "probes/kestrion/processoptionswidget_kestrion.h"
#include "probes/rawrecord.h"

#include <cmath>

namespace {

constexpr double pi = 3.141592653589793;
constexpr double microvoltsPerVolt = 1000000.0;

// Depth assigned to frequency index f: the lowest frequency reaches deepest.
double depthOf(int f)
{
    return 3 - f;
}

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

QByteArray ZndTranslator_Kestrion::specificationsRequest()
{
    static const char request[] = {'\x02', '\xF1', '\x07', '\x01', '\x00', '\xF9', '\x00', '\x03'};
    return QByteArray(request, sizeof(request));
}

QByteArray ZndTranslator_Kestrion::measureRequest(MeasureOptionsWidget* widget, bool* ok)
{
    *ok = false;
    auto* options = qobject_cast<MeasureOptionsWidget_Kestrion*>(widget);
    if (!options)
        return QByteArray();
    const QCheckBox* const boxes[frequencyCount] = {options->f1CheckBox, options->f2CheckBox,
                                                    options->f3CheckBox};
    quint16 mask = 0;
    for (int f = 0; f < frequencyCount; ++f) {
        const int channel = channelForFrequency(f);
        if (boxes[f]->isChecked() && channel >= 0)
            mask |= quint16(1u << channel);
    }
    if (mask == 0)
        return QByteArray();
    static const char request[] = {'\x02', '\xF1', '\x02', '\x02', '\x00',
                                   '\xF5', '\x00', '\x00', '\x03'};
    QByteArray bytes(request, sizeof(request));
    bytes[6] = char(mask >> 8);
    bytes[7] = char(mask & 0xFF);
    *ok = true;
    return bytes;
}

QPointF ZndTranslator_Kestrion::point(const QByteArray& record, ProcessOptionsWidget* processOptions,
                                      GraphicOptionsWidget* graphicOptions, bool* ok)
{
    *ok = false;
    auto* process = qobject_cast<ProcessOptionsWidget_Kestrion*>(processOptions);
    auto* graphic = qobject_cast<GraphicOptionsWidget_Kestrion*>(graphicOptions);
    if (record.size() != RawRecord::size || !process || !graphic)
        return QPointF();
    const int f = graphic->fComboBox->currentIndex();
    double y = 0.0;
    if (!value(record, f, process, &y))
        return QPointF();
    *ok = true;
    return QPointF(depthOf(f), y);
}

QVector<QPointF> ZndTranslator_Kestrion::points(const QByteArray& record,
                                                ProcessOptionsWidget* processOptions, bool* ok)
{
    *ok = false;
    QVector<QPointF> result;
    auto* process = qobject_cast<ProcessOptionsWidget_Kestrion*>(processOptions);
    if (record.size() != RawRecord::size || !process)
        return result;
    for (int f = 0; f < frequencyCount; ++f) {
        double y = 0.0;
        if (value(record, f, process, &y)) {
            result.prepend(QPointF(depthOf(f), y));
            *ok = true;
        }
    }
    return result;
}

bool ZndTranslator_Kestrion::value(const QByteArray& record, int f,
                                   const ProcessOptionsWidget_Kestrion* options,
                                   double* result) const
{
    const RawRecord raw(record);
    const int channel = channelForFrequency(f);
    int vRe = 0, vIm = 0, cRe = 0, cIm = 0;
    if (!raw.isChannelValid(channel) || !raw.channelValues(channel, &vRe, &vIm, &cRe, &cIm))
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

QStringList ZndTranslator_Kestrion::rawDataHeaders()
{
    QStringList headers;
    for (int n = 1; n <= frequencyCount; ++n) {
        headers << QStringLiteral("V.Re[%1]").arg(n) << QStringLiteral("V.Im[%1]").arg(n)
                << QStringLiteral("C.Re[%1]").arg(n) << QStringLiteral("C.Im[%1]").arg(n);
    }
    return headers;
}

QStringList ZndTranslator_Kestrion::rawDataValues(const QByteArray& record)
{
    QStringList values;
    const RawRecord raw(record);
    if (!raw.hasValues())
        return values;
    for (int f = 0; f < frequencyCount; ++f) {
        const int channel = channelForFrequency(f);
        int parts[4] = {0, 0, 0, 0};
        if (raw.isChannelValid(channel))
            raw.channelValues(channel, &parts[0], &parts[1], &parts[2], &parts[3]);
        for (int part : parts)
            values << QStringLiteral("%1").arg(double(part), 0, 'g', 6);
    }
    return values;
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
    if (!m_kestrion.isValid())
        return QString();
    return QStringLiteral("#%1\n").arg(m_kestrion.serial)
        + QStringLiteral("%1/%2/%3").arg(m_kestrion.d1).arg(m_kestrion.d2).arg(m_kestrion.d3);
}

QString ZndTranslator_Kestrion::specificationsText()
{
    QString text = specificationsSummary();
    if (!m_kestrion.isValid())
        return text;
    const auto general = [](double value) { return QString::number(value, 'g', 6); };
    const struct
    {
        const char* format;
        const QVector<double>& values;
    } vectors[] = {
        {"F[%1] = %2\n", m_kestrion.F},     {"XP[%1] = %2\n", m_kestrion.XP},
        {"YP[%1] = %2\n", m_kestrion.YP},   {"XA[%1] = %2\n", m_kestrion.XA},
        {"YA[%1] = %2\n", m_kestrion.YA},   {"IA[%1] = %2\n", m_kestrion.IA},
        {"XAU[%1] = %2\n", m_kestrion.XAU}, {"YAU[%1] = %2\n", m_kestrion.YAU},
        {"IAU[%1] = %2\n", m_kestrion.IAU}, {"GF[%1] = %2\n", m_kestrion.GF},
        {"AC[%1] = %2\n", m_kestrion.AC},   {"BC[%1] = %2\n", m_kestrion.BC},
        {"IC[%1] = %2\n", m_kestrion.IC},
    };
    text += QStringLiteral("\n\n");
    for (const auto& vector : vectors) {
        for (int i = 0; i < vector.values.size(); ++i)
            text += QString::fromLatin1(vector.format).arg(i + 1).arg(general(vector.values.at(i)));
        text += QStringLiteral("\n");
    }
    text += QStringLiteral("rt = %1\n").arg(general(m_kestrion.rt));
    text += QStringLiteral("nt = %1\n").arg(m_kestrion.nt);
    text += QStringLiteral("\n");
    text += QStringLiteral("r = %1\n").arg(general(m_kestrion.r));
    text += QStringLiteral("m = %1").arg(general(m_kestrion.m));
    return text;
}

QString ZndTranslator_Kestrion::stateText(const QByteArray& state, bool* low)
{
    if (state.size() != 2)
        return QString();
    const int hundredths = (int(quint8(state.at(0))) << 8) | int(quint8(state.at(1)));
    const int volts = qRound(hundredths / 100.0);
    if (low)
        *low = volts < 12;
    return tr("Supply voltage: %1 V").arg(double(volts), 0, 'f', 1);
}

QMap<int, quint16> ZndTranslator_Kestrion::requestValues()
{
    return {{4, 3000}};
}

QMap<int, quint16> ZndTranslator_Kestrion::replySizes()
{
    return {{3, 2}, {4, quint16(RawRecord::size)}};
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

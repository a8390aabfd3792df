#include "probes/recordtranslator.h"

#include "probes/rawrecord.h"

QByteArray RecordTranslator::specificationsRequest()
{
    // Byte 5 is the low byte of the sum of bytes 1 to 4, here and below.
    static const char request[] = {'\x02', '\xF1', '\x07', '\x01', '\x00', '\xF9', '\x00', '\x03'};
    return QByteArray(request, sizeof(request));
}

QByteArray RecordTranslator::measureRequest(MeasureOptionsWidget* widget, bool* ok)
{
    *ok = false;
    const QVector<bool> checked = checkedFrequencies(widget);
    quint16 mask = 0;
    for (int f = 0; f < checked.size(); ++f) {
        const int channel = channelForFrequency(f);
        if (checked.at(f) && channel >= 0)
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

QPointF RecordTranslator::point(const QByteArray& record, ProcessOptionsWidget* processOptions,
                                GraphicOptionsWidget* graphicOptions, bool* ok)
{
    *ok = false;
    int f = -1;
    if (record.size() != RawRecord::size || !acceptsProcessOptions(processOptions)
        || !chosenFrequency(graphicOptions, &f))
        return QPointF();
    double y = 0.0;
    if (!frequencyValue(record, f, processOptions, &y))
        return QPointF();
    *ok = true;
    return QPointF(depthOf(f), y);
}

QVector<QPointF> RecordTranslator::points(const QByteArray& record,
                                          ProcessOptionsWidget* processOptions, bool* ok)
{
    *ok = false;
    QVector<QPointF> result;
    if (record.size() != RawRecord::size || !acceptsProcessOptions(processOptions))
        return result;
    for (int f = 0; f < frequencies(); ++f) {
        double y = 0.0;
        if (frequencyValue(record, f, processOptions, &y)) {
            result.prepend(QPointF(depthOf(f), y));
            *ok = true;
        }
    }
    return result;
}

bool RecordTranslator::frequencyValue(const QByteArray& record, int f,
                                      ProcessOptionsWidget* options, double* result) const
{
    const RawRecord raw(record);
    const int channel = channelForFrequency(f);
    int vRe = 0, vIm = 0, cRe = 0, cIm = 0;
    if (!raw.isChannelValid(channel) || !raw.channelValues(channel, &vRe, &vIm, &cRe, &cIm))
        return false;
    return channelValue(vRe, vIm, cRe, cIm, f, options, result);
}

QStringList RecordTranslator::rawDataHeaders()
{
    QStringList headers;
    for (int n = 1; n <= frequencies(); ++n) {
        headers << QStringLiteral("V.Re[%1]").arg(n) << QStringLiteral("V.Im[%1]").arg(n)
                << QStringLiteral("C.Re[%1]").arg(n) << QStringLiteral("C.Im[%1]").arg(n);
    }
    return headers;
}

QStringList RecordTranslator::rawDataValues(const QByteArray& record)
{
    QStringList values;
    const RawRecord raw(record);
    if (!raw.hasValues())
        return values;
    for (int f = 0; f < frequencies(); ++f) {
        const int channel = channelForFrequency(f);
        int parts[4] = {0, 0, 0, 0};
        if (raw.isChannelValid(channel))
            raw.channelValues(channel, &parts[0], &parts[1], &parts[2], &parts[3]);
        for (int part : parts)
            values << QStringLiteral("%1").arg(double(part), 0, 'g', 6);
    }
    return values;
}

QString RecordTranslator::stateText(const QByteArray& state, bool* low)
{
    if (state.size() != 2)
        return QString();
    const int hundredths = (int(quint8(state.at(0))) << 8) | int(quint8(state.at(1)));
    const int volts = qRound(hundredths / 100.0);
    if (low)
        *low = volts < 12;
    return tr("Supply voltage: %1 V").arg(double(volts), 0, 'f', 1);
}

QMap<int, quint16> RecordTranslator::requestValues()
{
    return {{4, 3000}};
}

QMap<int, quint16> RecordTranslator::replySizes()
{
    return {{3, 2}, {4, quint16(RawRecord::size)}};
}

QString RecordTranslator::summaryText(qint32 serial, qint32 d1, qint32 d2, qint32 d3)
{
    return QStringLiteral("#%1\n").arg(serial) + QStringLiteral("%1/%2/%3").arg(d1).arg(d2).arg(d3);
}

QString RecordTranslator::vectorsText(
    const QVector<QPair<const char*, const QVector<double>*>>& vectors)
{
    QString text;
    for (const auto& vector : vectors) {
        const QLatin1String name(vector.first);
        for (int i = 0; i < vector.second->size(); ++i)
            text += QStringLiteral("%1[%2] = %3\n").arg(name).arg(i + 1).arg(number(vector.second->at(i)));
        text += QStringLiteral("\n");
    }
    return text;
}

QString RecordTranslator::number(double value)
{
    return QString::number(value, 'g', 6);
}

#pragma once

#include "probes/zndtranslator.h"

#include <QCoreApplication>

// What the probe modules of the 176-byte raw record (Kestrion and legacy)
// share: frequency index f lives in channel channelForFrequency(f) of the
// record, whose validity bit says whether it holds a measurement; the
// device's command bytes, reply lengths and state reply are the same for
// both. A model supplies its frequencies, their channels and depths, its
// option widgets and the value of one channel.
class RecordTranslator : public ZndTranslator
{
    Q_DECLARE_TR_FUNCTIONS(RecordTranslator)

public:
    // The 8-byte request for the specifications block.
    QByteArray specificationsRequest() override;
    // The 9-byte command for the channels of the checked frequencies; ok
    // false and no bytes for a foreign widget or no checked frequency.
    QByteArray measureRequest(MeasureOptionsWidget* widget, bool* ok) override;
    // The frequency chosen in the graphic options at its depth; ok false for
    // a record that is not 176 bytes, foreign or missing widgets, a clear
    // validity bit or a value that the model refuses.
    QPointF point(const QByteArray& record, ProcessOptionsWidget* processOptions,
                  GraphicOptionsWidget* graphicOptions, bool* ok) override;
    // Every frequency with a value, in increasing depth: the deepest point
    // comes last, as the sample collection expects. ok false when none.
    QVector<QPointF> points(const QByteArray& record, ProcessOptionsWidget* processOptions,
                            bool* ok) override;
    // "V.Re[n]", "V.Im[n]", "C.Re[n]", "C.Im[n]" for n = f + 1.
    QStringList rawDataHeaders() override;
    // The four raw values of each frequency's channel, "0" for a clear
    // validity bit; empty for a record that is not 176 bytes.
    QStringList rawDataValues(const QByteArray& record) override;
    // "Supply voltage: %1 V" with the whole volts of a 2-byte big-endian
    // count of hundredths, halves rounded up; low (when given) says whether
    // that is under 12 V. Any other length gives an empty text and leaves
    // low alone.
    QString stateText(const QByteArray& state, bool* low) override;
    QMap<int, quint16> requestValues() override;
    QMap<int, quint16> replySizes() override;

    // The record channel of frequency index f, -1 for an index the model
    // does not have.
    virtual int channelForFrequency(int f) const = 0;

protected:
    // Pieces of the specifications texts: the summary "#serial\nd1/d2/d3";
    // one line "name[n] = value\n" per vector element (n from 1) with an
    // empty line after each vector; a number in the general format with six
    // significant digits. The texts are the devices' and not translated.
    static QString summaryText(qint32 serial, qint32 d1, qint32 d2, qint32 d3);
    static QString vectorsText(const QVector<QPair<const char*, const QVector<double>*>>& vectors);
    static QString number(double value);

    // How many frequency indices the model has.
    virtual int frequencies() const = 0;
    // Depth in metres below the record at which frequency index f belongs.
    virtual double depthOf(int f) const = 0;
    // The checked state of each frequency index in the model's own measure
    // widget; empty for a null or foreign widget.
    virtual QVector<bool> checkedFrequencies(MeasureOptionsWidget* widget) const = 0;
    // The frequency index chosen in the model's own graphic widget; false
    // for a null or foreign widget.
    virtual bool chosenFrequency(GraphicOptionsWidget* widget, int* f) const = 0;
    // Whether the process widget is the model's own.
    virtual bool acceptsProcessOptions(ProcessOptionsWidget* widget) const = 0;
    // The value of frequency index f from its channel's raw values (the V
    // parts shifted right by 7) under the model's own process options;
    // false where the model gives no value.
    virtual bool channelValue(int vRe, int vIm, int cRe, int cIm, int f,
                              ProcessOptionsWidget* options, double* result) const = 0;

private:
    bool frequencyValue(const QByteArray& record, int f, ProcessOptionsWidget* options,
                        double* result) const;
};

#pragma once

#include "probes/legacy/legacyspecifications.h"
#include "probes/recordtranslator.h"

// The legacy "VKT/TALVIN" probe: 14 frequencies, channel f of the shared
// 176-byte raw record being frequency index f. A channel's calibrated
// modulus becomes an apparent conductivity under one of three response
// models, and point()/points() report its reciprocal, the apparent
// resistivity, at depth (14 - f) * 0.714 m below the record.
//
// Besides the translator interface it offers the routines that the data
// export uses on a translator of its own: computeAll(), computeValue(),
// apparentValue() and the held specifications. None of them asks whether
// the specifications are valid; they compute with whatever is held. The raw
// values of a record are read through RawRecord, channel f holding
// frequency index f.
class ZndTranslator_Legacy : public RecordTranslator
{
public:
    static constexpr int frequencyCount = LegacySpecifications::frequencyCount;

    // Holds the default, invalid specifications until setSpecifications().
    ZndTranslator_Legacy();
    ~ZndTranslator_Legacy() override;

    // Keeps the bytes and what they parse to (the defaults unless they are
    // exactly 1164 bytes), valid or not; true when valid.
    bool setSpecifications(const QByteArray& bytes) override;
    MeasureOptionsWidget* createMeasureOptionsWidget() override;
    ProcessOptionsWidget* createProcessOptionsWidget() override;
    GraphicOptionsWidget* createGraphicOptionsWidget() override;
    QString model() override;
    QString specificationsSummary() override;
    QString specificationsText() override;
    // Channel f for frequency index f in 0 ... 13, else -1.
    int channelForFrequency(int f) const override;

    // Every quantity of frequency index f of one record, for the CSV export;
    // no option widgets, response model 0 always.
    //   depth        (14 - f) * 10 / 14 metres, written in every case;
    //   re, im       the calibrated value;
    //   current      |C| * CC[f], the normalising signal;
    //   conductivity apparentValue(modulus, f, 0) in S/m, not inverted;
    //   ppm          the modulus in millionths of the reference that the
    //                geometry constants, the current and M1[f] give.
    // For f > 13, a record that is not 176 bytes, or a channel whose
    // validity bit is clear, re, im, conductivity and ppm become 0 and
    // current is left untouched: the caller initialises it. The results are
    // not screened: degenerate constants or a zero normalising signal give
    // infinities or NaN as computed.
    void computeAll(const QByteArray& record, quint8 f, double* re, double* im, double* current,
                    double* conductivity, double* depth, double* ppm) const;
    // The apparent resistivity in Ohm*m, 1 / apparentValue(modulus, f, part),
    // of one channel's raw values (the V parts already shifted right by 7);
    // 0 for f outside 0 ... 13. Not screened (see channelValue()).
    double computeValue(double vRe, double vIm, double cRe, double cIm, int f, int part) const;
    // The apparent conductivity in S/m of a calibrated modulus under the
    // response model part: 0 the root of (D x)^2 + (E x^1.5)^2 = value^2,
    // 1 value / D, 2 |value / E|^(2/3). 0 for another part, for f outside
    // 0 ... 13, and where the model's term is 0.
    double apparentValue(double value, int f, int part) const;

    const LegacySpecifications& legacySpecifications() const { return m_legacy; }

protected:
    int frequencies() const override { return frequencyCount; }
    // (14 - f) * 0.714: the lowest frequency reaches deepest. The factor is
    // the device's 0.714, not 10 / 14.
    double depthOf(int f) const override { return (14 - f) * 0.714; }
    QVector<bool> checkedFrequencies(MeasureOptionsWidget* widget) const override;
    bool chosenFrequency(GraphicOptionsWidget* widget, int* f) const override;
    bool acceptsProcessOptions(ProcessOptionsWidget* widget) const override;
    // computeValue() with the signal part of the options; false where the
    // apparent resistivity is not a finite, non-zero number (a zero or
    // infinite conductivity, from degenerate constants or a zero normalising
    // signal), so that no such value reaches a model or a histogram.
    bool channelValue(int vRe, int vIm, int cRe, int cIm, int f, ProcessOptionsWidget* options,
                      double* result) const override;

private:
    // The calibrated real and imaginary parts of channel f and its |C|;
    // false for f outside 0 ... 13.
    bool calibrate(double vRe, double vIm, double cRe, double cIm, int f, double* real,
                   double* imaginary, double* normalising) const;

    LegacySpecifications m_legacy;
};

#pragma once

#include "probes/kestrion/kestrionspecifications.h"
#include "probes/recordtranslator.h"

class ProcessOptionsWidget_Kestrion;

// The Kestrion probe: three frequencies read from the shared 176-byte raw
// record, turned into EMF, phase or apparent resistivity by the calibration
// constants of the specifications block.
class ZndTranslator_Kestrion : public RecordTranslator
{
public:
    static constexpr int frequencyCount = KestrionSpecifications::frequencyCount;

    ZndTranslator_Kestrion();
    ~ZndTranslator_Kestrion() override;

    bool setSpecifications(const QByteArray& bytes) override;
    MeasureOptionsWidget* createMeasureOptionsWidget() override;
    ProcessOptionsWidget* createProcessOptionsWidget() override;
    GraphicOptionsWidget* createGraphicOptionsWidget() override;
    QString model() override;
    QString specificationsSummary() override;
    QString specificationsText() override;

    // All five values of frequency index f, always with the user's air
    // calibration, whatever the validity bit says. A record of the wrong
    // length or an index without a channel gives 0 everywhere.
    void computeAll(const QByteArray& record, int f, double* emfAbs, double* emfRe, double* emfIm,
                    double* phase, double* appRes) const;
    // Microvolts; part: 0 modulus, 1 real part, 2 imaginary part. An index
    // outside 0 ... 2 or another part gives 0.
    double computeEmf(double vRe, double vIm, double cRe, double cIm, int f, int part,
                      bool userAir) const;
    // Degrees in -90 ... 90: the quadrant is deliberately not resolved.
    double computePhase(double vRe, double vIm, double cRe, double cIm, int f, bool userAir) const;
    // Ohm*m; an index outside 0 ... 2 gives 0.
    double computeApparentResistivity(double vRe, double vIm, double cRe, double cIm, int f,
                                      bool userAir) const;

    // The record channel of frequency index f by the held mode, -1 for none.
    int channelForFrequency(int f) const override;
    // The four raw values of f's channel; false and zeros when the record has
    // the wrong length or f has no channel.
    bool readRawValues(const QByteArray& record, int f, int* vRe, int* vIm, int* cRe,
                       int* cIm) const;

    const KestrionSpecifications& kestrionSpecifications() const { return m_kestrion; }

protected:
    int frequencies() const override { return frequencyCount; }
    // x = 3 - f: the lowest frequency reaches deepest.
    double depthOf(int f) const override { return 3 - f; }
    QVector<bool> checkedFrequencies(MeasureOptionsWidget* widget) const override;
    bool chosenFrequency(GraphicOptionsWidget* widget, int* f) const override;
    bool acceptsProcessOptions(ProcessOptionsWidget* widget) const override;
    // The value that the process options choose; false for a value that is
    // not a finite number.
    bool channelValue(int vRe, int vIm, int cRe, int cIm, int f, ProcessOptionsWidget* options,
                      double* result) const override;

private:
    bool calibratedParts(double vRe, double vIm, double cRe, double cIm, int f, bool userAir,
                         double* re, double* im) const;

    KestrionSpecifications m_kestrion;
};

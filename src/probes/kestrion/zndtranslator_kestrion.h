#pragma once

#include "probes/kestrion/kestrionspecifications.h"
#include "probes/zndtranslator.h"

#include <QCoreApplication>

class ProcessOptionsWidget_Kestrion;

// The Kestrion probe: three frequencies read from the shared 176-byte raw
// record, turned into EMF, phase or apparent resistivity by the calibration
// constants of the specifications block.
class ZndTranslator_Kestrion : public ZndTranslator
{
    Q_DECLARE_TR_FUNCTIONS(ZndTranslator_Kestrion)

public:
    static constexpr int frequencyCount = KestrionSpecifications::frequencyCount;

    ZndTranslator_Kestrion();
    ~ZndTranslator_Kestrion() override;

    bool setSpecifications(const QByteArray& bytes) override;
    QByteArray specificationsRequest() override;
    QByteArray measureRequest(MeasureOptionsWidget* widget, bool* ok) override;
    QPointF point(const QByteArray& record, ProcessOptionsWidget* processOptions,
                  GraphicOptionsWidget* graphicOptions, bool* ok) override;
    QVector<QPointF> points(const QByteArray& record, ProcessOptionsWidget* processOptions,
                            bool* ok) override;
    QStringList rawDataHeaders() override;
    QStringList rawDataValues(const QByteArray& record) override;
    MeasureOptionsWidget* createMeasureOptionsWidget() override;
    ProcessOptionsWidget* createProcessOptionsWidget() override;
    GraphicOptionsWidget* createGraphicOptionsWidget() override;
    QString model() override;
    QString specificationsSummary() override;
    QString specificationsText() override;
    QString stateText(const QByteArray& state, bool* low) override;
    QMap<int, quint16> requestValues() override;
    QMap<int, quint16> replySizes() override;

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
    int channelForFrequency(int f) const;
    // The four raw values of f's channel; false and zeros when the record has
    // the wrong length or f has no channel.
    bool readRawValues(const QByteArray& record, int f, int* vRe, int* vIm, int* cRe,
                       int* cIm) const;

    const KestrionSpecifications& kestrionSpecifications() const { return m_kestrion; }

private:
    bool calibratedParts(double vRe, double vIm, double cRe, double cIm, int f, bool userAir,
                         double* re, double* im) const;
    // The value that the process options choose for frequency index f of a
    // record whose length is already checked; false for an invalid channel
    // or a value that is not a finite number.
    bool value(const QByteArray& record, int f, const ProcessOptionsWidget_Kestrion* options,
               double* result) const;

    KestrionSpecifications m_kestrion;
};

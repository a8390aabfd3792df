#pragma once

#include "survey/probeid.h"

#include <QByteArray>
#include <QMap>
#include <QPointF>
#include <QString>
#include <QStringList>
#include <QVector>

class GraphicOptionsWidget;
class MeasureOptionsWidget;
class ProcessOptionsWidget;

// A probe module: turns one model's specifications block and raw records into
// values, texts and option widgets. Failures are reported only through the
// bool out-arguments and empty results.
class ZndTranslator
{
public:
    ZndTranslator() = default;
    ZndTranslator(const ZndTranslator&) = delete;
    ZndTranslator& operator=(const ZndTranslator&) = delete;
    virtual ~ZndTranslator();

    virtual bool setSpecifications(const QByteArray& bytes) = 0;
    virtual QByteArray specificationsRequest() = 0;
    virtual QByteArray measureRequest(MeasureOptionsWidget* widget, bool* ok) = 0;
    // x of a result is the depth below the record, y the value.
    virtual QPointF point(const QByteArray& record, ProcessOptionsWidget* processOptions,
                          GraphicOptionsWidget* graphicOptions, bool* ok) = 0;
    virtual QVector<QPointF> points(const QByteArray& record, ProcessOptionsWidget* processOptions,
                                    bool* ok) = 0;
    virtual QStringList rawDataHeaders();
    virtual QStringList rawDataValues(const QByteArray& record);
    virtual MeasureOptionsWidget* createMeasureOptionsWidget() = 0;
    virtual ProcessOptionsWidget* createProcessOptionsWidget() = 0;
    virtual GraphicOptionsWidget* createGraphicOptionsWidget() = 0;
    virtual QString model() = 0;
    virtual QString specificationsSummary() = 0;
    virtual QString specificationsText() = 0;
    virtual QString stateText(const QByteArray& state, bool* low) = 0;
    virtual QMap<int, quint16> requestValues() = 0;
    virtual QMap<int, quint16> replySizes() = 0;
    virtual int auxiliaryValue();

    const ProbeId& probeId() const { return m_probeId; }
    const QByteArray& specifications() const { return m_specifications; }

protected:
    ProbeId m_probeId;
    QByteArray m_specifications;
};

// The probe module of a probe identity, or null when none is known.
// The caller owns the result.
ZndTranslator* createTranslator(const ProbeId& id);

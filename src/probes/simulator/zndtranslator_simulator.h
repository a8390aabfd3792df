#pragma once

#include "probes/zndtranslator.h"

// The simulator probe: five channels of one signed byte each, plus an offset
// chosen in the process options.
class ZndTranslator_Simulator : public ZndTranslator
{
public:
    static constexpr int channelCount = 5;
    static constexpr int recordSize = 10;
    static constexpr int specificationsSize = 5;

    ZndTranslator_Simulator();

    bool setSpecifications(const QByteArray& bytes) override;
    QByteArray specificationsRequest() override;
    QByteArray measureRequest(MeasureOptionsWidget* widget, bool* ok) override;
    QPointF point(const QByteArray& record, ProcessOptionsWidget* processOptions,
                  GraphicOptionsWidget* graphicOptions, bool* ok) override;
    QVector<QPointF> points(const QByteArray& record, ProcessOptionsWidget* processOptions,
                            bool* ok) override;
    MeasureOptionsWidget* createMeasureOptionsWidget() override;
    ProcessOptionsWidget* createProcessOptionsWidget() override;
    GraphicOptionsWidget* createGraphicOptionsWidget() override;
    QString model() override;
    QString specificationsSummary() override;
    QString specificationsText() override;
    QString stateText(const QByteArray& state, bool* low) override;
    QMap<int, quint16> requestValues() override;
    QMap<int, quint16> replySizes() override;
};

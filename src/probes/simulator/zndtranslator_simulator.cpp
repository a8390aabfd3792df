#include "probes/simulator/zndtranslator_simulator.h"

#include "probes/simulator/graphicoptionswidget_simulator.h"
#include "probes/simulator/measureoptionswidget_simulator.h"
#include "probes/simulator/processoptionswidget_simulator.h"

ZndTranslator_Simulator::ZndTranslator_Simulator()
{
    m_probeId = ProbeId(0, 0);
}

bool ZndTranslator_Simulator::setSpecifications(const QByteArray& bytes)
{
    m_specifications = bytes;
    bool valid = bytes.size() == specificationsSize;
    for (int i = 0; valid && i < bytes.size(); ++i)
        valid = bytes.at(i) != 0;
    if (!valid)
        m_specifications.clear();
    return valid;
}

QByteArray ZndTranslator_Simulator::specificationsRequest()
{
    return QByteArray();
}

QByteArray ZndTranslator_Simulator::measureRequest(MeasureOptionsWidget* widget, bool* ok)
{
    *ok = false;
    auto* options = qobject_cast<MeasureOptionsWidget_Simulator*>(widget);
    if (!options)
        return QByteArray();
    QByteArray request(channelCount, '\0');
    bool any = false;
    for (int i = 0; i < channelCount; ++i) {
        if (options->channelBox(i)->isChecked()) {
            request[i] = 1;
            any = true;
        }
    }
    if (!any)
        return QByteArray();
    *ok = true;
    return request;
}

QPointF ZndTranslator_Simulator::point(const QByteArray& record, ProcessOptionsWidget* processOptions,
                                       GraphicOptionsWidget* graphicOptions, bool* ok)
{
    *ok = false;
    auto* process = qobject_cast<ProcessOptionsWidget_Simulator*>(processOptions);
    auto* graphic = qobject_cast<GraphicOptionsWidget_Simulator*>(graphicOptions);
    if (record.size() != recordSize || !process || !graphic)
        return QPointF();
    const int add = process->addHorizontalSlider->value();
    const int i = graphic->fComboBox->currentIndex();
    if (i < 0 || i >= channelCount || record.at(channelCount + i) == 0)
        return QPointF();
    *ok = true;
    return QPointF(i + 1, double(add + qint8(record.at(i))));
}

QVector<QPointF> ZndTranslator_Simulator::points(const QByteArray& record,
                                                 ProcessOptionsWidget* processOptions, bool* ok)
{
    *ok = false;
    QVector<QPointF> result;
    auto* process = qobject_cast<ProcessOptionsWidget_Simulator*>(processOptions);
    if (record.size() != recordSize || !process)
        return result;
    const int add = process->addHorizontalSlider->value();
    for (int i = 0; i < channelCount; ++i) {
        if (record.at(channelCount + i) != 0) {
            result.append(QPointF(i + 1, double(add + qint8(record.at(i)))));
            *ok = true;
        }
    }
    return result;
}

MeasureOptionsWidget* ZndTranslator_Simulator::createMeasureOptionsWidget()
{
    return new MeasureOptionsWidget_Simulator;
}

ProcessOptionsWidget* ZndTranslator_Simulator::createProcessOptionsWidget()
{
    return new ProcessOptionsWidget_Simulator;
}

GraphicOptionsWidget* ZndTranslator_Simulator::createGraphicOptionsWidget()
{
    return new GraphicOptionsWidget_Simulator;
}

QString ZndTranslator_Simulator::model()
{
    return QStringLiteral("SIMULATOR v.0");
}

QString ZndTranslator_Simulator::specificationsSummary()
{
    QString text;
    if (m_specifications.isEmpty())
        return text;
    for (int i = 0; i < m_specifications.size(); ++i)
        text += QStringLiteral("Spec.#%1: %2\n").arg(i + 1).arg(int(qint8(m_specifications.at(i))));
    return text;
}

QString ZndTranslator_Simulator::specificationsText()
{
    return specificationsSummary();
}

QString ZndTranslator_Simulator::stateText(const QByteArray& state, bool* low)
{
    if (low)
        *low = false;
    if (state.size() != 2)
        return QString();
    return QStringLiteral("Sens.#1: %1\nSens.#2: %2\n")
        .arg(int(qint8(state.at(0))))
        .arg(int(qint8(state.at(1))));
}

QMap<int, quint16> ZndTranslator_Simulator::requestValues()
{
    return {{1, 100}, {2, 100}, {3, 100}, {4, 900}, {5, 100}};
}

QMap<int, quint16> ZndTranslator_Simulator::replySizes()
{
    return {{1, 5}, {3, 1}, {4, 10}};
}
